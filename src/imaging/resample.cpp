#include "imaging/resample.h"

#include "imaging/resample_kernels.h"
#include "imaging/resample_sse2.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

// Index
// 1. Fixed-point formats of the two pixel paths
// 2. Source rows: straight from the picture, or premultiplied into a small row cache
// 3. Destination stores
// 4. The pass driver
// 5. The plain copy at scale 1
// 6. Entry points

namespace scalora {

namespace {

using resample_detail::horizontalPass;
using resample_detail::verticalPass;

// 1. Fixed-point formats.
//
// Opaque pictures filter their 8-bit bytes directly. The intermediate row keeps 7 fraction bits
// (255 << 7 = 32640 fits int16), so the second pass does not add a rounding step of its own; the
// horizontal sum then carries 14 + 7 fraction bits.
struct OpaqueFormat {
    using In = std::uint8_t;
    using Mid = std::int16_t;
    static constexpr int kVerticalShift = kWeightBits - 7;
    static constexpr std::int32_t kMidMax = 255 << 7;
    static constexpr int kHorizontalShift = kWeightBits + 7;
    static constexpr std::int32_t kOutMax = 255;
};

// Pictures with alpha filter 16-bit premultiplied samples: colour x alpha (0 .. 255 x 255) and
// alpha x 255, all on the same 0 .. 65025 scale. Keeping the product exact is what lets a flat
// half-transparent area come back with its exact colour after the division at the end.
constexpr std::int32_t kPremultipliedMax = 255 * 255;
struct AlphaFormat {
    using In = std::uint16_t;
    using Mid = std::uint16_t;
    static constexpr int kVerticalShift = kWeightBits;
    static constexpr std::int32_t kMidMax = kPremultipliedMax;
    static constexpr int kHorizontalShift = kWeightBits;
    static constexpr std::int32_t kOutMax = kPremultipliedMax;
};

std::uint32_t packArgb(std::int32_t a, std::int32_t r, std::int32_t g, std::int32_t b) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(r) << 16 |
           static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

// 2. Source rows. Channel order in memory is B, G, R, A (little-endian 0xAARRGGBB).

// Rows of an opaque picture are read in place.
class OpaqueRows {
public:
    OpaqueRows(const PixelImage& source, std::int32_t realLow)
        : source_(source), offset_(static_cast<std::size_t>(realLow) * 4) {}
    const std::uint8_t* row(std::int32_t y) {
        return reinterpret_cast<const std::uint8_t*>(source_.row(y)) + offset_;
    }

private:
    const PixelImage& source_;
    std::size_t offset_;
};

// Rows of a picture with alpha are premultiplied once each into a ring of cached rows. A
// destination row needs at most `taps` distinct source rows within a span shorter than the ring
// (mirroring only folds indices back into that span), so a ring of taps + 1 rows indexed by
// row modulo ring size never evicts a row the current destination row still needs.
class PremultipliedRows {
public:
    PremultipliedRows(const PixelImage& source, std::int32_t realLow, std::int32_t realHigh,
                      std::int32_t taps)
        : source_(source), low_(realLow), width_(static_cast<std::size_t>(realHigh - realLow)),
          slots_(static_cast<std::size_t>(taps) + 1), rows_(slots_ * width_ * 4),
          rowOfSlot_(slots_, -1) {}

    const std::uint16_t* row(std::int32_t y) {
        const std::size_t slot = static_cast<std::size_t>(y) % slots_;
        std::uint16_t* out = rows_.data() + slot * width_ * 4;
        if (rowOfSlot_[slot] != y) {
            fill(source_.row(y) + low_, out);
            rowOfSlot_[slot] = y;
        }
        return out;
    }

private:
    void fill(const std::uint32_t* in, std::uint16_t* out) const {
        const bool premultiplied = source_.alphaKind() == AlphaKind::Premultiplied;
        for (std::size_t x = 0; x < width_; ++x) {
            const std::uint32_t p = in[x];
            const std::uint32_t a = p >> 24;
            // Straight colour x alpha is the premultiplied value at 255 x its 8-bit precision;
            // an already premultiplied byte only needs the same scale.
            const std::uint32_t f = premultiplied ? 255 : a;
            out[4 * x + 0] = static_cast<std::uint16_t>((p & 0xFF) * f);
            out[4 * x + 1] = static_cast<std::uint16_t>((p >> 8 & 0xFF) * f);
            out[4 * x + 2] = static_cast<std::uint16_t>((p >> 16 & 0xFF) * f);
            out[4 * x + 3] = static_cast<std::uint16_t>(a * 255);
        }
    }

