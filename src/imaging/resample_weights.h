// The per-axis half of the resampler: the filter table and the weights that map
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

// Weights are floats normalised in double precision so that each destination sample's weights
// sum to 1 (to float precision): a flat area stays flat to far better than one sRGB step.
// Weights for dstCount destination samples taken from the source span [srcStart, srcStart +
// srcLength) of an axis whose real samples are 0 .. srcLimit - 1. Destination sample i is centred
// at srcStart + (i + 0.5) x srcLength / dstCount; when shrinking the filter is widened by the
// scale so that it averages everything it skips. Tap indices are virtual: they may fall outside
// the image, where mirrorIndex() gives the sample to use.
struct AxisWeights {
    std::int32_t taps = 0;           // weights per destination sample (zero-padded)
    std::vector<std::int32_t> first; // virtual index of each destination sample's first tap
    std::vector<float> weights;      // dstCount x taps
    std::int32_t virtualLow = 0;     // smallest virtual index any tap touches
    std::int32_t virtualHigh = 0;    // one past the largest
    std::int32_t realLow = 0;        // smallest real index those map to
    std::int32_t realHigh = 0;       // one past the largest

    const float* weightsOf(std::int32_t i) const {
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
