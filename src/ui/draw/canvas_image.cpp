// Image drawing of the canvas: 1:1 blits, filtered scaling and tiling.
//
// Scaling uses a tent filter, separable, in premultiplied alpha so transparent pixels never
// tint their neighbours: its support is one source pixel when enlarging (bilinear) and
// widens with the shrink factor when reducing (every source pixel contributes, so a
// shrunk icon does not alias). Taps outside the source rectangle are dropped and the rest
// renormalised, which has the effect of clamping to the rectangle's edges: a skin frame
// never picks up pixels of its neighbouring frame.
#include "ui/draw/canvas.h"
#include "ui/draw/pixel_ops.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace scalora {

namespace {

// Weights are fixed point with 14 fractional bits: 255 * 2^14 times a tap count of a few
// thousand stays far inside 32 bits, and 1/16384 is well below one level of an 8-bit
// channel after rounding.
constexpr int kWeightBits = 14;
constexpr std::int32_t kWeightOne = 1 << kWeightBits;

struct AxisTaps {
    std::vector<std::int32_t> start; // first source index per target index
    std::vector<std::int32_t> count; // taps per target index
    std::vector<std::int32_t> weights;
    std::vector<std::size_t> offset; // into weights per target index
};

// Taps for target pixels from .. from + count - 1 of a scale from srcLen to dstLen pixels;
// only the visible stretch is computed, so a huge target costs no more than the canvas.
AxisTaps computeTaps(std::int32_t srcLen, std::int32_t dstLen, std::int32_t from,
                     std::int32_t count) {
    AxisTaps taps;
    taps.start.resize(static_cast<std::size_t>(count));
    taps.count.resize(static_cast<std::size_t>(count));
    taps.offset.resize(static_cast<std::size_t>(count));
    const double ratio = static_cast<double>(srcLen) / dstLen; // source pixels per target pixel
    const double filterScale = std::max(1.0, ratio);
    const double support = filterScale; // tent of radius 1, widened when shrinking
    std::vector<double> w;
    for (std::int32_t i = 0; i < count; ++i) {
        const double centre = (from + i + 0.5) * ratio;
        auto first = static_cast<std::int32_t>(std::floor(centre - support + 0.5));
        auto last = static_cast<std::int32_t>(std::ceil(centre + support - 0.5));
        first = std::max(first, 0);
        last = std::min(last, srcLen);
        w.clear();
        double sum = 0;
        for (std::int32_t j = first; j < last; ++j) {
            const double d = std::abs((j + 0.5 - centre) / filterScale);
            const double v = d < 1.0 ? 1.0 - d : 0.0;
            w.push_back(v);
            sum += v;
        }
        if (sum <= 0) { // only when the source is a single pixel wide at the edge
            w.assign(1, 1.0);
            first = std::clamp(static_cast<std::int32_t>(centre), 0, srcLen - 1);
            sum = 1.0;
        }
        const auto idx = static_cast<std::size_t>(i);
        taps.start[idx] = first;
        taps.count[idx] = static_cast<std::int32_t>(w.size());
        taps.offset[idx] = taps.weights.size();
        std::int32_t total = 0;
        std::size_t biggest = taps.weights.size();
        for (double v : w) {
            const auto q = static_cast<std::int32_t>(std::lround(v / sum * kWeightOne));
            if (taps.weights.size() == biggest || q > taps.weights[biggest]) {
                biggest = taps.weights.size();
            }
            taps.weights.push_back(q);
            total += q;
        }
        // Make the weights sum to exactly one so a flat colour stays exactly that colour.
        taps.weights[biggest] += kWeightOne - total;
    }
    return taps;
}

// Accumulates weighted premultiplied pixels and packs the rounded result.
struct Accumulator {
    std::int32_t a = 0, r = 0, g = 0, b = 0;
    void add(std::uint32_t p, std::int32_t w) {
        a += static_cast<std::int32_t>(p >> 24) * w;
        r += static_cast<std::int32_t>((p >> 16) & 0xFF) * w;
        g += static_cast<std::int32_t>((p >> 8) & 0xFF) * w;
        b += static_cast<std::int32_t>(p & 0xFF) * w;
    }
    std::uint32_t pack() const {
        constexpr std::int32_t half = kWeightOne / 2;
        auto ch = [](std::int32_t v) {
            return static_cast<std::uint32_t>(std::clamp((v + half) >> kWeightBits, 0, 255));
        };
        const std::uint32_t pa = ch(a);
        // Rounding may push a colour channel one above alpha; keep the pixel valid.
        return (pa << 24) | (std::min(ch(r), pa) << 16) | (std::min(ch(g), pa) << 8) |
               std::min(ch(b), pa);
    }
};

inline void store(std::uint32_t* d, std::uint32_t s, CompositeMode mode, std::uint8_t opacity) {
    s = pixel::scale(s, opacity);
    *d = mode == CompositeMode::SourceCopy ? s : pixel::blend(s, *d);
}

} // namespace

