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
// AVX2 variants are built into x86-64 programs and chosen at run time (hasAvx2()).
#if defined(__x86_64__) && defined(__GNUC__)
#define SCALORA_RESAMPLE_AVX2 1
#endif

namespace scalora::resample_detail {

#if defined(SCALORA_RESAMPLE_SSE2)

// The horizontal weights as plain pointers: the AVX2 file is compiled for another instruction
// set, so it must not instantiate inline functions shared with the rest of the program.
struct RowWeights {
    const std::int32_t* first;   // virtual index of each destination column's first tap
    const std::int16_t* weights; // columns x taps
    std::int32_t taps;           // even
};

inline RowWeights rowWeights(const AxisWeights& w) {
    return {w.first.data(), w.weights.data(), w.taps};
}

// 8-bit samples [begin, count) of `taps` rows into 16-bit intermediate samples out[begin, count):
// sum >> shift, clamped to [0, maxValue]. Same results as
// verticalPass<std::uint8_t, std::int16_t, shift, maxValue>.
void verticalPassOpaqueSse2(const std::uint8_t* const* rows, const std::int16_t* weights,
                            std::int32_t taps, std::size_t begin, std::size_t count,
                            std::int16_t* out, int shift, std::int16_t maxValue);

// One destination row of opaque pixels from the 16-bit intermediate row (virtual index
// `virtualBase` at row[0]); the sums are shifted right by `shift`, clamped to 0..255, and
// written as opaque ARGB to out[x0 .. x1).
void horizontalPassOpaqueSse2(const std::int16_t* row, std::int32_t virtualBase,
                              const RowWeights& weights, std::int32_t x0, std::int32_t x1,
                              int shift, std::uint32_t* out);

#endif

#if defined(SCALORA_RESAMPLE_AVX2)

bool hasAvx2();
// Same contracts as the SSE2 kernels; call only when hasAvx2().
void verticalPassOpaqueAvx2(const std::uint8_t* const* rows, const std::int16_t* weights,
                            std::int32_t taps, std::size_t count, std::int16_t* out, int shift,
                            std::int16_t maxValue);
void horizontalPassOpaqueAvx2(const std::int16_t* row, std::int32_t virtualBase,
                              const RowWeights& weights, std::int32_t x0, std::int32_t x1,
                              int shift, std::uint32_t* out);

#endif

} // namespace scalora::resample_detail
