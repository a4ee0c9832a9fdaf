// Writing a PixelImage as JPEG, PNG, TIFF or BMP, with the image's resolution. GIF has no
// encoder: asking for it fails, as for a format without an installed encoder.
#pragma once

#include "imaging/image_format.h"
#include "imaging/image_metadata.h"
#include "imaging/pixel_image.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace scalora {

// The JPEG encoder's quality scale; a quality outside it is clamped.
inline constexpr std::int32_t kMinJpegQuality = 1;
inline constexpr std::int32_t kMaxJpegQuality = 100;

struct EncodeOptions {
    int jpegQuality = 90; // kMinJpegQuality..kMaxJpegQuality
    // JPEG only: segments written back verbatim after the encoder's own JFIF header.
    const ImageMetadata* metadata = nullptr;
    // The colour profile for JPEG, PNG and TIFF (BMP has no place for one); empty for none.
    std::span<const std::uint8_t> iccProfile;
};

// JPEG is always opaque (alpha is dropped). PNG, TIFF and BMP write RGBA when the image has an
// alpha kind other than None and some pixel is not opaque, else RGB. Premultiplied images are
// written straight. `out` is written sequentially from its current position and not closed;
// false on any failure, including a failed write.
[[nodiscard]] bool encodeImage(const PixelImage& image, ImageFormat format,
                               const EncodeOptions& options, std::FILE* out);
[[nodiscard]] bool encodeImageToMemory(const PixelImage& image, ImageFormat format,
                                       const EncodeOptions& options,
                                       std::vector<std::uint8_t>& out);

// Whether encodeImage supports the format.
bool hasImageEncoder(ImageFormat format);

} // namespace scalora
