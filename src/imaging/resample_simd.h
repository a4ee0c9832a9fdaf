// Vector versions of the resampler's passes (resample_kernels.h holds the plain reference ones):
// SSE2, which every x86-64 has, and AVX2, chosen at run time. Each lane keeps one output value
// and adds the products tap by tap in the plain order, so the results equal the plain kernels
// bit for bit (the tests compare them).
#pragma once

#include "imaging/resample_kernels.h"

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
// One pixel (four channels) per register.
void horizontalPassSse2(const float* row, std::int32_t virtualBase, const RowWeights& w,
                        std::int32_t x0, std::int32_t x1, float* out);
void verticalPassSse2(const float* const* rows, const float* weights, std::int32_t taps,
                      std::size_t count, float* out);
#endif

#if defined(SCALORA_RESAMPLE_AVX2)
bool hasAvx2();
// Two pixels per register horizontally, eight samples vertically; call only when hasAvx2().
void horizontalPassAvx2(const float* row, std::int32_t virtualBase, const RowWeights& w,
                        std::int32_t x0, std::int32_t x1, float* out);
void verticalPassAvx2(const float* const* rows, const float* weights, std::int32_t taps,
                      std::size_t count, float* out);
#endif

} // namespace scalora::resample_detail
