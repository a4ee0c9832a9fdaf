#include "imaging/codec_support.h"

#include "platform/file_contents.h"

#include <algorithm>

namespace scalora::codec {
namespace {

// Image files beyond 4 GiB are not read whole (nothing this program writes comes near it).
constexpr std::uint64_t kMaxImageFileBytes = std::uint64_t{1} << 32;

} // namespace

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    return readRegularFile(path, kMaxImageFileBytes, out);
}

void unpremultiplyRow(const std::uint32_t* src, std::uint32_t* dst, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) {
        dst[x] = unpremultiply(src[x]);
    }
}

bool hasTransparentPixel(const PixelImage& image) {
    if (image.isNull() || image.alphaKind() == AlphaKind::None) {
        return false;
    }
    for (std::int32_t y = 0; y < image.height(); ++y) {
        const std::uint32_t* row = image.row(y);
        std::uint32_t all = 0xFF000000;
        for (std::int32_t x = 0; x < image.width(); ++x) {
            all &= row[x];
        }
        if ((all & 0xFF000000) != 0xFF000000) {
            return true;
        }
    }
    return false;
}

} // namespace scalora::codec
