#include "ui/draw/canvas.h"

#include "ui/draw/pixel_ops.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace scalora {

bool Canvas::resize(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0 || (width == this->width() && height == this->height())) {
        return false;
    }
    PixelImage next;
    if (!next.allocate(width, height, AlphaKind::Premultiplied)) {
        return false;
    }
    next.fill(0);
    image_ = std::move(next);
    origin_ = {};
    clip_ = Region(bounds());
    return true;
}

Color Canvas::pixelColor(std::int32_t x, std::int32_t y) const {
    if (!bounds().contains({x, y})) {
        return 0;
    }
    return pixel::unpremultiply(image_.pixel(x, y));
}

void Canvas::clear(Color color) {
    if (isNull()) {
        return;
    }
    if (alphaOf(color) < 255) {
        image_.fill(pixel::premultiply(color));
        return;
    }
    for (const Rect& r : clip_.rects()) {
        for (std::int32_t y = r.top(); y < r.bottom(); ++y) {
            std::fill_n(image_.row(y) + r.x, r.width, color);
        }
    }
}

void Canvas::clipTo(const Rect& rect) {
    clip_.intersect(toDevice(rect));
}

void Canvas::clipTo(std::span<const Rect> rects) {
    Region combined;
    for (const Rect& r : rects) {
        combined.unite(toDevice(r));
    }
    clip_.intersect(combined);
}

void Canvas::clipTo(const Region& region) {
    Region device = region;
    device.translate(origin_.x, origin_.y);
    clip_.intersect(device);
}

void Canvas::resetClip() {
    clip_ = Region(bounds());
}

Rect Canvas::clipBox() const {
    return clip_.boundingBox().translated(-origin_.x, -origin_.y);
}

void Canvas::restoreState(const State& state) {
    origin_ = state.origin;
    clip_ = state.clip;
    clip_.intersect(bounds());
}

void Canvas::fillSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, std::uint32_t p) {
    for (const Rect& c : clip_.rects()) {
        if (y < c.top() || y >= c.bottom()) {
            continue;
        }
        const std::int32_t a = std::max(x0, c.left());
        const std::int32_t b = std::min(x1, c.right());
        if (a >= b) {
            continue;
        }
        std::uint32_t* row = image_.row(y);
        if ((p >> 24) == 255) {
            std::fill(row + a, row + b, p);
        } else {
            for (std::int32_t x = a; x < b; ++x) {
                row[x] = pixel::blend(p, row[x]);
            }
        }
    }
}

void Canvas::fillRect(const Rect& rect, Color color) {
    const std::uint32_t p = pixel::premultiply(color);
    if (p == 0 || isNull()) {
        return;
    }
    const Rect target = toDevice(rect);
    for (const Rect& c : clip_.rects()) {
        const Rect r = target.intersected(c);
        for (std::int32_t y = r.top(); y < r.bottom(); ++y) {
            std::uint32_t* row = image_.row(y);
            if ((p >> 24) == 255) {
                std::fill(row + r.x, row + r.right(), p);
            } else {
                for (std::int32_t x = r.x; x < r.right(); ++x) {
                    row[x] = pixel::blend(p, row[x]);
                }
            }
        }
    }
}

namespace {

// Premultiplied colours of a gradient that runs over `length` pixels, sampled at pixels
// first .. first + count - 1 of it. Only the visible stretch is computed, so a huge
// rectangle costs no more than the canvas.
std::vector<std::uint32_t> gradientRamp(const Brush& brush, std::int64_t length, std::int64_t first,
                                        std::int32_t count) {
    std::vector<std::uint32_t> ramp(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t i = 0; i < count; ++i) {
        const double t =
            length > 1 ? static_cast<double>(first + i) / static_cast<double>(length - 1) : 0.0;
        ramp[static_cast<std::size_t>(i)] = pixel::premultiply(brush.colorAt(t));
    }
    return ramp;
}

} // namespace

void Canvas::fillRect(const Rect& rect, const Brush& brush) {
    if (!brush.isGradient()) {
        fillRect(rect, brush.color());
        return;
    }
    if (isNull() || rect.isEmpty()) {
        return;
    }
    const Rect target = toDevice(rect);
    const Rect span = target.intersected(clip_.boundingBox());
    if (span.isEmpty()) {
        return;
    }
    const bool vertical = brush.direction() == GradientDirection::Vertical;
    const std::vector<std::uint32_t> ramp =
        vertical ? gradientRamp(brush, target.height, span.y - target.y, span.height)
                 : gradientRamp(brush, target.width, span.x - target.x, span.width);
    for (const Rect& c : clip_.rects()) {
        const Rect r = target.intersected(c);
        for (std::int32_t y = r.top(); y < r.bottom(); ++y) {
            std::uint32_t* row = image_.row(y);
            for (std::int32_t x = r.x; x < r.right(); ++x) {
                const std::uint32_t p =
                    ramp[static_cast<std::size_t>(vertical ? y - span.y : x - span.x)];
                row[x] = pixel::blend(p, row[x]);
            }
        }
    }
}

void Canvas::drawRect(const Rect& rect, Color pen) {
    if (rect.isEmpty()) {
        return;
    }
    fillRect({rect.x, rect.y, rect.width, 1}, pen);
    if (rect.height > 1) {
        fillRect({rect.x, rect.bottom() - 1, rect.width, 1}, pen);
    }
    if (rect.height > 2) {
        fillRect({rect.x, rect.y + 1, 1, rect.height - 2}, pen);
        if (rect.width > 1) {
            fillRect({rect.right() - 1, rect.y + 1, 1, rect.height - 2}, pen);
        }
    }
}

