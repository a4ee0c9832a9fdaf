// Deterministic test pictures for the imaging tests: every pixel different, so that a pixel in
// the wrong place or channel shows.
#pragma once

#include "imaging/pixel_image.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace scalora::test {

// A w x h picture of gradients and a pseudo-random pattern; opaque, or with an alpha that takes
// every value from 0 to 255 when `withAlpha`.
inline PixelImage makeTestImage(std::int32_t w, std::int32_t h, bool withAlpha = false) {
    PixelImage image;
    EXPECT_TRUE(image.allocate(w, h, withAlpha ? AlphaKind::Straight : AlphaKind::None));
    std::uint32_t seed = 12345;
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / (w > 1 ? w - 1 : 1));
            const std::uint32_t g = static_cast<std::uint32_t>(y * 255 / (h > 1 ? h - 1 : 1));
            const std::uint32_t b = (seed >> 16) & 0xFF;
            const std::uint32_t a = withAlpha ? static_cast<std::uint32_t>((x + y * w) % 256) : 255;
            image.setPixel(x, y, (a << 24) | (r << 16) | (g << 8) | b);
        }
    }
    return image;
}

inline bool samePixels(const PixelImage& a, const PixelImage& b) {
    if (a.size() != b.size() || a.isNull()) {
        return false;
    }
    for (std::int32_t y = 0; y < a.height(); ++y) {
        for (std::int32_t x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace scalora::test
