// The one in-memory picture of the program: 32-bit ARGB pixels (0xAARRGGBB in a native
// uint32_t, so B G R A in memory on little-endian machines, the byte order of SDL surfaces
// and libjpeg-turbo's BGRA output) with a row stride and an alpha kind. Codecs, the
// resampler, thumbnails and the toolkit's canvas all use it.
#pragma once

#include "base/geometry.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace scalora {

enum class AlphaKind : std::uint8_t {
    None,          // every alpha byte is 0xFF
    Straight,      // colour channels independent of alpha
    Premultiplied, // colour channels already multiplied by alpha
};

// Largest picture any decoder or allocation will accept: 2^28 pixels (1 GiB of ARGB), well
// above a 200 MP camera frame, far below what a forged header could ask for.
inline constexpr std::uint64_t kMaxPixelCount = std::uint64_t{1} << 28;

class PixelImage {
public:
    PixelImage() = default;
    PixelImage(PixelImage&&) noexcept = default;
    PixelImage& operator=(PixelImage&&) noexcept = default;
    PixelImage(const PixelImage&) = delete;
    PixelImage& operator=(const PixelImage&) = delete;

    // Allocates width x height pixels, contents unspecified. Returns false (and stays null)
    // for a non-positive size or more than kMaxPixelCount pixels.
    [[nodiscard]] bool allocate(std::int32_t width, std::int32_t height,
                                AlphaKind alpha = AlphaKind::None);
    void reset();
    PixelImage clone() const;

    bool isNull() const { return pixels_ == nullptr; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    Size size() const { return {width_, height_}; }
    std::size_t strideBytes() const { return stride_ * sizeof(std::uint32_t); }
    std::size_t stridePixels() const { return stride_; }
    AlphaKind alphaKind() const { return alpha_; }
    void setAlphaKind(AlphaKind alpha) { alpha_ = alpha; }

    std::uint32_t* row(std::int32_t y) {
        return pixels_.get() + static_cast<std::size_t>(y) * stride_;
    }
    const std::uint32_t* row(std::int32_t y) const {
        return pixels_.get() + static_cast<std::size_t>(y) * stride_;
    }
    std::uint8_t* bytes() { return reinterpret_cast<std::uint8_t*>(pixels_.get()); }
    const std::uint8_t* bytes() const {
        return reinterpret_cast<const std::uint8_t*>(pixels_.get());
    }
    std::uint32_t pixel(std::int32_t x, std::int32_t y) const { return row(y)[x]; }
    void setPixel(std::int32_t x, std::int32_t y, std::uint32_t argb) { row(y)[x] = argb; }
    void fill(std::uint32_t argb);

    // Resolution in dots per inch; 0 when the source carried none.
    double dpiX() const { return dpiX_; }
    double dpiY() const { return dpiY_; }
    void setDpi(double x, double y) {
        dpiX_ = x;
        dpiY_ = y;
    }

private:
    std::unique_ptr<std::uint32_t[]> pixels_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::size_t stride_ = 0; // in pixels
    AlphaKind alpha_ = AlphaKind::None;
    double dpiX_ = 0;
    double dpiY_ = 0;
};

} // namespace scalora
