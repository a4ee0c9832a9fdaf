#include "imaging/resample.h"

#include "imaging/resample_stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace scalora {

namespace {

// Destination rows straight into the canvas.
class CanvasTarget final : public ResampleTarget {
public:
    CanvasTarget(PixelImage& canvas, Point origin) : canvas_(canvas), origin_(origin) {}
    std::uint32_t* rowAt(std::int32_t y) override { return canvas_.row(origin_.y + y) + origin_.x; }
    bool rowDone(std::int32_t) override { return true; }

private:
    PixelImage& canvas_;
    Point origin_;
};

// The plain copy at scale 1 (whole-pixel offsets): pixels are copied bit for bit, mirrored
// where the rectangle reaches past the picture.
void copyPlain(const PixelImage& source, Point offset, PixelImage& canvas, Point origin,
               Span columns, Span lines) {
    const std::int32_t w = source.width();
    for (std::int32_t y = lines.begin; y < lines.end; ++y) {
        const std::uint32_t* in = source.row(mirrorIndex(offset.y + y, source.height()));
        std::uint32_t* out = canvas.row(origin.y + y) + origin.x;
        const std::int32_t inside0 = std::max(columns.begin, -offset.x);
        const std::int32_t inside1 = std::min(columns.end, w - offset.x);
        for (std::int32_t x = columns.begin; x < columns.end; ++x) {
            if (x == inside0 && inside0 < inside1) {
                std::memcpy(out + x, in + offset.x + x,
                            static_cast<std::size_t>(inside1 - inside0) * sizeof(std::uint32_t));
                x = inside1 - 1;
                continue;
            }
            out[x] = in[mirrorIndex(offset.x + x, w)];
        }
    }
}

} // namespace

bool isPlainCopy(const SourceRect& r, Size size) {
    return r.width == size.width && r.height == size.height && r.x == std::floor(r.x) &&
           r.y == std::floor(r.y) && std::fabs(r.x) < 1e9 && std::fabs(r.y) < 1e9;
}

bool resampleOnto(const PixelImage& source, const SourceRect& sourceRect, PixelImage& canvas,
                  const Rect& destination, const ResampleOptions& options) {
    if (source.isNull() || canvas.isNull() || destination.isEmpty() || !(sourceRect.width > 0) ||
        !(sourceRect.height > 0) || !std::isfinite(sourceRect.x) || !std::isfinite(sourceRect.y)) {
        return false;
    }
    const Rect visible = destination.intersected({0, 0, canvas.width(), canvas.height()});
    if (visible.isEmpty()) {
        return true;
    }
    const Point origin = destination.topLeft();
    const Span columns{visible.x - origin.x, visible.right() - origin.x};
    const Span lines{visible.y - origin.y, visible.bottom() - origin.y};
    const bool over = source.alphaKind() != AlphaKind::None && options.blend == ResampleBlend::Over;

    // Over a canvas, even a copy blends; only a replacing copy skips the filter.
    if (!over && isPlainCopy(sourceRect, destination.size())) {
        copyPlain(
            source,
            {static_cast<std::int32_t>(sourceRect.x), static_cast<std::int32_t>(sourceRect.y)},
            canvas, origin, columns, lines);
        return true;
    }

    CanvasTarget target(canvas, origin);
    RowResampler resampler;
    if (!resampler.configure(source.size(), source.alphaKind(), sourceRect, destination.size(),
                             columns, lines, options, target)) {
        return false;
    }
    for (std::int32_t y = resampler.sourceRowsBegin(); y < resampler.sourceRowsEnd(); ++y) {
        if (!resampler.pushRow(y, source.row(y))) {
            return false;
        }
    }
    return resampler.finished();
}

PixelImage resampled(const PixelImage& source, Size size, const ResampleOptions& options) {
    PixelImage out;
    if (source.isNull() || !out.allocate(size.width, size.height, source.alphaKind())) {
        return out;
    }
    out.setDpi(source.dpiX(), source.dpiY());
    ResampleOptions replace = options;
    replace.blend = ResampleBlend::Replace;
    const SourceRect all{0, 0, static_cast<double>(source.width()),
                         static_cast<double>(source.height())};
    if (!resampleOnto(source, all, out, {0, 0, size.width, size.height}, replace)) {
        out.reset();
    }
    return out;
}

} // namespace scalora
