// The two inner loops of the resampler in plain C++, the reference that the vector versions
// (resample_simd.h) are tested against bit for bit: a horizontal pass that filters one row of
// premultiplied linear pixels (four floats each) into destination columns, and a vertical pass
// that sums `taps` such rows into one.
//
// Every output value is one float accumulator that starts at 0 and adds weight x sample tap by
// tap in order, with separate multiplies and adds (no fused multiply-add: the build keeps
// contraction off). The vector versions do exactly that per lane, so they give the same bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace scalora::resample_detail {

// The horizontal weights as plain pointers: the AVX2 file is compiled for another instruction
// set, so it must not instantiate inline functions shared with the rest of the program.
struct RowWeights {
    const std::int32_t* first; // virtual index of each destination column's first tap
    const float* weights;      // columns x taps
    std::int32_t taps;
    // The same weights for whole groups of eight columns from groupedFrom on, tap by tap (eight
    // floats per tap), so that a vector pass reads each tap of a group with one pointer; null
    // when the caller did not lay them out.
    const float* grouped = nullptr;
    std::int32_t groupedFrom = 0;
};

// Lays out the weights of columns [x0, x1) as RowWeights::grouped: whole groups of eight only.
void groupWeights(const RowWeights& w, std::int32_t x0, std::int32_t x1, std::vector<float>& out);

// For x in [x0, x1): out[4 (x - x0) + c] = sum over t of weights[x][t] x row[4 (first[x] -
// virtualBase + t) + c], c = 0..3.
void horizontalPassPlain(const float* row, std::int32_t virtualBase, const RowWeights& w,
                         std::int32_t x0, std::int32_t x1, float* out);

// out[i] = sum over t of weights[t] x rows[t][i], for i in [begin, count).
void verticalPassPlain(const float* const* rows, const float* weights, std::int32_t taps,
                       std::size_t begin, std::size_t count, float* out);

} // namespace scalora::resample_detail