void Canvas::drawLine(Point a, Point b, Color pen) {
    const std::uint32_t p = pixel::premultiply(pen);
    if (p == 0 || isNull()) {
        return;
    }
    std::int32_t x0 = a.x + origin_.x;
    std::int32_t y0 = a.y + origin_.y;
    const std::int32_t x1 = b.x + origin_.x;
    const std::int32_t y1 = b.y + origin_.y;
    const std::int32_t dx = std::abs(x1 - x0);
    const std::int32_t dy = -std::abs(y1 - y0);
    const std::int32_t sx = x0 < x1 ? 1 : -1;
    const std::int32_t sy = y0 < y1 ? 1 : -1;
    std::int32_t err = dx + dy;
    for (;;) {
        if (clip_.contains({x0, y0})) {
            std::uint32_t& d = image_.row(y0)[x0];
            d = pixel::blend(p, d);
        }
        if (x0 == x1 && y0 == y1) {
            break;
        }
        const std::int32_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::fillPolygon(std::span<const Point> points, const Brush& brush, FillRule rule) {
    if (points.size() < 3 || isNull()) {
        return;
    }
    // The bounding box in 64 bits: points far outside the canvas must not overflow it.
    std::int64_t minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const Point& pt : points) {
        minX = std::min<std::int64_t>(minX, pt.x);
        maxX = std::max<std::int64_t>(maxX, pt.x);
        minY = std::min<std::int64_t>(minY, pt.y);
        maxY = std::max<std::int64_t>(maxY, pt.y);
    }
    minX += origin_.x;
    maxX += origin_.x;
    minY += origin_.y;
    maxY += origin_.y;
    const Rect clipBox = clip_.boundingBox();
    const auto left = static_cast<std::int32_t>(std::max<std::int64_t>(minX, clipBox.left()));
    const auto top = static_cast<std::int32_t>(std::max<std::int64_t>(minY, clipBox.top()));
    const auto right = static_cast<std::int32_t>(std::min<std::int64_t>(maxX, clipBox.right()));
    const auto bottom = static_cast<std::int32_t>(std::min<std::int64_t>(maxY, clipBox.bottom()));
    if (right <= left || bottom <= top) {
        return;
    }
    const Rect limit{left, top, right - left, bottom - top};
    const bool vertical = brush.direction() == GradientDirection::Vertical;
    std::vector<std::uint32_t> ramp;
    if (brush.isGradient()) {
        ramp = vertical ? gradientRamp(brush, maxY - minY, limit.y - minY, limit.height)
                        : gradientRamp(brush, maxX - minX, limit.x - minX, limit.width);
    }
    const std::uint32_t solid = pixel::premultiply(brush.color());

    struct Crossing {
        double x;
        int winding;
    };
    std::vector<Crossing> crossings;
    const std::size_t n = points.size();
    for (std::int32_t y = limit.top(); y < limit.bottom(); ++y) {
        // Sample at the pixel centre, in origin-relative coordinates.
        const double sy = y - origin_.y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const Point& p0 = points[i];
            const Point& p1 = points[(i + 1) % n];
            if (p0.y == p1.y) {
                continue;
            }
            const bool down = p1.y > p0.y;
            const double ya = down ? p0.y : p1.y;
            const double yb = down ? p1.y : p0.y;
            if (sy < ya || sy >= yb) {
                continue;
            }
            // In doubles: differences of far-apart points overflow 32 bits.
            const double along = (sy - p0.y) / (static_cast<double>(p1.y) - p0.y);
            crossings.push_back(
                {p0.x + along * (static_cast<double>(p1.x) - p0.x) + origin_.x, down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& lhs, const Crossing& rhs) { return lhs.x < rhs.x; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += rule == FillRule::EvenOdd ? 1 : crossings[i].winding;
            const bool inside = rule == FillRule::EvenOdd ? (winding & 1) != 0 : winding != 0;
            if (!inside) {
                continue;
            }
            // Pixels whose centre lies in [xa, xb), within the limit.
            const auto x0 = static_cast<std::int32_t>(
                std::clamp(std::ceil(crossings[i].x - 0.5), static_cast<double>(limit.left()),
                           static_cast<double>(limit.right())));
            const auto x1 = static_cast<std::int32_t>(
                std::clamp(std::ceil(crossings[i + 1].x - 0.5), static_cast<double>(limit.left()),
                           static_cast<double>(limit.right())));
            if (x0 >= x1) {
                continue;
            }
            if (ramp.empty()) {
                fillSpan(y, x0, x1, solid);
            } else if (vertical) {
                fillSpan(y, x0, x1, ramp[static_cast<std::size_t>(y - limit.y)]);
            } else {
                for (std::int32_t x = x0; x < x1; ++x) {
                    fillSpan(y, x, x + 1, ramp[static_cast<std::size_t>(x - limit.x)]);
                }
            }
        }
    }
}

void Canvas::drawPolygon(std::span<const Point> points, Color pen) {
    if (points.empty()) {
        return;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % points.size()];
        drawLine(a, b, pen);
    }
}

void Canvas::copyFrom(const Canvas& other, const Rect& source, Point at) {
    if (isNull() || other.isNull()) {
        return;
    }
    const Rect src = source.intersected(other.bounds());
    // Keep the part of the source that survived clamping aligned with the target.
    const Rect target =
        toDevice({at.x + (src.x - source.x), at.y + (src.y - source.y), src.width, src.height});
    for (const Rect& c : clip_.rects()) {
        const Rect r = target.intersected(c);
        for (std::int32_t y = r.top(); y < r.bottom(); ++y) {
            const std::uint32_t* from =
                other.image_.row(src.y + (y - target.y)) + src.x + (r.x - target.x);
            std::memcpy(image_.row(y) + r.x, from, static_cast<std::size_t>(r.width) * 4);
        }
    }
}

} // namespace scalora
