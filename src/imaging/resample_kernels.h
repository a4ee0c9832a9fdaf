// The two inner loops of the resampler, written once for every pixel layout: the vertical pass
// (one destination row from `taps` source rows, all channels side by side) and the horizontal
// pass (one destination row from the intermediate row). Templated on the sample types and the
// fixed-point shifts, so opaque 8-bit and premultiplied 16-bit pictures share the same code.
//
// Plain C++ written so that GCC vectorises it: fixed-size blocks with the accumulators in
// registers, no aliasing between rows and output.
#pragma once

#include "imaging/resample_weights.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace scalora::resample_detail {

// Sum of taps x weight for `count` consecutive samples; the result is shifted right by kShift
// (rounded) and clamped to [0, kMax].
template <typename In, typename Mid, int kShift, std::int32_t kMax>
void verticalPass(const In* const* rows, const std::int16_t* weights, std::int32_t taps,
                  std::size_t count, Mid* __restrict out) {
    constexpr std::int32_t kRound = std::int32_t{1} << (kShift - 1);
    // 32 samples (8 pixels) per block: 32 int32 accumulators fill the SSE register file without
    // spilling, and one block of each row is one 32-byte load.
    constexpr std::size_t kBlock = 32;
    std::size_t x = 0;
    for (; x + kBlock <= count; x += kBlock) {
        std::int32_t acc[kBlock];
        for (std::size_t i = 0; i < kBlock; ++i) {
            acc[i] = kRound;
        }
        for (std::int32_t t = 0; t < taps; ++t) {
            const std::int32_t w = weights[t];
            const In* __restrict row = rows[t] + x;
            for (std::size_t i = 0; i < kBlock; ++i) {
                acc[i] += w * static_cast<std::int32_t>(row[i]);
            }
        }
        for (std::size_t i = 0; i < kBlock; ++i) {
            out[x + i] = static_cast<Mid>(std::clamp(acc[i] >> kShift, std::int32_t{0}, kMax));
        }
    }
    for (; x < count; ++x) {
        std::int32_t acc = kRound;
        for (std::int32_t t = 0; t < taps; ++t) {
            acc += weights[t] * static_cast<std::int32_t>(rows[t][x]);
        }
        out[x] = static_cast<Mid>(std::clamp(acc >> kShift, std::int32_t{0}, kMax));
    }
}

// Four channels of one destination pixel from `taps` consecutive intermediate pixels.
template <typename Mid, int kShift, std::int32_t kMax>
inline void horizontalPixel(const Mid* __restrict samples, const std::int16_t* weights,
                            std::int32_t taps, std::int32_t out[4]) {
    constexpr std::int32_t kRound = std::int32_t{1} << (kShift - 1);
    std::int32_t acc[4] = {kRound, kRound, kRound, kRound};
    for (std::int32_t t = 0; t < taps; ++t) {
        const std::int32_t w = weights[t];
        for (int c = 0; c < 4; ++c) {
            acc[c] += w * static_cast<std::int32_t>(samples[4 * t + c]);
        }
    }
    for (int c = 0; c < 4; ++c) {
        out[c] = std::clamp(acc[c] >> kShift, std::int32_t{0}, kMax);
    }
}

// One destination row: `row` holds the intermediate samples from virtual index `virtualBase`
// on; `store(x, channels)` receives each destination column in [x0, x1).
template <typename Mid, int kShift, std::int32_t kMax, typename Store>
void horizontalPass(const Mid* row, std::int32_t virtualBase, const AxisWeights& weights,
                    std::int32_t x0, std::int32_t x1, Store&& store) {
    std::int32_t channels[4];
    for (std::int32_t x = x0; x < x1; ++x) {
        const std::int32_t first = weights.first[static_cast<std::size_t>(x)] - virtualBase;
        horizontalPixel<Mid, kShift, kMax>(row + static_cast<std::ptrdiff_t>(first) * 4,
                                           weights.weightsOf(x), weights.taps, channels);
        store(x, channels);
    }
}

} // namespace scalora::resample_detail
