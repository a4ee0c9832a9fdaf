#include "png_file.h"

#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "support/test_support.h"

#include <string_view>
#include <vector>

namespace scalora::test {

bool writePng(const PixelImage& image, const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    return encodeImageToMemory(image, ImageFormat::Png, {}, bytes) &&
           writeFile(path,
                     std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool readPng(const std::filesystem::path& path, PixelImage& image) {
    return decodeImageFile(path.string(), DecodeOptions{}, image);
}

} // namespace scalora::test
