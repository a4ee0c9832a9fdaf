// The resampler's engine: takes the source picture row by row, top to bottom, and hands out each
// destination row as soon as the source rows it needs have arrived. A decoder can thus feed an
// encoder through it without either picture ever being held whole; `resampleOnto` (resample.h)
// drives it from a picture in memory.
//
// Horizontal pass first: each needed source row is taken to premultiplied linear light
// (linear_light.h), filtered to the destination columns and kept in a ring just deep enough for
// the vertical filter; every destination row is then one vertical pass over the ring and the
// way back to 8-bit sRGB. Both passes are floats, so the result does not depend on the kernels
// chosen (resample_kernels.h) and the same input always gives the same bytes.
#pragma once

#include "imaging/resample.h"
#include "imaging/resample_kernels.h"

#include <cstdint>
#include <vector>

namespace scalora {

// Receives the destination rows of a RowResampler.
class ResampleTarget {
public:
    virtual ~ResampleTarget() = default;
    // Where destination row y goes: pixel x of the destination rectangle at [x]. With
    // ResampleBlend::Over the pixels there are the (opaque) canvas to composite onto.
    virtual std::uint32_t* rowAt(std::int32_t y) = 0;
    // Row y is complete; false stops the resampler (the target could not take it).
    virtual bool rowDone(std::int32_t y) = 0;
};

// A half-open range of destination rows or columns, relative to the destination rectangle.
struct Span {
    std::int32_t begin = 0;
    std::int32_t end = 0;
};

class RowResampler {
public:
    // `rect` of a source of `sourceSize` and kind `sourceKind` drawn at `destination`, of which
    // only `columns` and `lines` are produced. False for an empty size, rectangle or span, or a
    // span the weights cannot hold.
    [[nodiscard]] bool configure(Size sourceSize, AlphaKind sourceKind, const SourceRect& rect,
                                 Size destination, Span columns, Span lines,
                                 const ResampleOptions& options, ResampleTarget& target);

    // Source rows from y to sourceRowsEnd() - 1 must be pushed in order; earlier ones may be.
    std::int32_t sourceRowsBegin() const { return needLow_; }
    std::int32_t sourceRowsEnd() const { return needHigh_; }

    // Row y of the source (sourceSize.width pixels). Rows must come in increasing order; rows no
    // destination row needs are ignored. False once the target has refused a row.
    [[nodiscard]] bool pushRow(std::int32_t y, const std::uint32_t* row);

    // Whether every destination row has been handed out.
    bool finished() const { return nextLine_ >= lines_.end; }

private:
    using HorizontalPass = void (*)(const float*, std::int32_t, const resample_detail::RowWeights&,
                                    std::int32_t, std::int32_t, float*);
    using VerticalPass = void (*)(const float* const*, const float*, std::int32_t, std::size_t,
                                  float*);

    bool emit(std::int32_t line);
    float* slot(std::int32_t sourceRow) {
        return ring_.data() +
               static_cast<std::size_t>(sourceRow % slots_) * static_cast<std::size_t>(rowFloats_);
    }

    AxisWeights wx_;
    std::vector<float> groupedX_; // wx_ laid out for the AVX2 pass (RowWeights::grouped)
    AxisWeights wy_;
    Size sourceSize_;
    AlphaKind kind_ = AlphaKind::None;
    ResampleBlend blend_ = ResampleBlend::Replace;
    Span columns_;
    Span lines_;
    ResampleTarget* target_ = nullptr;
    HorizontalPass horizontal_ = nullptr;
    VerticalPass vertical_ = nullptr;

    std::int32_t needLow_ = 0;             // the source rows any destination row needs
    std::int32_t needHigh_ = 0;            // one past the last
    std::vector<std::int32_t> lastNeeded_; // per destination line: the last source row it needs
    std::int32_t nextLine_ = 0;
    std::int32_t slots_ = 1;
    std::int32_t rowFloats_ = 0;
    std::int32_t base_ = 0; // virtual column at linear_[0]
    std::vector<float> linear_;
    std::vector<std::pair<std::size_t, std::size_t>> mirrored_; // (to, from) in floats
    std::vector<float> ring_;
    std::vector<float> line_;
    std::vector<const float*> tapRows_;
    bool failed_ = false;
};

} // namespace scalora
