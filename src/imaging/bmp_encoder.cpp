// Our own BMP writer: bottom-up 24-bit with a 40-byte header for opaque images, and 32-bit
// with a V4 header and an alpha mask when some pixel is transparent (the 40-byte header has no
// way to say that the fourth byte is alpha).

#include "imaging/codec_support.h"
#include "imaging/codecs.h"

#include <cmath>
#include <cstring>

namespace scalora::codec {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kColorSpaceSrgb = 0x73524742; // 'sRGB'

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

std::uint32_t pixelsPerMetre(double dpi) {
    return static_cast<std::uint32_t>(std::lround(saneDpi(dpi) / 0.0254));
}

} // namespace

bool encodeBmp(const PixelImage& image, std::vector<std::uint8_t>& out) {
    out.clear();
    if (image.isNull()) {
        return false;
    }
    const bool withAlpha = hasTransparentPixel(image);
    const std::uint32_t bytesPerPixel = withAlpha ? 4 : 3;
    const std::uint64_t stride =
        (static_cast<std::uint64_t>(image.width()) * bytesPerPixel + 3) & ~std::uint64_t{3};
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(image.height());
    const std::uint32_t headerSize = withAlpha ? kV4HeaderSize : kInfoHeaderSize;
    const std::uint64_t fileSize = kFileHeaderSize + headerSize + pixelBytes;
    // The format's sizes are 32-bit.
    if (fileSize > 0xFFFFFFFFu) {
        return false;
    }
    out.reserve(static_cast<std::size_t>(fileSize));
    out.push_back('B');
    out.push_back('M');
    putLe32(out, static_cast<std::uint32_t>(fileSize));
    putLe32(out, 0);
    putLe32(out, kFileHeaderSize + headerSize);
    putLe32(out, headerSize);
    putLe32(out, static_cast<std::uint32_t>(image.width()));
    putLe32(out, static_cast<std::uint32_t>(image.height())); // positive: bottom-up rows
    putLe16(out, 1);
    putLe16(out, bytesPerPixel * 8);
    putLe32(out, withAlpha ? kBitFields : 0);
    putLe32(out, static_cast<std::uint32_t>(pixelBytes));
    putLe32(out, pixelsPerMetre(image.dpiX()));
    putLe32(out, pixelsPerMetre(image.dpiY()));
    putLe32(out, 0); // colours used
    putLe32(out, 0); // important colours
    if (withAlpha) {
        putLe32(out, 0x00FF0000);
        putLe32(out, 0x0000FF00);
        putLe32(out, 0x000000FF);
        putLe32(out, 0xFF000000);
        putLe32(out, kColorSpaceSrgb);
        out.insert(out.end(), 36 + 12, 0); // end points and gamma, unused for sRGB
    }
    const bool premultiplied = image.alphaKind() == AlphaKind::Premultiplied && withAlpha;
    std::vector<std::uint32_t> straight(premultiplied ? static_cast<std::size_t>(image.width())
                                                      : 0);
    const std::size_t headerBytes = out.size();
    // Rows are written in place into the final buffer; the padding stays zero.
    out.resize(static_cast<std::size_t>(fileSize), 0);
    for (std::int32_t y = 0; y < image.height(); ++y) {
        const std::uint32_t* src = image.row(y);
        if (premultiplied) {
            unpremultiplyRow(src, straight.data(), image.width());
            src = straight.data();
        }
        // Bottom-up: the last image row is the first file row.
        std::uint8_t* dst =
            out.data() + headerBytes +
            static_cast<std::size_t>(image.height() - 1 - y) * static_cast<std::size_t>(stride);
        if (withAlpha) {
            std::memcpy(dst, src, static_cast<std::size_t>(image.width()) * 4);
            continue;
        }
        for (std::int32_t x = 0; x < image.width(); ++x, dst += 3) {
            const std::uint32_t p = src[x];
            dst[0] = static_cast<std::uint8_t>(p);
            dst[1] = static_cast<std::uint8_t>(p >> 8);
            dst[2] = static_cast<std::uint8_t>(p >> 16);
        }
    }
    return true;
}

} // namespace scalora::codec
