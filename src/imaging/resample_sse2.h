// SSE2 versions of the opaque 8-bit passes of resample_kernels.h, the hot path of every photo
// resize. GCC vectorises the plain loops only with 32-bit multiplies that SSE2 lacks; these use
// pmaddwd (two 16-bit products summed into 32 bits per lane) on pairs of taps instead. The integer
// sums are the same, in a different order, so the results equal the plain kernels bit for bit
// (the tests compare them). Needs an even number of taps (computeAxisWeights pads with a zero).
#pragma once

#include "imaging/resample_weights.h"

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#define SCALORA_RESAMPLE_SSE2 1
#endif

namespace scalora::resample_detail {

#if defined(SCALORA_RESAMPLE_SSE2)

// 8-bit samples of `taps` rows into 16-bit intermediate samples: sum >> kShift, clamped to
// [0, kMax]. Same contract as verticalPass<std::uint8_t, std::int16_t, kShift, kMax>.
void verticalPassOpaqueSse2(const std::uint8_t* const* rows, const std::int16_t* weights,
                            std::int32_t taps, std::size_t count, std::int16_t* out, int shift,
                            std::int16_t maxValue);

// One destination row of opaque pixels from the 16-bit intermediate row (virtual index
// `virtualBase` at row[0]); the sums are shifted right by `shift`, clamped to 0..255, and
// written as opaque ARGB to out[x0 .. x1).
void horizontalPassOpaqueSse2(const std::int16_t* row, std::int32_t virtualBase,
                              const AxisWeights& weights, std::int32_t x0, std::int32_t x1,
                              int shift, std::uint32_t* out);

#endif

} // namespace scalora::resample_detail
