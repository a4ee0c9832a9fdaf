#include "imaging/resample_simd.h"

#if defined(SCALORA_RESAMPLE_SSE2)

#include <emmintrin.h>

namespace scalora::resample_detail {

void horizontalPassSse2(const float* row, std::int32_t virtualBase, const RowWeights& w,
                        std::int32_t x0, std::int32_t x1, float* out) {
    for (std::int32_t x = x0; x < x1; ++x, out += 4) {
        const float* p = row + static_cast<std::ptrdiff_t>(w.first[x] - virtualBase) * 4;
        const float* k = w.weights + static_cast<std::ptrdiff_t>(x) * w.taps;
        __m128 acc = _mm_setzero_ps();
        for (std::int32_t t = 0; t < w.taps; ++t) {
            acc = _mm_add_ps(acc, _mm_mul_ps(_mm_set1_ps(k[t]), _mm_loadu_ps(p + 4 * t)));
        }
        _mm_storeu_ps(out, acc);
    }
}

void verticalPassSse2(const float* const* rows, const float* weights, std::int32_t taps,
                      std::size_t count, float* out) {
    std::size_t i = 0;
    // Four registers of four samples: enough independent sums to hide the add latency.
    for (; i + 16 <= count; i += 16) {
        __m128 a0 = _mm_setzero_ps();
        __m128 a1 = _mm_setzero_ps();
        __m128 a2 = _mm_setzero_ps();
        __m128 a3 = _mm_setzero_ps();
        for (std::int32_t t = 0; t < taps; ++t) {
            const __m128 k = _mm_set1_ps(weights[t]);
            const float* r = rows[t] + i;
            a0 = _mm_add_ps(a0, _mm_mul_ps(k, _mm_loadu_ps(r)));
            a1 = _mm_add_ps(a1, _mm_mul_ps(k, _mm_loadu_ps(r + 4)));
            a2 = _mm_add_ps(a2, _mm_mul_ps(k, _mm_loadu_ps(r + 8)));
            a3 = _mm_add_ps(a3, _mm_mul_ps(k, _mm_loadu_ps(r + 12)));
        }
        _mm_storeu_ps(out + i, a0);
        _mm_storeu_ps(out + i + 4, a1);
        _mm_storeu_ps(out + i + 8, a2);
        _mm_storeu_ps(out + i + 12, a3);
    }
    verticalPassPlain(rows, weights, taps, i, count, out);
}

} // namespace scalora::resample_detail

#endif