void Canvas::drawImage(const PixelImage& image, Point at, CompositeMode mode) {
    drawImage(image, {0, 0, image.width(), image.height()},
              {at.x, at.y, image.width(), image.height()}, mode);
}

void Canvas::drawImage(const PixelImage& image, const Rect& source, const Rect& target,
                       CompositeMode mode, std::uint8_t opacity) {
    if (isNull() || image.isNull() || target.isEmpty() || opacity == 0) {
        return;
    }
    const Rect src = source.intersected({0, 0, image.width(), image.height()});
    if (src.isEmpty()) {
        return;
    }
    const AlphaKind kind = image.alphaKind();
    const Rect dst = toDevice(target);

    if (src.size() == dst.size()) {
        for (const Rect& c : clip_.rects()) {
            const Rect r = dst.intersected(c);
            for (std::int32_t y = r.top(); y < r.bottom(); ++y) {
                const std::uint32_t* s = image.row(src.y + y - dst.y) + src.x + (r.x - dst.x);
                std::uint32_t* d = image_.row(y) + r.x;
                for (std::int32_t x = 0; x < r.width; ++x) {
                    store(d + x, pixel::loadPremultiplied(s[x], kind), mode, opacity);
                }
            }
        }
        return;
    }

    const Rect visible = dst.intersected(clip_.boundingBox());
    if (visible.isEmpty()) {
        return;
    }
    const AxisTaps xt = computeTaps(src.width, dst.width, visible.x - dst.x, visible.width);
    const AxisTaps yt = computeTaps(src.height, dst.height, visible.y - dst.y, visible.height);
    std::vector<std::uint32_t> rows; // horizontally resampled source rows of one clip piece
    for (const Rect& c : clip_.rects()) {
        const Rect r = dst.intersected(c);
        if (r.isEmpty()) {
            continue;
        }
        const auto firstIdx = static_cast<std::size_t>(r.top() - visible.y);
        const auto lastIdx = static_cast<std::size_t>(r.bottom() - visible.y - 1);
        const std::int32_t rowFirst = yt.start[firstIdx];
        const std::int32_t rowLast = yt.start[lastIdx] + yt.count[lastIdx]; // exclusive
        const auto width = static_cast<std::size_t>(r.width);
        rows.resize(static_cast<std::size_t>(rowLast - rowFirst) * width);
        for (std::int32_t sy = rowFirst; sy < rowLast; ++sy) {
            const std::uint32_t* s = image.row(src.y + sy) + src.x;
            std::uint32_t* out = rows.data() + static_cast<std::size_t>(sy - rowFirst) * width;
            for (std::int32_t x = 0; x < r.width; ++x) {
                const auto ix = static_cast<std::size_t>(r.x - visible.x + x);
                Accumulator acc;
                const std::int32_t* w = xt.weights.data() + xt.offset[ix];
                for (std::int32_t k = 0; k < xt.count[ix]; ++k) {
                    acc.add(pixel::loadPremultiplied(s[xt.start[ix] + k], kind), w[k]);
                }
                out[x] = acc.pack();
            }
        }
        for (std::int32_t y = r.top(); y < r.bottom(); ++y) {
            const auto iy = static_cast<std::size_t>(y - visible.y);
            const std::int32_t* w = yt.weights.data() + yt.offset[iy];
            std::uint32_t* d = image_.row(y) + r.x;
            for (std::int32_t x = 0; x < r.width; ++x) {
                Accumulator acc;
                for (std::int32_t k = 0; k < yt.count[iy]; ++k) {
                    const auto row = static_cast<std::size_t>(yt.start[iy] + k - rowFirst);
                    acc.add(rows[row * width + static_cast<std::size_t>(x)], w[k]);
                }
                store(d + x, acc.pack(), mode, opacity);
            }
        }
    }
}

void Canvas::fillTiled(const PixelImage& image, const Rect& source, const Rect& target,
                       CompositeMode mode) {
    if (isNull() || image.isNull() || target.isEmpty()) {
        return;
    }
    const Rect src = source.intersected({0, 0, image.width(), image.height()});
    if (src.isEmpty()) {
        return;
    }
    const AlphaKind kind = image.alphaKind();
    const Rect dst = toDevice(target);
    for (const Rect& c : clip_.rects()) {
        const Rect r = dst.intersected(c);
        for (std::int32_t y = r.top(); y < r.bottom(); ++y) {
            const std::uint32_t* s = image.row(src.y + (y - dst.y) % src.height) + src.x;
            std::uint32_t* d = image_.row(y);
            std::int32_t sx = (r.x - dst.x) % src.width;
            for (std::int32_t x = r.x; x < r.right(); ++x) {
                store(d + x, pixel::loadPremultiplied(s[sx], kind), mode, 255);
                if (++sx == src.width) {
                    sx = 0;
                }
            }
        }
    }
}

} // namespace scalora