    const PixelImage& source_;
    std::int32_t low_;
    std::size_t width_;
    std::size_t slots_;
    std::vector<std::uint16_t> rows_;
    std::vector<std::int32_t> rowOfSlot_;
};

// 3. Destination stores: each gets the filtered channels (B, G, R, A) of one pixel.

struct OpaqueStore {
    std::uint32_t* out;
    void operator()(std::int32_t x, const std::int32_t c[4]) const {
        out[x] = packArgb(255, c[2], c[1], c[0]);
    }
};

struct StraightStore {
    std::uint32_t* out;
    void operator()(std::int32_t x, const std::int32_t c[4]) const {
        const std::int32_t q = c[3];
        const std::int32_t a = (q + 127) / 255;
        if (a == 0) {
            out[x] = 0; // fully transparent carries no colour
            return;
        }
        // colour = (colour x alpha) / alpha, both on the 0 .. 65025 scale.
        const auto unpremultiply = [q](std::int32_t v) {
            return std::min<std::int32_t>(255, (v * 255 + q / 2) / q);
        };
        out[x] = packArgb(a, unpremultiply(c[2]), unpremultiply(c[1]), unpremultiply(c[0]));
    }
};

struct PremultipliedStore {
    std::uint32_t* out;
    void operator()(std::int32_t x, const std::int32_t c[4]) const {
        const std::int32_t a = (c[3] + 127) / 255;
        const auto scale = [a](std::int32_t v) { return std::min(a, (v + 127) / 255); };
        out[x] = packArgb(a, scale(c[2]), scale(c[1]), scale(c[0]));
    }
};

// Source over an opaque canvas: result = colour x alpha + canvas x (1 - alpha).
struct OverStore {
    std::uint32_t* out;
    void operator()(std::int32_t x, const std::int32_t c[4]) const {
        const std::int32_t q = c[3];
        const std::uint32_t d = out[x];
        const auto blend = [q](std::int32_t v, std::uint32_t canvas) {
            const std::int32_t sum =
                std::min(v, q) * 255 +
                static_cast<std::int32_t>(canvas & 0xFF) * (kPremultipliedMax - q);
            return (sum + kPremultipliedMax / 2) / kPremultipliedMax;
        };
        out[x] = packArgb(255, blend(c[2], d >> 16), blend(c[1], d >> 8), blend(c[0], d));
    }
};

// 4. The pass driver.

struct Span {
    std::int32_t begin;
    std::int32_t end;
};

template <typename Format, typename Rows, typename MakeStore>
void runPasses(const PixelImage& source, const AxisWeights& wx, const AxisWeights& wy, Rows& rows,
               PixelImage& canvas, Point origin, Span columns, Span lines, bool simd,
               MakeStore makeStore) {
    using Mid = typename Format::Mid;
    using In = typename Format::In;
    const std::int32_t width = source.width();
    // The intermediate row is indexed by virtual column: real columns sit at their own index,
    // columns beyond the picture are mirrored copies filled in after each vertical pass.
    const std::int32_t base = std::min(wx.virtualLow, wx.realLow);
    const std::int32_t top = std::max(wx.virtualHigh, wx.realHigh);
    std::vector<Mid> mid(static_cast<std::size_t>(top - base) * 4);
    std::vector<std::pair<std::size_t, std::size_t>> mirrored; // (to, from) in samples
    for (std::int32_t v = wx.virtualLow; v < wx.virtualHigh; ++v) {
        if (v < 0 || v >= width) {
            mirrored.emplace_back(static_cast<std::size_t>(v - base) * 4,
                                  static_cast<std::size_t>(mirrorIndex(v, width) - base) * 4);
        }
    }
    Mid* realPart = mid.data() + static_cast<std::size_t>(wx.realLow - base) * 4;
    const std::size_t realSamples = static_cast<std::size_t>(wx.realHigh - wx.realLow) * 4;
    std::vector<const In*> sourceRows(static_cast<std::size_t>(wy.taps));

    for (std::int32_t y = lines.begin; y < lines.end; ++y) {
        const std::int32_t first = wy.first[static_cast<std::size_t>(y)];
        for (std::int32_t t = 0; t < wy.taps; ++t) {
            sourceRows[static_cast<std::size_t>(t)] =
                rows.row(mirrorIndex(first + t, source.height()));
        }
        std::uint32_t* out = canvas.row(origin.y + y) + origin.x;
#if defined(SCALORA_RESAMPLE_SSE2)
        if constexpr (std::is_same_v<Format, OpaqueFormat>) {
            if (simd) {
                resample_detail::verticalPassOpaqueSse2(sourceRows.data(), wy.weightsOf(y), wy.taps,
                                                        realSamples, realPart,
                                                        Format::kVerticalShift, Format::kMidMax);
                for (const auto& [to, from] : mirrored) {
                    std::copy_n(mid.data() + from, 4, mid.data() + to);
                }
                resample_detail::horizontalPassOpaqueSse2(mid.data(), base, wx, columns.begin,
                                                          columns.end, Format::kHorizontalShift,
                                                          out);
                continue;
            }
        }
#endif
        (void)simd;
        verticalPass<In, Mid, Format::kVerticalShift, Format::kMidMax>(
            sourceRows.data(), wy.weightsOf(y), wy.taps, realSamples, realPart);
        for (const auto& [to, from] : mirrored) {
            std::copy_n(mid.data() + from, 4, mid.data() + to);
        }
        horizontalPass<Mid, Format::kHorizontalShift, Format::kOutMax>(
            mid.data(), base, wx, columns.begin, columns.end, makeStore(out));
    }
}

// 5. The plain copy at scale 1 (whole-pixel offsets): pixels are copied bit for bit, mirrored
// where the rectangle reaches past the picture.
bool isPlainCopy(const SourceRect& r, Size size) {
    return r.width == size.width && r.height == size.height && r.x == std::floor(r.x) &&
           r.y == std::floor(r.y) && std::fabs(r.x) < 1e9 && std::fabs(r.y) < 1e9;
}

void copyPlain(const PixelImage& source, Point offset, PixelImage& canvas, Point origin,
               Span columns, Span lines, bool over) {
    const std::int32_t w = source.width();
    const bool premultiplied = source.alphaKind() == AlphaKind::Premultiplied;
    for (std::int32_t y = lines.begin; y < lines.end; ++y) {
        const std::uint32_t* in = source.row(mirrorIndex(offset.y + y, source.height()));
        std::uint32_t* out = canvas.row(origin.y + y) + origin.x;
        const std::int32_t inside0 = std::max(columns.begin, -offset.x);
        const std::int32_t inside1 = std::min(columns.end, w - offset.x);
        for (std::int32_t x = columns.begin; x < columns.end; ++x) {
            if (x == inside0 && inside0 < inside1 && !over) {
                std::memcpy(out + x, in + offset.x + x,
                            static_cast<std::size_t>(inside1 - inside0) * sizeof(std::uint32_t));
                x = inside1 - 1;
                continue;
            }
            const std::uint32_t p = in[mirrorIndex(offset.x + x, w)];
            if (!over) {
                out[x] = p;
                continue;
            }
            const auto a = static_cast<std::int32_t>(p >> 24);
            const std::int32_t f = premultiplied ? 255 : a;
            const std::int32_t c[4] = {static_cast<std::int32_t>(p & 0xFF) * f,
                                       static_cast<std::int32_t>(p >> 8 & 0xFF) * f,
                                       static_cast<std::int32_t>(p >> 16 & 0xFF) * f, a * 255};
            OverStore{out}(x, c);
        }
    }
}

} // namespace

// 6. Entry points.

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
    const bool hasAlpha = source.alphaKind() != AlphaKind::None;
    const bool over = hasAlpha && options.blend == ResampleBlend::Over;

