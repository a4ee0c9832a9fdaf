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

namespace {

// The products of tap t for columns x and x + 1 side by side: the low lane sums one, the high
// lane the other.
inline __m256 pairProducts(const float* p0, const float* p1, const float* k0, const float* k1,
                           std::int32_t t) {
    const __m256 k = _mm256_set_m128(_mm_set1_ps(k1[t]), _mm_set1_ps(k0[t]));
    const __m256 v = _mm256_set_m128(_mm_loadu_ps(p1 + 4 * t), _mm_loadu_ps(p0 + 4 * t));
    return _mm256_mul_ps(k, v);
}

} // namespace

void horizontalPassAvx2(const float* row, std::int32_t virtualBase, const RowWeights& w,
                        std::int32_t x0, std::int32_t x1, float* out) {
    const auto source = [&](std::int32_t x) {
        return row + static_cast<std::ptrdiff_t>(w.first[x] - virtualBase) * 4;
    };
    const auto taps = static_cast<std::ptrdiff_t>(w.taps);
    std::int32_t x = x0;
    // Four pairs of columns at once: each sum waits for its own previous add, so one pair alone
    // would leave the adder idle for most of its latency; four independent sums keep it busy.
    // Each pair's two weights come as one 8-byte broadcast spread over the two lanes.
    if (w.grouped != nullptr && x == w.groupedFrom) {
        const __m256i spread = _mm256_set_epi32(1, 1, 1, 1, 0, 0, 0, 0);
        const float* k = w.grouped;
        for (; x + 8 <= x1; x += 8, out += 32) {
            const float* p[8];
            for (int j = 0; j < 8; ++j) {
                p[j] = source(x + j);
            }
            __m256 a0 = _mm256_setzero_ps();
            __m256 a1 = _mm256_setzero_ps();
            __m256 a2 = _mm256_setzero_ps();
            __m256 a3 = _mm256_setzero_ps();
            const auto products = [&](int j, std::ptrdiff_t at) {
                const __m256 pair = _mm256_castpd_ps(
                    _mm256_broadcast_sd(reinterpret_cast<const double*>(k + 2 * j)));
                const __m256 v = _mm256_loadu2_m128(p[2 * j + 1] + at, p[2 * j] + at);
                return _mm256_mul_ps(_mm256_permutevar_ps(pair, spread), v);
            };
            for (std::ptrdiff_t at = 0; at < 4 * taps; at += 4, k += 8) {
                a0 = _mm256_add_ps(a0, products(0, at));
                a1 = _mm256_add_ps(a1, products(1, at));
                a2 = _mm256_add_ps(a2, products(2, at));
                a3 = _mm256_add_ps(a3, products(3, at));
            }
            _mm256_storeu_ps(out, a0);
            _mm256_storeu_ps(out + 8, a1);
            _mm256_storeu_ps(out + 16, a2);
            _mm256_storeu_ps(out + 24, a3);
        }
    }
    for (; x + 2 <= x1; x += 2, out += 8) {
        const float* p0 = source(x);
        const float* p1 = source(x + 1);
        const float* k = w.weights + static_cast<std::ptrdiff_t>(x) * taps;
        __m256 acc = _mm256_setzero_ps();
        for (std::int32_t t = 0; t < w.taps; ++t) {
            acc = _mm256_add_ps(acc, pairProducts(p0, p1, k, k + taps, t));
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
