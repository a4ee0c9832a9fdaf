// Plain geometry and colour values shared by every subsystem: signed 32-bit pixels, colours
// as 0xAARRGGBB.
#pragma once

#include <algorithm>
#include <cstdint>

namespace scalora {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Size&, const Size&) = default;
};

// Keeps a size within limits; a limit of 0 (or less) in a dimension means "no limit" there.
inline Size clampSize(Size s, Size minimum, Size maximum) {
    if (minimum.width > 0) {
        s.width = std::max(s.width, minimum.width);
    }
    if (minimum.height > 0) {
        s.height = std::max(s.height, minimum.height);
    }
    if (maximum.width > 0) {
        s.width = std::min(s.width, maximum.width);
    }
    if (maximum.height > 0) {
        s.height = std::min(s.height, maximum.height);
    }
    return s;
}

struct Margins {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Margins&, const Margins&) = default;
};

struct Rect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    std::int32_t left() const { return x; }
    std::int32_t top() const { return y; }
    std::int32_t right() const { return x + width; }   // one past the last column
    std::int32_t bottom() const { return y + height; } // one past the last row
    Point topLeft() const { return {x, y}; }
    Size size() const { return {width, height}; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(Point p) const { return p.x >= x && p.y >= y && p.x < right() && p.y < bottom(); }
    bool containsRect(const Rect& r) const {
        return r.x >= x && r.y >= y && r.right() <= right() && r.bottom() <= bottom();
    }
    Rect intersected(const Rect& r) const {
        const std::int32_t l = std::max(x, r.x);
        const std::int32_t t = std::max(y, r.y);
        const std::int32_t rr = std::min(right(), r.right());
        const std::int32_t b = std::min(bottom(), r.bottom());
        if (rr <= l || b <= t) {
            return {};
        }
        return {l, t, rr - l, b - t};
    }
    Rect united(const Rect& r) const {
        if (isEmpty()) {
            return r;
        }
        if (r.isEmpty()) {
            return *this;
        }
        const std::int32_t l = std::min(x, r.x);
        const std::int32_t t = std::min(y, r.y);
        return {l, t, std::max(right(), r.right()) - l, std::max(bottom(), r.bottom()) - t};
    }
    Rect translated(std::int32_t dx, std::int32_t dy) const {
        return {x + dx, y + dy, width, height};
    }
    Rect shrunk(const Margins& m) const {
        return {x + m.left, y + m.top, width - m.left - m.right, height - m.top - m.bottom};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// 0xAARRGGBB. 0x00FFFFFF is the toolkit's "transparent" marker value.
using Color = std::uint32_t;
inline constexpr Color kTransparentColor = 0x00FFFFFF;
constexpr std::uint8_t alphaOf(Color c) {
    return static_cast<std::uint8_t>(c >> 24);
}
constexpr std::uint8_t redOf(Color c) {
    return static_cast<std::uint8_t>(c >> 16);
}
constexpr std::uint8_t greenOf(Color c) {
    return static_cast<std::uint8_t>(c >> 8);
}
constexpr std::uint8_t blueOf(Color c) {
    return static_cast<std::uint8_t>(c);
}
constexpr Color makeColor(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (Color{a} << 24) | (Color{r} << 16) | (Color{g} << 8) | Color{b};
}

} // namespace scalora
