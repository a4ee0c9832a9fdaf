#include "imaging/resample_weights.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// Filter choice, measured on the photo corpus (bench/imaging/run --section filters): ten photos
// shrunk by k and enlarged back with the same filter, compared with the original (luma):
//   k = 2: Lanczos-3 31.31 dB / SSIM 0.898, Catmull-Rom 30.60 dB / 0.881
//   k = 3: Lanczos-3 28.38 dB / SSIM 0.812, Catmull-Rom 28.01 dB / 0.796
//   k = 4: Lanczos-3 26.99 dB / SSIM 0.748, Catmull-Rom 26.69 dB / 0.732
// Lanczos-3 keeps more of the picture at every factor. It costs about 1.4 x the resampler time of
// Catmull-Rom (460-650 against 660-980 source MP/s per core, 12 MP shrunk by 2-4), which is small
// next to decoding and encoding, so Lanczos-3 is the default.

namespace scalora {

namespace {

double sinc(double x) {
    if (x == 0.0) {
        return 1.0;
    }
    const double px = std::numbers::pi * x;
    return std::sin(px) / px;
}

// Spans larger than this are refused; with a 3-lobe filter widened by the scale the weight table
// then stays below a few hundred megabytes for any destination size the pixel limit allows.
constexpr double kMaxSpan = static_cast<double>(std::int64_t{1} << 28);

} // namespace

double resampleFilterSupport(ResampleFilter filter) {
    return filter == ResampleFilter::Lanczos3 ? 3.0 : 2.0;
}

double resampleFilterValue(ResampleFilter filter, double x) {
    x = std::fabs(x);
    if (filter == ResampleFilter::Lanczos3) {
        return x < 3.0 ? sinc(x) * sinc(x / 3.0) : 0.0;
    }
    // Catmull-Rom (Keys cubic with a = -0.5): interpolating, C1, exact for linear ramps.
    constexpr double a = -0.5;
    if (x < 1.0) {
        return ((a + 2.0) * x - (a + 3.0)) * x * x + 1.0;
    }
    if (x < 2.0) {
        return (((x - 5.0) * x + 8.0) * x - 4.0) * a;
    }
    return 0.0;
}

bool computeAxisWeights(double srcStart, double srcLength, std::int32_t srcLimit,
                        std::int32_t dstCount, ResampleFilter filter, AxisWeights& out) {
    out = AxisWeights{};
    if (srcLimit <= 0 || dstCount <= 0 || !(srcLength > 0.0) || !(srcLength <= kMaxSpan) ||
        !std::isfinite(srcStart) || std::fabs(srcStart) > kMaxSpan) {
        return false;
    }
    const double scale = srcLength / dstCount;
    // Shrinking widens the filter so that every source sample contributes; enlarging keeps it at
    // its natural width, where it interpolates.
    const double filterScale = std::max(1.0, scale);
    const double support = resampleFilterSupport(filter) * filterScale;
    // floor(c - s) .. ceil(c + s) spans at most 2 ceil(s) + 2 samples.
    const auto window = static_cast<std::int32_t>(std::ceil(support)) * 2 + 2;

    std::vector<double> real(static_cast<std::size_t>(window));
    std::vector<std::int32_t> firsts(static_cast<std::size_t>(dstCount));
    std::vector<std::int32_t> counts(static_cast<std::size_t>(dstCount));
    std::vector<float> packed;
    packed.reserve(static_cast<std::size_t>(dstCount) * static_cast<std::size_t>(window));
    std::int32_t maxTaps = 1;

    for (std::int32_t i = 0; i < dstCount; ++i) {
        // Sample k covers [k, k + 1), so its centre is k + 0.5.
        const double centre = srcStart + (i + 0.5) * scale;
        const auto lo = static_cast<std::int32_t>(std::floor(centre - support));
        const std::int32_t n =
            std::min(window, static_cast<std::int32_t>(std::ceil(centre + support)) - lo);
        for (std::int32_t k = 0; k < n; ++k) {
            real[static_cast<std::size_t>(k)] =
                resampleFilterValue(filter, (lo + k + 0.5 - centre) / filterScale);
        }
        // Taps at the filter's zeros (sin(pi k) is 1e-16, not 0) and beyond its ends are dropped.
        constexpr double kNegligible = 1e-9;
        std::int32_t begin = 0;
        std::int32_t end = n;
        while (begin < end && std::fabs(real[static_cast<std::size_t>(begin)]) < kNegligible) {
            ++begin;
        }
        while (end > begin && std::fabs(real[static_cast<std::size_t>(end - 1)]) < kNegligible) {
            --end;
        }
        double total = 0.0;
        for (std::int32_t k = begin; k < end; ++k) {
            total += real[static_cast<std::size_t>(k)];
        }
        if (begin == end || total == 0.0) { // cannot happen for these filters; be safe anyway
            begin = std::max(0, n / 2 - 1);
            end = begin + 1;
            real[static_cast<std::size_t>(begin)] = total = 1.0;
        }
        firsts[static_cast<std::size_t>(i)] = lo + begin;
        counts[static_cast<std::size_t>(i)] = end - begin;
        maxTaps = std::max(maxTaps, end - begin);
        for (std::int32_t k = begin; k < end; ++k) {
            packed.push_back(static_cast<float>(real[static_cast<std::size_t>(k)] / total));
        }
    }

    // Re-pack with a fixed number of taps per destination sample so the inner loops have a fixed
    // trip count; the padding weights are zero.
    out.taps = maxTaps;
    out.first = std::move(firsts);
    out.weights.assign(static_cast<std::size_t>(dstCount) * static_cast<std::size_t>(maxTaps),
                       0.0f);
    std::size_t src = 0;
    out.virtualLow = out.first[0];
    out.virtualHigh = out.first[0] + maxTaps;
    for (std::int32_t i = 0; i < dstCount; ++i) {
        const std::int32_t n = counts[static_cast<std::size_t>(i)];
        std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(src), n,
                    out.weights.begin() +
                        static_cast<std::ptrdiff_t>(i) * static_cast<std::ptrdiff_t>(maxTaps));
        src += static_cast<std::size_t>(n);
        out.virtualLow = std::min(out.virtualLow, out.first[static_cast<std::size_t>(i)]);
        out.virtualHigh =
            std::max(out.virtualHigh, out.first[static_cast<std::size_t>(i)] + maxTaps);
    }
    out.realLow = srcLimit;
    out.realHigh = 0;
    if (out.virtualLow >= 0 && out.virtualHigh <= srcLimit) {
        out.realLow = out.virtualLow;
        out.realHigh = out.virtualHigh;
    } else {
        for (std::int32_t v = out.virtualLow; v < out.virtualHigh; ++v) {
            const std::int32_t r = mirrorIndex(v, srcLimit);
            out.realLow = std::min(out.realLow, r);
            out.realHigh = std::max(out.realHigh, r + 1);
        }
    }
    return true;
}

} // namespace scalora
