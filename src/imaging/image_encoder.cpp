#include "imaging/image_encoder.h"

namespace scalora {

bool encodeImage(const PixelImage&, ImageFormat, const EncodeOptions&, std::FILE*) {
    return false;
}

bool encodeImageToMemory(const PixelImage&, ImageFormat, const EncodeOptions&,
                         std::vector<std::uint8_t>& out) {
    out.clear();
    return false;
}

bool hasImageEncoder(ImageFormat format) {
    return format == ImageFormat::Jpeg || format == ImageFormat::Png ||
           format == ImageFormat::Tiff || format == ImageFormat::Bmp;
}

} // namespace scalora
