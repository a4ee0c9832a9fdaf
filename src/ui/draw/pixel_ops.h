// Per-pixel arithmetic of the canvas: premultiplying colours and source-over blending of
// 0xAARRGGBB values held with premultiplied alpha. Shared by every drawing routine so that
// all of them round the same way.
#pragma once

#include "base/geometry.h"
#include "imaging/codec_support.h"
#include "imaging/pixel_image.h"

#include <cstdint>

namespace scalora::pixel {

// x * y / 255 rounded to nearest for x, y in 0..255; the usual shift trick is exact over
// that range and avoids a division in the inner loops.
constexpr std::uint32_t mul255(std::uint32_t x, std::uint32_t y) {
    const std::uint32_t t = x * y + 128;
    return (t + (t >> 8)) >> 8;
}

// Straight 0xAARRGGBB to premultiplied.
constexpr std::uint32_t premultiply(Color c) {
    const std::uint32_t a = c >> 24;
    if (a == 255) {
        return c;
    }
    if (a == 0) {
        return 0;
    }
    return (a << 24) | (mul255((c >> 16) & 0xFF, a) << 16) | (mul255((c >> 8) & 0xFF, a) << 8) |
           mul255(c & 0xFF, a);
}

// Premultiplied back to straight 0xAARRGGBB (a fully transparent pixel reads as 0): the
// imaging library's, so the toolkit and the encoders round alike.
using codec::unpremultiply;

// Multiplies all four channels of a premultiplied pixel by k / 255.
constexpr std::uint32_t scale(std::uint32_t p, std::uint32_t k) {
    if (k == 255) {
        return p;
    }
    // Red and blue, then alpha and green, two channels per 32-bit multiply.
    std::uint32_t rb = (p & 0x00FF00FF) * k + 0x00800080;
    rb = ((rb + ((rb >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
    std::uint32_t ag = ((p >> 8) & 0x00FF00FF) * k + 0x00800080;
    ag = (ag + ((ag >> 8) & 0x00FF00FF)) & 0xFF00FF00;
    return ag | rb;
}

// Source over destination, both premultiplied (colour channels never above alpha).
constexpr std::uint32_t blend(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t sa = src >> 24;
    if (sa == 255) {
        return src;
    }
    if (sa == 0) {
        return dst;
    }
    return src + scale(dst, 255 - sa);
}

// Reads a pixel of any alpha kind as premultiplied.
inline std::uint32_t loadPremultiplied(std::uint32_t p, AlphaKind kind) {
    switch (kind) {
    case AlphaKind::None:
        return p | 0xFF000000u;
    case AlphaKind::Straight:
        return premultiply(p);
    case AlphaKind::Premultiplied:
        break;
    }
    return p;
}

} // namespace scalora::pixel

namespace scalora {

// Converts an image of any alpha kind to premultiplied pixels in place.
inline void premultiplyImage(PixelImage& image) {
    if (image.isNull() || image.alphaKind() == AlphaKind::Premultiplied) {
        return;
    }
    const AlphaKind kind = image.alphaKind();
    for (std::int32_t y = 0; y < image.height(); ++y) {
        std::uint32_t* row = image.row(y);
        for (std::int32_t x = 0; x < image.width(); ++x) {
            row[x] = pixel::loadPremultiplied(row[x], kind);
        }
    }
    image.setAlphaKind(AlphaKind::Premultiplied);
}

} // namespace scalora
