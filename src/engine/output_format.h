// The output formats a run can write, their labels and file extensions, and the format a
// source's extension stands for ("As original" and the disk space estimate use it).
#pragma once

#include "imaging/image_format.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace scalora {

// The numbers are the indexes the format list shows them in and the settings store.
enum class OutputFormat : std::int32_t {
    AsOriginal = 0, // the format the source's extension stands for
    Jpg = 1,
    Png = 2,
    Tif = 3,
    Bmp = 4,
    // What a source extension that is none of the written formats stands for; it has no
    // extension, so nothing can be written in it.
    Unknown = 777,
};
// The formats a run can be given: AsOriginal to Bmp.
inline constexpr std::int32_t kOutputFormatCount = 5;

// The format a stored or listed index stands for: an index below the first reads as the first
// format, one beyond the last as the last.
constexpr OutputFormat outputFormatFromIndex(std::int32_t index) {
    return static_cast<OutputFormat>(std::clamp(index, 0, kOutputFormatCount - 1));
}
constexpr std::int32_t outputFormatIndex(OutputFormat format) {
    return static_cast<std::int32_t>(format);
}

// "As original", "JPG", "PNG", "TIF", "BMP"; empty for Unknown.
std::string_view outputFormatLabel(OutputFormat format);
// "jpg", "png", "tif", "bmp"; empty for AsOriginal (taken from the source) and Unknown.
std::string_view outputFormatExtension(OutputFormat format);
// The format of a source extension, compared after lower-casing: "bmp" Bmp, "png" Png, "jpg"
// and "jpeg" Jpg, "tif" and "tiff" Tif, anything else Unknown.
OutputFormat outputFormatOfExtension(std::string_view extension);

// Encoder lookup by destination extension (lower-cased, then exact): "bmp", "jpg", "jpeg",
// "png", "tif", "tiff"; with `includeGif` also "gif", which has no encoder installed. Unknown for
// anything else.
ImageFormat encoderFormatOfExtension(std::string_view extension, bool includeGif = false);
// True for "jpg" and "jpeg" in any case.
bool isJpegExtension(std::string_view extension);

} // namespace scalora
