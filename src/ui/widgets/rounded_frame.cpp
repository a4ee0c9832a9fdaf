#include "ui/widgets/rounded_frame.h"

#include "ui/draw/canvas.h"

#include <algorithm>
#include <cmath>

namespace scalora {

namespace {

// Samples per axis for the coverage of corner pixels: 4 x 4 gives 17 coverage levels, more
// than a one-pixel curve can show.
constexpr int kSamples = 4;

// Whether a point lies inside a rounded rectangle [x0, x1) x [y0, y1) with radius r.
bool insideRounded(double px, double py, double x0, double y0, double x1, double y1, double r) {
    if (px < x0 || px >= x1 || py < y0 || py >= y1) {
        return false;
    }
    const double cx = std::clamp(px, x0 + r, x1 - r);
    const double cy = std::clamp(py, y0 + r, y1 - r);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
}

Color withCoverage(Color c, double coverage) {
    const double a = alphaOf(c) * std::clamp(coverage, 0.0, 1.0);
    return (c & 0x00FFFFFF) | (static_cast<Color>(std::lround(a)) << 24);
}

} // namespace

void drawRoundedFrame(Canvas& canvas, const Rect& rect, std::int32_t diameter, const Brush& fill,
                      Color pen) {
    if (rect.isEmpty()) {
        return;
    }
    const double w = rect.width;
    const double h = rect.height;
    const double r = diameter < 2 ? 0.0 : std::min({diameter / 2.0, w / 2.0, h / 2.0});
    // Pixels farther than this from every edge are wholly inside the frame.
    const std::int32_t corner = static_cast<std::int32_t>(std::ceil(r)) + 1;
    const bool hasPen = alphaOf(pen) > 0;
    const double inset = hasPen ? 1.0 : 0.0;
    for (std::int32_t row = 0; row < rect.height; ++row) {
        const double t = rect.height > 1 ? static_cast<double>(row) / (rect.height - 1) : 0.0;
        const Color fillColor = fill.colorAt(t);
        const std::int32_t y = rect.y + row;
        const bool cornerRow = row < corner || row >= rect.height - corner;
        // The middle of a row (and the whole row away from the corners) is one run.
        const std::int32_t runStart = cornerRow ? std::min(corner, rect.width) : 0;
        const std::int32_t runEnd =
            cornerRow ? std::max(rect.width - corner, runStart) : rect.width;
        auto pixel = [&](std::int32_t col) {
            int outer = 0;
            int inner = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = col + (sx + 0.5) / kSamples;
                    const double py = row + (sy + 0.5) / kSamples;
                    outer += insideRounded(px, py, 0, 0, w, h, r) ? 1 : 0;
                    inner += insideRounded(px, py, inset, inset, w - inset, h - inset,
                                           std::max(r - inset, 0.0))
                                 ? 1
                                 : 0;
                }
            }
            constexpr double kAll = kSamples * kSamples;
            if (inner > 0) {
                canvas.fillRect({rect.x + col, y, 1, 1}, withCoverage(fillColor, inner / kAll));
            }
            if (hasPen && outer > inner) {
                canvas.fillRect({rect.x + col, y, 1, 1}, withCoverage(pen, (outer - inner) / kAll));
            }
        };
        for (std::int32_t col = 0; col < runStart; ++col) {
            pixel(col);
        }
        const bool edgeRow = hasPen && (row == 0 || row == rect.height - 1);
        if (runEnd > runStart) {
            if (edgeRow) {
                canvas.fillRect({rect.x + runStart, y, runEnd - runStart, 1}, pen);
            } else {
                canvas.fillRect({rect.x + runStart, y, runEnd - runStart, 1}, fillColor);
                if (hasPen && !cornerRow) {
                    canvas.fillRect({rect.x, y, 1, 1}, pen);
                    canvas.fillRect({rect.x + rect.width - 1, y, 1, 1}, pen);
                }
            }
        }
        for (std::int32_t col = runEnd; col < rect.width; ++col) {
            pixel(col);
        }
    }
}

} // namespace scalora
