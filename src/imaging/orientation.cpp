#include "imaging/orientation.h"

#include <algorithm>
#include <cstring>

namespace scalora {
namespace {

// Where stored pixel (x, y) of a w x h image lands in the displayed image.
struct Mapping {
    // displayed = (ax * x + bx * y + cx, ay * x + by * y + cy)
    int ax, bx, ay, by;
    std::int32_t cx, cy;
};

Mapping mappingFor(int orientation, std::int32_t w, std::int32_t h) {
    switch (orientation) {
    case 2:
        return {-1, 0, 0, 1, w - 1, 0};
    case 3:
        return {-1, 0, 0, -1, w - 1, h - 1};
    case 4:
        return {1, 0, 0, -1, 0, h - 1};
    case 5:
        return {0, 1, 1, 0, 0, 0};
    case 6:
        return {0, -1, 1, 0, h - 1, 0};
    case 7:
        return {0, -1, -1, 0, h - 1, w - 1};
    case 8:
        return {0, 1, -1, 0, 0, w - 1};
    default:
        return {1, 0, 0, 1, 0, 0};
    }
}

} // namespace

Size orientedSize(Size stored, int orientation) {
    return orientationSwapsAxes(orientation) ? Size{stored.height, stored.width} : stored;
}

PixelImage orientedImage(const PixelImage& stored, int orientation) {
    if (!isValidOrientation(orientation)) {
        orientation = 1;
    }
    PixelImage out;
    if (stored.isNull()) {
        return out;
    }
    const Size size = orientedSize(stored.size(), orientation);
    if (!out.allocate(size.width, size.height, stored.alphaKind())) {
        return out;
    }
    if (orientationSwapsAxes(orientation)) {
        out.setDpi(stored.dpiY(), stored.dpiX());
    } else {
        out.setDpi(stored.dpiX(), stored.dpiY());
    }
    const std::int32_t w = stored.width();
    const std::int32_t h = stored.height();
    const Mapping m = mappingFor(orientation, w, h);
    if (m.bx == 0) {
        // Rows stay rows: copy or mirror whole rows.
        for (std::int32_t y = 0; y < h; ++y) {
            const std::uint32_t* src = stored.row(y);
            std::uint32_t* dst = out.row(m.by * y + m.cy);
            if (m.ax == 1) {
                std::memcpy(dst, src, static_cast<std::size_t>(w) * sizeof(std::uint32_t));
            } else {
                std::reverse_copy(src, src + w, dst);
            }
        }
        return out;
    }
    // Rows become columns. Work in square tiles so that both the reads and the scattered
    // writes stay within a few cache lines (a 24 MP turn would otherwise miss on every pixel).
    constexpr std::int32_t kTile = 32;
    for (std::int32_t ty = 0; ty < h; ty += kTile) {
        const std::int32_t yEnd = std::min(h, ty + kTile);
        for (std::int32_t tx = 0; tx < w; tx += kTile) {
            const std::int32_t xEnd = std::min(w, tx + kTile);
            for (std::int32_t y = ty; y < yEnd; ++y) {
                const std::uint32_t* src = stored.row(y);
                const std::int32_t dx = m.bx * y + m.cx;
                for (std::int32_t x = tx; x < xEnd; ++x) {
                    out.row(m.ay * x + m.cy)[dx] = src[x];
                }
            }
        }
    }
    return out;
}

void applyOrientation(PixelImage& image, int orientation) {
    if (image.isNull() || !isValidOrientation(orientation) || orientation == 1) {
        return;
    }
    if (orientationSwapsAxes(orientation)) {
        image = orientedImage(image, orientation);
        return;
    }
    const std::int32_t w = image.width();
    const std::int32_t h = image.height();
    if (orientation == 2 || orientation == 3) {
        for (std::int32_t y = 0; y < h; ++y) {
            std::reverse(image.row(y), image.row(y) + w);
        }
    }
    if (orientation == 3 || orientation == 4) {
        for (std::int32_t y = 0; y < h / 2; ++y) {
            std::swap_ranges(image.row(y), image.row(y) + w, image.row(h - 1 - y));
        }
    }
}

} // namespace scalora
