#include "imaging/resample.h"

#include "imaging/resample_kernels.h"
#include "imaging/resample_sse2.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

// Index
// 1. Fixed-point formats of the two pixel paths
// 2. Source rows: straight from the picture, or premultiplied into a small row cache
// 3. Destination stores
// 4. The pass driver
// 5. The plain copy at scale 1
// 6. Bands of rows on several cores
// 7. Entry points

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

enum class Simd : std::uint8_t { None, Sse2, Avx2 };

Simd chooseSimd(ResampleKernels kernels) {
    if (kernels == ResampleKernels::Plain) {
        return Simd::None;
    }
#if defined(SCALORA_RESAMPLE_AVX2)
    static const bool avx2 = resample_detail::hasAvx2();
    if (avx2 && kernels == ResampleKernels::Fastest) {
        return Simd::Avx2;
    }
#endif
#if defined(SCALORA_RESAMPLE_SSE2)
    return Simd::Sse2;
#else
    return Simd::None;
#endif
}

#if defined(SCALORA_RESAMPLE_SSE2)
// One destination row of an opaque picture with the vector kernels.
void runOpaqueVector(Simd simd, const std::uint8_t* const* rows, const std::int16_t* weightsY,
                     std::int32_t tapsY, std::size_t realSamples, std::int16_t* realPart,
                     std::int16_t* mid,
                     const std::vector<std::pair<std::size_t, std::size_t>>& mirrored,
                     std::int32_t base, const AxisWeights& wx, Span columns, std::uint32_t* out) {
    using resample_detail::rowWeights;
    constexpr auto kMidMax = static_cast<std::int16_t>(OpaqueFormat::kMidMax);
#if defined(SCALORA_RESAMPLE_AVX2)
    if (simd == Simd::Avx2) {
        resample_detail::verticalPassOpaqueAvx2(rows, weightsY, tapsY, realSamples, realPart,
                                                OpaqueFormat::kVerticalShift, kMidMax);
    } else
#endif
    {
        resample_detail::verticalPassOpaqueSse2(rows, weightsY, tapsY, 0, realSamples, realPart,
                                                OpaqueFormat::kVerticalShift, kMidMax);
    }
    for (const auto& [to, from] : mirrored) {
        std::copy_n(mid + from, 4, mid + to);
    }
#if defined(SCALORA_RESAMPLE_AVX2)
    if (simd == Simd::Avx2) {
        resample_detail::horizontalPassOpaqueAvx2(mid, base, rowWeights(wx), columns.begin,
                                                  columns.end, OpaqueFormat::kHorizontalShift, out);
        return;
    }
#endif
    resample_detail::horizontalPassOpaqueSse2(mid, base, rowWeights(wx), columns.begin, columns.end,
                                              OpaqueFormat::kHorizontalShift, out);
}
#endif

template <typename Format, typename Rows, typename MakeStore>
void runPasses(const PixelImage& source, const AxisWeights& wx, const AxisWeights& wy, Rows& rows,
               PixelImage& canvas, Point origin, Span columns, Span lines, Simd simd,
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
            if (simd != Simd::None) {
                runOpaqueVector(simd, sourceRows.data(), wy.weightsOf(y), wy.taps, realSamples,
                                realPart, mid.data(), mirrored, base, wx, columns, out);
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

// 6. Bands of rows on several cores. Each destination row depends only on the source, so the
// rows can be split into bands computed side by side with identical results.

// Below this many multiply-adds a second thread costs more to start than it saves.
constexpr double kMinWorkPerThread = 4e6;
// The batch resizes one picture at a time; more than a few threads only fight over memory
// bandwidth, which the vertical pass already saturates.
constexpr int kMaxBands = 4;

int bandCount(int maxThreads, const AxisWeights& wx, const AxisWeights& wy, Span lines,
              Span columns) {
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    int wanted = maxThreads > 0 ? std::min(maxThreads, cores) : std::min(cores, kMaxBands);
    const double rows = lines.end - lines.begin;
    const double work = rows * (static_cast<double>(wy.taps) * (wx.realHigh - wx.realLow) +
                                static_cast<double>(wx.taps) * (columns.end - columns.begin));
    wanted = std::min(wanted, static_cast<int>(work / kMinWorkPerThread) + 1);
    return std::clamp(wanted, 1, std::max(1, lines.end - lines.begin));
}

template <typename Band> void runInBands(Span lines, int count, const Band& band) {
    std::vector<std::thread> helpers;
    // A helper thread must not let memory exhaustion escape (that would end the program); it
    // hands the exception to the calling thread, which rethrows it after all bands are done.
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(count));
    helpers.reserve(static_cast<std::size_t>(count)); // so that only thread creation can fail below
    const std::int32_t total = lines.end - lines.begin;
    std::int32_t begin = lines.begin;
    for (int i = 0; i < count; ++i) {
        const std::int32_t end =
            lines.begin +
            static_cast<std::int32_t>(static_cast<std::int64_t>(total) * (i + 1) / count);
        const Span part{begin, end};
        begin = end;
        std::exception_ptr* failure = &failures[static_cast<std::size_t>(i)];
        if (i + 1 == count) {
            // The last band runs on the calling thread; the helpers are joined even if it fails.
            try {
                band(part);
            } catch (...) {
                *failure = std::current_exception();
            }
            break;
        }
        try {
            helpers.emplace_back([&band, part, failure] {
                try {
                    band(part);
                } catch (...) {
                    *failure = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had: do it here.
            try {
                band(part);
            } catch (...) {
                *failure = std::current_exception();
            }
        }
    }
    for (std::thread& t : helpers) {
        t.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

} // namespace

// 7. Entry points.

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
    const Simd simd = chooseSimd(options.kernels);
    // One band of destination rows; bands share nothing but the read-only source and weights.
    const auto band = [&](Span part) {
        if (!hasAlpha) {
            OpaqueRows rows(source, wx.realLow);
            runPasses<OpaqueFormat>(source, wx, wy, rows, canvas, origin, columns, part, simd,
                                    [](std::uint32_t* out) { return OpaqueStore{out}; });
            return;
        }
        PremultipliedRows rows(source, wx.realLow, wx.realHigh, wy.taps);
        if (over) {
            runPasses<AlphaFormat>(source, wx, wy, rows, canvas, origin, columns, part, simd,
                                   [](std::uint32_t* out) { return OverStore{out}; });
        } else if (source.alphaKind() == AlphaKind::Premultiplied) {
            runPasses<AlphaFormat>(source, wx, wy, rows, canvas, origin, columns, part, simd,
                                   [](std::uint32_t* out) { return PremultipliedStore{out}; });
        } else {
            runPasses<AlphaFormat>(source, wx, wy, rows, canvas, origin, columns, part, simd,
                                   [](std::uint32_t* out) { return StraightStore{out}; });
        }
    };
    runInBands(lines, bandCount(options.maxThreads, wx, wy, lines, columns), band);
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
