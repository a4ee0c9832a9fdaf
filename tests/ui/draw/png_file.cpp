#include "png_file.h"

#include "ui/draw/pixel_ops.h"

#include <png.h>
#include <vector>

namespace scalora::test {

bool writePng(const PixelImage& image, const std::filesystem::path& path) {
    if (image.isNull()) {
        return false;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width());
    png.height = static_cast<png_uint_32>(image.height());
    png.format = PNG_FORMAT_BGRA;
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            std::uint32_t p = image.pixel(x, y);
            if (image.alphaKind() == AlphaKind::Premultiplied) {
                p = pixel::unpremultiply(p);
            } else if (image.alphaKind() == AlphaKind::None) {
                p |= 0xFF000000u;
            }
            pixels.push_back(p);
        }
    }
    return png_image_write_to_file(&png, path.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}

bool readPng(const std::filesystem::path& path, PixelImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        return false;
    }
    png.format = PNG_FORMAT_BGRA;
    if (!image.allocate(static_cast<std::int32_t>(png.width), static_cast<std::int32_t>(png.height),
                        AlphaKind::Straight)) {
        png_image_free(&png);
        return false;
    }
    return png_image_finish_read(&png, nullptr, image.bytes(),
                                 static_cast<png_int_32>(image.strideBytes()), nullptr) != 0;
}

} // namespace scalora::test
