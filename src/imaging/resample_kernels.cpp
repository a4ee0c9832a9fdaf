#include "imaging/resample_kernels.h"

#include <algorithm>

namespace scalora::resample_detail {

void horizontalPassPlain(const float* row, std::int32_t virtualBase, const RowWeights& w,
                         std::int32_t x0, std::int32_t x1, float* out) {
    for (std::int32_t x = x0; x < x1; ++x, out += 4) {
        const float* p = row + static_cast<std::ptrdiff_t>(w.first[x] - virtualBase) * 4;
        const float* k = w.weights + static_cast<std::ptrdiff_t>(x) * w.taps;
        float acc[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        for (std::int32_t t = 0; t < w.taps; ++t) {
            for (int c = 0; c < 4; ++c) {
                acc[c] = acc[c] + k[t] * p[4 * t + c];
            }
        }
        for (int c = 0; c < 4; ++c) {
            out[c] = acc[c];
        }
    }
}

void groupWeights(const RowWeights& w, std::int32_t x0, std::int32_t x1, std::vector<float>& out) {
    const std::int32_t groups = std::max(x1 - x0, 0) / 8;
    out.assign(static_cast<std::size_t>(groups) * static_cast<std::size_t>(w.taps) * 8, 0.0f);
    float* to = out.data();
    for (std::int32_t g = 0; g < groups; ++g) {
        const float* k = w.weights + static_cast<std::ptrdiff_t>(x0 + 8 * g) * w.taps;
        for (std::int32_t t = 0; t < w.taps; ++t) {
            for (std::int32_t j = 0; j < 8; ++j) {
                *to++ = k[j * w.taps + t];
            }
        }
    }
}

void verticalPassPlain(const float* const* rows, const float* weights, std::int32_t taps,
                       std::size_t begin, std::size_t count, float* out) {
    for (std::size_t i = begin; i < count; ++i) {
        float acc = 0.0f;
        for (std::int32_t t = 0; t < taps; ++t) {
            acc = acc + weights[t] * rows[t][i];
        }
        out[i] = acc;
    }
}

} // namespace scalora::resample_detail
