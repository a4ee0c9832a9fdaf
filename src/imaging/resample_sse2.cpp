#include "imaging/resample_sse2.h"

#if defined(SCALORA_RESAMPLE_SSE2)

#include <algorithm>
#include <cstring>
#include <emmintrin.h>

namespace scalora::resample_detail {

namespace {

// Two adjacent 16-bit weights as the (low, high) pair pmaddwd multiplies with.
__m128i weightPair(const std::int16_t* w) {
    std::int32_t pair;
    std::memcpy(&pair, w, sizeof pair);
    return _mm_set1_epi32(pair);
}

} // namespace

void verticalPassOpaqueSse2(const std::uint8_t* const* rows, const std::int16_t* weights,
                            std::int32_t taps, std::size_t begin, std::size_t count,
                            std::int16_t* out, int shift, std::int16_t maxValue) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i round = _mm_set1_epi32(std::int32_t{1} << (shift - 1));
    const __m128i top = _mm_set1_epi16(maxValue);
    const __m128i shiftCount = _mm_cvtsi32_si128(shift);
    std::size_t x = begin;
    // 16 samples (4 pixels) per block: four accumulators of four 32-bit sums.
    for (; x + 16 <= count; x += 16) {
        __m128i a0 = round;
        __m128i a1 = round;
        __m128i a2 = round;
        __m128i a3 = round;
        for (std::int32_t t = 0; t < taps; t += 2) {
            const __m128i w = weightPair(weights + t);
            const __m128i r0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t] + x));
            const __m128i r1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t + 1] + x));
            // Interleave the two rows so that each 16-bit pair is (row t, row t + 1) of a sample.
            const __m128i lo = _mm_unpacklo_epi8(r0, r1);
            const __m128i hi = _mm_unpackhi_epi8(r0, r1);
            a0 = _mm_add_epi32(a0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), w));
            a1 = _mm_add_epi32(a1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), w));
            a2 = _mm_add_epi32(a2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), w));
            a3 = _mm_add_epi32(a3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), w));
        }
        // Saturating packs then the clamp give the same values as clamping the 32-bit sums.
        __m128i v0 = _mm_packs_epi32(_mm_sra_epi32(a0, shiftCount), _mm_sra_epi32(a1, shiftCount));
        __m128i v1 = _mm_packs_epi32(_mm_sra_epi32(a2, shiftCount), _mm_sra_epi32(a3, shiftCount));
        v0 = _mm_min_epi16(_mm_max_epi16(v0, zero), top);
        v1 = _mm_min_epi16(_mm_max_epi16(v1, zero), top);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), v0);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x + 8), v1);
    }
    for (; x < count; ++x) {
        std::int32_t acc = std::int32_t{1} << (shift - 1);
        for (std::int32_t t = 0; t < taps; ++t) {
            acc += weights[t] * static_cast<std::int32_t>(rows[t][x]);
        }
        out[x] = static_cast<std::int16_t>(std::clamp<std::int32_t>(acc >> shift, 0, maxValue));
    }
}

void horizontalPassOpaqueSse2(const std::int16_t* row, std::int32_t virtualBase,
                              const RowWeights& weights, std::int32_t x0, std::int32_t x1,
                              int shift, std::uint32_t* out) {
    const __m128i round = _mm_set1_epi32(std::int32_t{1} << (shift - 1));
    const __m128i shiftCount = _mm_cvtsi32_si128(shift);
    const __m128i opaque = _mm_set1_epi32(static_cast<std::int32_t>(0xFF000000u));
    const std::int32_t taps = weights.taps;
    for (std::int32_t x = x0; x < x1; ++x) {
        const std::int16_t* p =
            row + static_cast<std::ptrdiff_t>(weights.first[x] - virtualBase) * 4;
        const std::int16_t* w = weights.weights + static_cast<std::ptrdiff_t>(x) * taps;
        __m128i acc = round;
        for (std::int32_t t = 0; t < taps; t += 2) {
            // Two pixels (B G R A B G R A) regrouped as (B B G G R R A A) pairs.
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4 * t));
            const __m128i pairs = _mm_unpacklo_epi16(v, _mm_unpackhi_epi64(v, v));
            acc = _mm_add_epi32(acc, _mm_madd_epi16(pairs, weightPair(w + t)));
        }
        __m128i v = _mm_sra_epi32(acc, shiftCount);
        v = _mm_packs_epi32(v, v);
        v = _mm_packus_epi16(v, v);
        out[x] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_or_si128(v, opaque)));
    }
}

} // namespace scalora::resample_detail

#endif
