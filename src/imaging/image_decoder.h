// Decoding a whole image file into a PixelImage: JPEG, PNG, TIFF (first page), BMP and GIF
// (first frame), chosen by the file's content. Refuses files that claim more than kMaxPixelCount
// pixels or more pixels than their size could hold, before allocating anything, and files cut
// off inside their image data (rather than passing grey or black rows off as the picture).
// Safe to call from several threads at once. Colour is left as stored: no gamma, no ICC.
#pragma once

#include "imaging/image_format.h"
#include "imaging/image_metadata.h"
#include "imaging/pixel_image.h"

#include <cstdint>
#include <span>
#include <string>

namespace scalora {

struct DecodeOptions {
    // JPEG only: decode at scaleEighths/8 of the stored size in the DCT domain (1..8); the
    // result is jpegScaledDimension() of each stored dimension. Other formats ignore it.
    int jpegScaleEighths = 8;
    // Turn the pixels as the EXIF or TIFF orientation says, so the result has the probe's
    // displaySize. When false the pixels stay as stored.
    bool applyOrientation = true;
};

// What the decoder learnt besides the pixels.
struct DecodeInfo {
    ImageFormat format = ImageFormat::Unknown;
    int orientation = 1;    // the file's orientation (already applied when asked to)
    bool truncated = false; // the decode failed because the file ends before its picture
};

// The result has AlphaKind::Straight when the file declares alpha or transparency, else
// AlphaKind::None (every alpha byte 0xFF), and the file's resolution (0 when none).
// When `metadata` is given and the file is a JPEG, it receives the copied segments (see
// image_metadata.h); if the orientation was applied to the pixels, the EXIF orientation in those
// segments is reset to 1 so that it keeps describing the pixels.
[[nodiscard]] bool decodeImageFile(const std::string& path, const DecodeOptions& options,
                                   PixelImage& out, ImageMetadata* metadata = nullptr,
                                   DecodeInfo* info = nullptr);
[[nodiscard]] bool decodeImageData(std::span<const std::uint8_t> data, const DecodeOptions& options,
                                   PixelImage& out, ImageMetadata* metadata = nullptr,
                                   DecodeInfo* info = nullptr);

// The size libjpeg gives one dimension when decoding at scaleEighths/8: ceil(full * M / 8).
std::int32_t jpegScaledDimension(std::int32_t full, int scaleEighths);

} // namespace scalora
