// AVX2 versions of the SSE2 kernels (resample_sse2.h): the same pmaddwd scheme on 256-bit
// registers. Compiled with -mavx2 for this file only and called only when the processor reports
// AVX2, so the program still runs on any x86-64.
#include "imaging/resample_sse2.h"

#if defined(SCALORA_RESAMPLE_AVX2)

#include <cstring>
#include <immintrin.h>

namespace scalora::resample_detail {

namespace {

std::int32_t weightPair(const std::int16_t* w) {
    std::int32_t pair;
    std::memcpy(&pair, w, sizeof pair);
    return pair;
}

} // namespace

bool hasAvx2() {
    return __builtin_cpu_supports("avx2") != 0;
}

void verticalPassOpaqueAvx2(const std::uint8_t* const* rows, const std::int16_t* weights,
                            std::int32_t taps, std::size_t count, std::int16_t* out, int shift,
                            std::int16_t maxValue) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i round = _mm256_set1_epi32(std::int32_t{1} << (shift - 1));
    const __m256i top = _mm256_set1_epi16(maxValue);
    const __m128i shiftCount = _mm_cvtsi32_si128(shift);
    std::size_t x = 0;
    // 32 samples per block; every step works within the two 128-bit lanes, exactly as the SSE2
    // kernel does on 16 samples, and the final permutes put the lanes back in order.
    for (; x + 32 <= count; x += 32) {
        __m256i a0 = round;
        __m256i a1 = round;
        __m256i a2 = round;
        __m256i a3 = round;
        for (std::int32_t t = 0; t < taps; t += 2) {
            const __m256i w = _mm256_set1_epi32(weightPair(weights + t));
            const __m256i r0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[t] + x));
            const __m256i r1 =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[t + 1] + x));
            const __m256i lo = _mm256_unpacklo_epi8(r0, r1);
            const __m256i hi = _mm256_unpackhi_epi8(r0, r1);
            a0 = _mm256_add_epi32(a0, _mm256_madd_epi16(_mm256_unpacklo_epi8(lo, zero), w));
            a1 = _mm256_add_epi32(a1, _mm256_madd_epi16(_mm256_unpackhi_epi8(lo, zero), w));
            a2 = _mm256_add_epi32(a2, _mm256_madd_epi16(_mm256_unpacklo_epi8(hi, zero), w));
            a3 = _mm256_add_epi32(a3, _mm256_madd_epi16(_mm256_unpackhi_epi8(hi, zero), w));
        }
        __m256i v0 =
            _mm256_packs_epi32(_mm256_sra_epi32(a0, shiftCount), _mm256_sra_epi32(a1, shiftCount));
        __m256i v1 =
            _mm256_packs_epi32(_mm256_sra_epi32(a2, shiftCount), _mm256_sra_epi32(a3, shiftCount));
        v0 = _mm256_min_epi16(_mm256_max_epi16(v0, zero), top);
        v1 = _mm256_min_epi16(_mm256_max_epi16(v1, zero), top);
        // v0 holds samples 0-7 | 16-23, v1 holds 8-15 | 24-31.
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x),
                            _mm256_permute2x128_si256(v0, v1, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x + 16),
                            _mm256_permute2x128_si256(v0, v1, 0x31));
    }
    if (x < count) {
        verticalPassOpaqueSse2(rows, weights, taps, x, count, out, shift, maxValue);
    }
}

void horizontalPassOpaqueAvx2(const std::int16_t* row, std::int32_t virtualBase,
                              const RowWeights& weights, std::int32_t x0, std::int32_t x1,
                              int shift, std::uint32_t* out) {
    const __m128i round = _mm_set1_epi32(std::int32_t{1} << (shift - 1));
    const __m128i shiftCount = _mm_cvtsi32_si128(shift);
    const __m128i opaque = _mm_set1_epi32(static_cast<std::int32_t>(0xFF000000u));
    // Spreads four weights as (w0 w1) x 4 in the low lane and (w2 w3) x 4 in the high lane.
    const __m256i spread = _mm256_setr_epi32(0, 0, 0, 0, 1, 1, 1, 1);
    const std::int32_t taps = weights.taps;
    for (std::int32_t x = x0; x < x1; ++x) {
        const std::int16_t* p =
            row + static_cast<std::ptrdiff_t>(weights.first[x] - virtualBase) * 4;
        const std::int16_t* w = weights.weights + static_cast<std::ptrdiff_t>(x) * taps;
        __m256i acc = _mm256_setzero_si256();
        std::int32_t t = 0;
        for (; t + 4 <= taps; t += 4) {
            // Four pixels: (p0 p1 | p2 p3), regrouped per lane into channel pairs.
            const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 4 * t));
            const __m256i pairs = _mm256_unpacklo_epi16(v, _mm256_unpackhi_epi64(v, v));
            std::int64_t four;
            std::memcpy(&four, w + t, sizeof four);
            const __m256i wv = _mm256_permutevar8x32_epi32(
                _mm256_castsi128_si256(_mm_cvtsi64_si128(four)), spread);
            acc = _mm256_add_epi32(acc, _mm256_madd_epi16(pairs, wv));
        }
        __m128i sum = _mm_add_epi32(_mm256_castsi256_si128(acc), _mm256_extracti128_si256(acc, 1));
        if (t < taps) { // the last two taps (taps is even)
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4 * t));
            const __m128i pairs = _mm_unpacklo_epi16(v, _mm_unpackhi_epi64(v, v));
            sum = _mm_add_epi32(sum, _mm_madd_epi16(pairs, _mm_set1_epi32(weightPair(w + t))));
        }
        __m128i v = _mm_sra_epi32(_mm_add_epi32(sum, round), shiftCount);
        v = _mm_packs_epi32(v, v);
        v = _mm_packus_epi16(v, v);
        out[x] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_or_si128(v, opaque)));
    }
}

} // namespace scalora::resample_detail

#endif
