#include "imaging/resample_stream.h"

#include "imaging/linear_light.h"
#include "imaging/resample_simd.h"

#include <algorithm>
#include <cmath>

namespace scalora {

namespace {

using resample_detail::RowWeights;

RowWeights rowWeights(const AxisWeights& w) {
    return {w.first.data(), w.weights.data(), w.taps};
}

RowWeights rowWeights(const AxisWeights& w, const std::vector<float>& grouped,
                      std::int32_t groupedFrom) {
    RowWeights row = rowWeights(w);
    if (!grouped.empty()) {
        row.grouped = grouped.data();
        row.groupedFrom = groupedFrom;
    }
    return row;
}

std::uint32_t packArgb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}

// Filtered alpha to a byte: round, clamp.
std::uint32_t alphaByte(float a) {
    return static_cast<std::uint32_t>(std::clamp(a * 255.0f + 0.5f, 0.0f, 255.0f));
}

// The destination stores: premultiplied linear B, G, R, A floats of one pixel to 0xAARRGGBB.
// Filters with negative lobes overshoot, so colour is clamped to 0 .. alpha before use.
std::uint32_t storeOpaque(const float* c) {
    return packArgb(255, srgbOfLinear(c[2]), srgbOfLinear(c[1]), srgbOfLinear(c[0]));
}

std::uint32_t storeWithAlpha(const float* c, bool premultiplied) {
    const std::uint32_t a = alphaByte(c[3]);
    if (a == 0) {
        return 0; // fully transparent carries no colour
    }
    const float alpha = c[3];
    std::uint32_t v[3];
    for (int i = 0; i < 3; ++i) {
        v[i] = srgbOfLinear(std::clamp(c[i], 0.0f, alpha) / alpha);
        if (premultiplied) {
            v[i] = (v[i] * a + 127) / 255;
        }
    }
    return packArgb(a, v[2], v[1], v[0]);
}

// Source over the opaque canvas pixel, in linear light.
std::uint32_t storeOver(const float* c, std::uint32_t canvas) {
    const float alpha = std::clamp(c[3], 0.0f, 1.0f);
    std::uint32_t v[3];
    for (int i = 0; i < 3; ++i) {
        const float under = linearOfSrgb(static_cast<std::uint8_t>(canvas >> (8 * i)));
        v[i] = srgbOfLinear(std::clamp(c[i], 0.0f, alpha) + under * (1.0f - alpha));
    }
    return packArgb(255, v[2], v[1], v[0]);
}

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

void verticalPlain(const float* const* rows, const float* weights, std::int32_t taps,
                   std::size_t count, float* out) {
    resample_detail::verticalPassPlain(rows, weights, taps, 0, count, out);
}

} // namespace