    if (isPlainCopy(sourceRect, destination.size())) {
        copyPlain(
            source,
            {static_cast<std::int32_t>(sourceRect.x), static_cast<std::int32_t>(sourceRect.y)},
            canvas, origin, columns, lines, over);
        return true;
    }

    AxisWeights wx;
    AxisWeights wy;
    if (!computeAxisWeights(sourceRect.x, sourceRect.width, source.width(), destination.width,
                            options.filter, wx) ||
        !computeAxisWeights(sourceRect.y, sourceRect.height, source.height(), destination.height,
                            options.filter, wy)) {
        return false;
    }
    if (!hasAlpha) {
        OpaqueRows rows(source, wx.realLow);
        runPasses<OpaqueFormat>(source, wx, wy, rows, canvas, origin, columns, lines,
                                options.allowSimd,
                                [](std::uint32_t* out) { return OpaqueStore{out}; });
        return true;
    }
    PremultipliedRows rows(source, wx.realLow, wx.realHigh, wy.taps);
    if (over) {
        runPasses<AlphaFormat>(source, wx, wy, rows, canvas, origin, columns, lines,
                               options.allowSimd,
                               [](std::uint32_t* out) { return OverStore{out}; });
    } else if (source.alphaKind() == AlphaKind::Premultiplied) {
        runPasses<AlphaFormat>(source, wx, wy, rows, canvas, origin, columns, lines,
                               options.allowSimd,
                               [](std::uint32_t* out) { return PremultipliedStore{out}; });
    } else {
        runPasses<AlphaFormat>(source, wx, wy, rows, canvas, origin, columns, lines,
                               options.allowSimd,
                               [](std::uint32_t* out) { return StraightStore{out}; });
    }
    return true;
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
