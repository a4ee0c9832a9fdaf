// The per-axis half of the resampler: the filter table and the fixed-point weights that map
// one source axis onto one destination axis. Computed once per axis and resize, then used by
// every row (vertical) or every column (horizontal) of the pass.
#pragma once

#include <cstdint>
#include <vector>

namespace scalora {

enum class ResampleFilter : std::uint8_t {
    Lanczos3,   // sinc windowed by sinc, three lobes: the sharpest without visible ringing
    CatmullRom, // cubic with a = -0.5, two lobes: a little softer, a third fewer taps
};

// The filter the program resizes with; resample_weights.cpp says why.
inline constexpr ResampleFilter kDefaultResampleFilter = ResampleFilter::Lanczos3;

// Weights are integers that sum to exactly 1 << kWeightBits. 14 bits keep every single weight
// (at most about 1.1 after normalisation) inside int16, and the sum of |weight| x sample stays
// below 2^31 as long as sum |weight| < 2 for the largest samples (65025, premultiplied 16-bit):
// Lanczos-3 peaks at about 1.55 (enlarging, half-sample phase), Catmull-Rom at 1.25.
inline constexpr int kWeightBits = 14;
inline constexpr std::int32_t kWeightOne = std::int32_t{1} << kWeightBits;

// Weights for dstCount destination samples taken from the source span [srcStart, srcStart +
// srcLength) of an axis whose real samples are 0 .. srcLimit - 1. Destination sample i is centred
// at srcStart + (i + 0.5) x srcLength / dstCount; when shrinking the filter is widened by the
// scale so that it averages everything it skips. Tap indices are virtual: they may fall outside
// the image, where mirrorIndex() gives the sample to use.
struct AxisWeights {
    std::int32_t taps = 0;             // weights per destination sample (zero-padded, even)
    std::vector<std::int32_t> first;   // virtual index of each destination sample's first tap
    std::vector<std::int16_t> weights; // dstCount x taps
    std::int32_t virtualLow = 0;       // smallest virtual index any tap touches
    std::int32_t virtualHigh = 0;      // one past the largest
    std::int32_t realLow = 0;          // smallest real index those map to
    std::int32_t realHigh = 0;         // one past the largest

    const std::int16_t* weightsOf(std::int32_t i) const {
        return weights.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(taps);
    }
};

// Returns false for an empty axis or span, or a span too large for the weights to stay bounded.
bool computeAxisWeights(double srcStart, double srcLength, std::int32_t srcLimit,
                        std::int32_t dstCount, ResampleFilter filter, AxisWeights& out);

// Edge handling by mirroring tiles (..., 2, 1, 0, 0, 1, 2, ..., n-1, n-1, n-2, ...): the edge
// sample repeats once, as a flipped copy of the image lies next to it.
inline std::int32_t mirrorIndex(std::int32_t i, std::int32_t n) {
    const std::int64_t period = 2 * static_cast<std::int64_t>(n);
    std::int64_t r = static_cast<std::int64_t>(i) % period;
    if (r < 0) {
        r += period;
    }
    return static_cast<std::int32_t>(r < n ? r : period - 1 - r);
}

// The filter's value at x (in source samples at scale 1) and its half width.
double resampleFilterValue(ResampleFilter filter, double x);
double resampleFilterSupport(ResampleFilter filter);

} // namespace scalora
