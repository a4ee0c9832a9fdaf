#include "imaging/image_decoder.h"

namespace scalora {

bool decodeImageFile(const std::string&, const DecodeOptions&, PixelImage& out, ImageMetadata*,
                     DecodeInfo*) {
    out.reset();
    return false;
}

bool decodeImageData(std::span<const std::uint8_t>, const DecodeOptions&, PixelImage& out,
                     ImageMetadata*, DecodeInfo*) {
    out.reset();
    return false;
}

std::int32_t jpegScaledDimension(std::int32_t full, int scaleEighths) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(full) * scaleEighths + 7) / 8);
}

} // namespace scalora
