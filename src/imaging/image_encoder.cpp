#include "imaging/image_encoder.h"

#include "imaging/codecs.h"

namespace scalora {

bool encodeImageToMemory(const PixelImage& image, ImageFormat format, const EncodeOptions& options,
                         std::vector<std::uint8_t>& out) {
    out.clear();
    if (image.isNull()) {
        return false;
    }
    switch (format) {
    case ImageFormat::Jpeg:
        return codec::encodeJpeg(image, options.jpegQuality, options.metadata, options.iccProfile,
                                 out);
    case ImageFormat::Png:
        return codec::encodePng(image, options.iccProfile, out);
    case ImageFormat::Tiff:
        return codec::encodeTiff(image, options.iccProfile, out);
    case ImageFormat::Bmp:
        return codec::encodeBmp(image, out);
    case ImageFormat::Gif:
    case ImageFormat::Unknown:
        break;
    }
    return false;
}

bool encodeImage(const PixelImage& image, ImageFormat format, const EncodeOptions& options,
                 std::FILE* out) {
    // Encoding into memory first keeps every codec's output path the same and costs only the
    // compressed size; the file then gets one sequential write.
    std::vector<std::uint8_t> bytes;
    if (out == nullptr || !encodeImageToMemory(image, format, options, bytes)) {
        return false;
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0;
}

bool hasImageEncoder(ImageFormat format) {
    return format == ImageFormat::Jpeg || format == ImageFormat::Png ||
           format == ImageFormat::Tiff || format == ImageFormat::Bmp;
}

} // namespace scalora
