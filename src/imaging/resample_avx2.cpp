// AVX2 versions of the SSE2 kernels (resample_simd.h). Compiled with -mavx2 (and no FMA) for
// this file only and called only when the processor reports AVX2, so the program still runs on
// any x86-64.
#include "imaging/resample_simd.h"

#if defined(SCALORA_RESAMPLE_AVX2)

#include <immintrin.h>

namespace scalora::resample_detail {

bool hasAvx2() {
    return __builtin_cpu_supports("avx2") != 0;
}

void horizontalPassAvx2(const float* row, std::int32_t virtualBase, const RowWeights& w,
                        std::int32_t x0, std::int32_t x1, float* out) {
    std::int32_t x = x0;
    // Columns x and x + 1 side by side: the low lane sums one, the high lane the other.
    for (; x + 2 <= x1; x += 2, out += 8) {
        const float* p0 = row + static_cast<std::ptrdiff_t>(w.first[x] - virtualBase) * 4;
        const float* p1 = row + static_cast<std::ptrdiff_t>(w.first[x + 1] - virtualBase) * 4;
        const float* k0 = w.weights + static_cast<std::ptrdiff_t>(x) * w.taps;
        const float* k1 = k0 + w.taps;
        __m256 acc = _mm256_setzero_ps();
        for (std::int32_t t = 0; t < w.taps; ++t) {
            const __m256 k = _mm256_set_m128(_mm_set1_ps(k1[t]), _mm_set1_ps(k0[t]));
            const __m256 v = _mm256_set_m128(_mm_loadu_ps(p1 + 4 * t), _mm_loadu_ps(p0 + 4 * t));
            acc = _mm256_add_ps(acc, _mm256_mul_ps(k, v));
        }
        _mm256_storeu_ps(out, acc);
    }
    if (x < x1) {
        horizontalPassSse2(row, virtualBase, w, x, x1, out);
    }
}

void verticalPassAvx2(const float* const* rows, const float* weights, std::int32_t taps,
                      std::size_t count, float* out) {
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        __m256 a0 = _mm256_setzero_ps();
        __m256 a1 = _mm256_setzero_ps();
        __m256 a2 = _mm256_setzero_ps();
        __m256 a3 = _mm256_setzero_ps();
        for (std::int32_t t = 0; t < taps; ++t) {
            const __m256 k = _mm256_set1_ps(weights[t]);
            const float* r = rows[t] + i;
            a0 = _mm256_add_ps(a0, _mm256_mul_ps(k, _mm256_loadu_ps(r)));
            a1 = _mm256_add_ps(a1, _mm256_mul_ps(k, _mm256_loadu_ps(r + 8)));
            a2 = _mm256_add_ps(a2, _mm256_mul_ps(k, _mm256_loadu_ps(r + 16)));
            a3 = _mm256_add_ps(a3, _mm256_mul_ps(k, _mm256_loadu_ps(r + 24)));
        }
        _mm256_storeu_ps(out + i, a0);
        _mm256_storeu_ps(out + i + 8, a1);
        _mm256_storeu_ps(out + i + 16, a2);
        _mm256_storeu_ps(out + i + 24, a3);
    }
    verticalPassPlain(rows, weights, taps, i, count, out);
}

} // namespace scalora::resample_detail

#endif
