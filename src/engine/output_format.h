// The output formats a run can write, their labels and file extensions, and the format a
// source's extension stands for ("As original" and the disk space estimate use it).
#pragma once

#include "imaging/image_format.h"

#include <cstdint>
#include <string_view>

namespace scalora {

enum OutputFormat : std::int32_t {
    OutputAsOriginal = 0,
    OutputJpg = 1,
    OutputPng = 2,
    OutputTif = 3,
    OutputBmp = 4,
};
inline constexpr std::int32_t kOutputFormatCount = 5;
// What a source extension that is none of the written formats maps to; it has no extension.
inline constexpr std::int32_t kUnknownOutputFormat = 777;

// "As original", "JPG", "PNG", "TIF", "BMP"; empty for any other index.
std::string_view outputFormatLabel(std::int32_t format);
// "jpg", "png", "tif", "bmp"; empty for "As original" (taken from the source), 777 and any other
// index.
std::string_view outputFormatExtension(std::int32_t format);
// The format of a source extension, compared after lower-casing: "bmp" 4, "png" 2, "jpg" and
// "jpeg" 1, "tif" and "tiff" 3, anything else kUnknownOutputFormat.
std::int32_t outputFormatOfExtension(std::string_view extension);

// Encoder lookup by destination extension (lower-cased, then exact): "bmp", "jpg", "jpeg",
// "png", "tif", "tiff"; with `includeGif` also "gif", which has no encoder installed. Unknown for
// anything else.
ImageFormat encoderFormatOfExtension(std::string_view extension, bool includeGif = false);
// True for "jpg" and "jpeg" in any case.
bool isJpegExtension(std::string_view extension);

} // namespace scalora
