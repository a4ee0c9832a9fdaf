// Small helpers shared by the codecs of this folder (not part of the imaging interface): pixel
// packing, byte-order reads and the plausibility test for a declared image size. The toolkit's
// pixel arithmetic takes its unpremultiply from here too, so every straight pixel the program
// writes out is rounded the same way.
#pragma once

#include "imaging/pixel_image.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace scalora::codec {

// The codecs hand pixel rows to libjpeg, libpng and the BMP writer as B G R A bytes, which is
// how 0xAARRGGBB words lie in memory on little-endian machines only.
static_assert(std::endian::native == std::endian::little, "pixel rows are read as B G R A bytes");

inline constexpr std::uint32_t packArgb(std::uint32_t a, std::uint32_t r, std::uint32_t g,
                                        std::uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

// Premultiplied 0xAARRGGBB back to straight, each channel rounded to nearest and capped at 255
// (a damaged pixel may hold a channel above its alpha); a fully transparent pixel becomes 0.
constexpr std::uint32_t unpremultiply(std::uint32_t p) {
    const std::uint32_t a = p >> 24;
    if (a == 255 || a == 0) {
        return a == 0 ? 0 : p;
    }
    const auto channel = [a](std::uint32_t c) {
        const std::uint32_t v = (c * 255 + a / 2) / a;
        return v > 255 ? 255u : v;
    };
    return packArgb(a, channel((p >> 16) & 0xFF), channel((p >> 8) & 0xFF), channel(p & 0xFF));
}

inline std::uint16_t readLe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t readLe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint16_t readBe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::uint32_t readBe32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

// Below this many pixels (64 MiB of ARGB) any declared size is believed; above it the file must
// be large enough to plausibly encode that many pixels, at most `pixelsPerByte` per byte of
// file. This keeps a forged 100-byte header from costing more than a moderate allocation while
// real highly compressible images (a flat 4000 x 3000 scan) still open.
inline constexpr std::uint64_t kBelievedPixelCount = std::uint64_t{1} << 24;

inline bool plausibleImageSize(std::uint64_t width, std::uint64_t height, std::uint64_t fileBytes,
                               std::uint64_t pixelsPerByte) {
    if (width == 0 || height == 0 || width > kMaxPixelCount || height > kMaxPixelCount) {
        return false;
    }
    const std::uint64_t pixels = width * height;
    if (pixels > kMaxPixelCount) {
        return false;
    }
    return pixels <= kBelievedPixelCount || pixels / pixelsPerByte <= fileBytes;
}

// Dots per inch from dots per metre, 0 for none. Whole metres cannot express most whole dpi
// values (300 dpi is 11811.02 per metre); when the stored count is the one a whole dpi value
// gives, that whole value is what was meant, and a round trip keeps it exact.
inline double dpiFromPixelsPerMetre(double ppm) {
    if (!(ppm > 0)) {
        return 0.0;
    }
    const double dpi = ppm * 0.0254;
    const double whole = std::round(dpi);
    return std::round(whole / 0.0254) == ppm ? whole : dpi;
}
inline double dpiFromPixelsPerCentimetre(double ppcm) {
    return ppcm > 0 ? ppcm * 2.54 : 0.0;
}

// Resolutions beyond this are damaged fields, not devices (the finest scanners and
// image setters stay below 20000 dpi); such values, and negative or non-finite ones, become 0.
inline constexpr double kMaxPlausibleDpi = 100000.0;
inline double saneDpi(double dpi) {
    return dpi > 0 && dpi <= kMaxPlausibleDpi ? dpi : 0.0;
}

// Reads a whole regular file of an image's plausible size; false when it cannot be read.
[[nodiscard]] bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out);

// Copies one row of pixels to straight alpha (for encoders fed a premultiplied image).
void unpremultiplyRow(const std::uint32_t* src, std::uint32_t* dst, std::int32_t width);

// Whether any pixel of the image has an alpha below 255 (AlphaKind::None counts as opaque).
bool hasTransparentPixel(const PixelImage& image);

} // namespace scalora::codec