bool RowResampler::configure(Size sourceSize, AlphaKind sourceKind, const SourceRect& rect,
                             Size destination, Span columns, Span lines,
                             const ResampleOptions& options, ResampleTarget& target) {
    *this = RowResampler{};
    if (sourceSize.isEmpty() || destination.isEmpty() || columns.begin >= columns.end ||
        lines.begin >= lines.end || columns.begin < 0 || lines.begin < 0 ||
        columns.end > destination.width || lines.end > destination.height ||
        !computeAxisWeights(rect.x, rect.width, sourceSize.width, destination.width, options.filter,
                            wx_) ||
        !computeAxisWeights(rect.y, rect.height, sourceSize.height, destination.height,
                            options.filter, wy_)) {
        return false;
    }
    sourceSize_ = sourceSize;
    kind_ = sourceKind;
    blend_ = sourceKind == AlphaKind::None ? ResampleBlend::Replace : options.blend;
    columns_ = columns;
    lines_ = lines;
    nextLine_ = lines.begin;
    target_ = &target;

    switch (chooseSimd(options.kernels)) {
#if defined(SCALORA_RESAMPLE_AVX2)
    case Simd::Avx2:
        horizontal_ = resample_detail::horizontalPassAvx2;
        vertical_ = resample_detail::verticalPassAvx2;
        resample_detail::groupWeights(rowWeights(wx_), columns.begin, columns.end, groupedX_);
        break;
#endif
#if defined(SCALORA_RESAMPLE_SSE2)
    case Simd::Sse2:
        horizontal_ = resample_detail::horizontalPassSse2;
        vertical_ = resample_detail::verticalPassSse2;
        break;
#endif
    default:
        horizontal_ = resample_detail::horizontalPassPlain;
        vertical_ = verticalPlain;
        break;
    }

    // The linear row is indexed by virtual column: real columns at their own index, the columns
    // beyond the picture mirrored copies filled in after each conversion.
    base_ = std::min(wx_.virtualLow, wx_.realLow);
    const std::int32_t top = std::max(wx_.virtualHigh, wx_.realHigh);
    linear_.assign(static_cast<std::size_t>(top - base_) * 4, 0.0f);
    for (std::int32_t v = wx_.virtualLow; v < wx_.virtualHigh; ++v) {
        if (v < 0 || v >= sourceSize.width) {
            mirrored_.emplace_back(
                static_cast<std::size_t>(v - base_) * 4,
                static_cast<std::size_t>(mirrorIndex(v, sourceSize.width) - base_) * 4);
        }
    }

    // The source rows each line needs, and a ring deep enough that no row is dropped while a
    // line that needs it is still to come: lines are handed out in order, each once the last
    // row of it and of every line before it has arrived.
    needLow_ = sourceSize.height;
    needHigh_ = 0;
    std::int32_t ringDepth = 1;
    std::int32_t runningLast = 0;
    lastNeeded_.assign(static_cast<std::size_t>(lines.end), 0);
    for (std::int32_t y = lines.begin; y < lines.end; ++y) {
        std::int32_t low = sourceSize.height;
        std::int32_t high = 0;
        const std::int32_t first = wy_.first[static_cast<std::size_t>(y)];
        for (std::int32_t t = 0; t < wy_.taps; ++t) {
            const std::int32_t r = mirrorIndex(first + t, sourceSize.height);
            low = std::min(low, r);
            high = std::max(high, r);
        }
        runningLast = std::max(runningLast, high);
        lastNeeded_[static_cast<std::size_t>(y)] = runningLast;
        ringDepth = std::max(ringDepth, runningLast - low + 1);
        needLow_ = std::min(needLow_, low);
        needHigh_ = std::max(needHigh_, high + 1);
    }
    slots_ = ringDepth;
    rowFloats_ = (columns.end - columns.begin) * 4;
    ring_.assign(static_cast<std::size_t>(slots_) * static_cast<std::size_t>(rowFloats_), 0.0f);
    line_.assign(static_cast<std::size_t>(rowFloats_), 0.0f);
    tapRows_.assign(static_cast<std::size_t>(wy_.taps), nullptr);
    return true;
}

bool RowResampler::pushRow(std::int32_t y, const std::uint32_t* row) {
    if (failed_ || target_ == nullptr) {
        return false;
    }
    if (y < needLow_ || y >= needHigh_ || finished()) {
        return true;
    }
    float* real = linear_.data() + static_cast<std::size_t>(wx_.realLow - base_) * 4;
    rowToLinear(row + wx_.realLow, static_cast<std::size_t>(wx_.realHigh - wx_.realLow), kind_,
                real);
    for (const auto& [to, from] : mirrored_) {
        std::copy_n(linear_.data() + from, 4, linear_.data() + to);
    }
    horizontal_(linear_.data(), base_, rowWeights(wx_, groupedX_, columns_.begin), columns_.begin,
                columns_.end, slot(y));
    while (!finished() && lastNeeded_[static_cast<std::size_t>(nextLine_)] <= y) {
        if (!emit(nextLine_)) {
            failed_ = true;
            return false;
        }
        ++nextLine_;
    }
    return true;
}

bool RowResampler::emit(std::int32_t line) {
    const std::int32_t first = wy_.first[static_cast<std::size_t>(line)];
    for (std::int32_t t = 0; t < wy_.taps; ++t) {
        tapRows_[static_cast<std::size_t>(t)] = slot(mirrorIndex(first + t, sourceSize_.height));
    }
    vertical_(tapRows_.data(), wy_.weightsOf(line), wy_.taps, line_.size(), line_.data());
    std::uint32_t* out = target_->rowAt(line);
    const float* c = line_.data();
    for (std::int32_t x = columns_.begin; x < columns_.end; ++x, c += 4) {
        if (kind_ == AlphaKind::None) {
            out[x] = storeOpaque(c);
        } else if (blend_ == ResampleBlend::Over) {
            out[x] = storeOver(c, out[x]);
        } else {
            out[x] = storeWithAlpha(c, kind_ == AlphaKind::Premultiplied);
        }
    }
    return target_->rowDone(line);
}

} // namespace scalora
