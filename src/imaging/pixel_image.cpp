#include "imaging/pixel_image.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace scalora {

bool PixelImage::allocate(std::int32_t width, std::int32_t height, AlphaKind alpha) {
    reset();
    if (width <= 0 || height <= 0 ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixelCount) {
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // Memory exhaustion unwinds as std::bad_alloc: the one failure that is an exception.
    pixels_ = std::make_unique_for_overwrite<std::uint32_t[]>(count);
    width_ = width;
    height_ = height;
    stride_ = static_cast<std::size_t>(width);
    alpha_ = alpha;
    return true;
}

void PixelImage::reset() {
    pixels_.reset();
    width_ = height_ = 0;
    stride_ = 0;
    alpha_ = AlphaKind::None;
    dpiX_ = dpiY_ = 0;
}

PixelImage PixelImage::clone() const {
    PixelImage copy;
    if (isNull() || !copy.allocate(width_, height_, alpha_)) {
        return copy;
    }
    for (std::int32_t y = 0; y < height_; ++y) {
        std::memcpy(copy.row(y), row(y), static_cast<std::size_t>(width_) * sizeof(std::uint32_t));
    }
    copy.setDpi(dpiX_, dpiY_);
    return copy;
}

void PixelImage::fill(std::uint32_t argb) {
    for (std::int32_t y = 0; y < height_; ++y) {
        std::fill_n(row(y), width_, argb);
    }
}

} // namespace scalora
