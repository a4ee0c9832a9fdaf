// The program's resampler: draws any rectangle of a picture, scaled to any size, onto a canvas.
//
// Contract
// - Colour space: filtering happens in linear light. sRGB bytes go through a table to floats
//   (exact sRGB curve), the filter runs on those, and the way back rounds to the nearest byte
//   (linear_light.h). So a 1-pixel black and white pattern halves to the grey of half the light
//   (188), not to the 128 that filtering the stored values gives.
// - Separable, horizontal pass first, both passes in float with weights computed once per axis
//   (resample_weights.h); the engine (resample_stream.h) streams rows, so a decoder can feed it.
// - Alpha: filtered premultiplied in linear light, so transparent edges do not darken, the colour
//   of fully transparent pixels never leaks into visible ones, and a flat area keeps its colour.
// - Deterministic: no fast-math and no fused multiply-add; the vector kernels sum in the plain
//   order. The same input gives the same bytes on every run, machine and kernel set.
// - Edges: samples outside the picture mirror it (the edge row or column repeats, then the picture
//   continues flipped), so borders neither darken nor ring.
// - A rectangle at whole-pixel offsets drawn at its own size is a plain copy of the stored bytes:
//   no filtering and no linear-light round trip, so a format conversion at 100 % is lossless.
#pragma once

#include "base/geometry.h"
#include "imaging/pixel_image.h"
#include "imaging/resample_weights.h"

namespace scalora {

// A rectangle of the source in pixels; fractional positions and sizes are allowed (a scaled
// decode maps the caller's rectangle onto fewer pixels). Parts outside the picture mirror it.
struct SourceRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const SourceRect&, const SourceRect&) = default;
};

enum class ResampleBlend : std::uint8_t {
    Replace, // destination pixels take the scaled pixels, alpha included
    Over,    // scaled pixels are composited over the (opaque) canvas, as onto a black mat
};

enum class ResampleKernels : std::uint8_t {
    Fastest, // AVX2 where the processor has it, else SSE2
    Sse2,    // SSE2 even where AVX2 exists
    Plain,   // the portable reference loops
};

struct ResampleOptions {
    ResampleFilter filter = kDefaultResampleFilter;
    ResampleBlend blend = ResampleBlend::Replace;
    // The fastest kernels the processor has, or a given set; all give the same bytes (tests and
    // benchmarks compare them).
    ResampleKernels kernels = ResampleKernels::Fastest;
};

// Whether drawing `rect` at `size` is a plain copy (whole-pixel offsets, scale exactly 1).
bool isPlainCopy(const SourceRect& rect, Size size);

// Draws `sourceRect` of `source` scaled to destination.size() with its top-left corner at
// destination.topLeft() of `canvas`; the parts of the destination outside the canvas are cut off,
// canvas pixels outside it are left alone. With Replace, the written pixels have the alpha kind
// of the source (an opaque source writes opaque pixels). Returns false, leaving the canvas as
// it was, for a null image, an empty rectangle or size, or a span the weights cannot hold.
bool resampleOnto(const PixelImage& source, const SourceRect& sourceRect, PixelImage& canvas,
                  const Rect& destination, const ResampleOptions& options = {});

// The whole of `source` scaled to `size` as a new picture (null on failure), with the source's
// alpha kind and resolution.
PixelImage resampled(const PixelImage& source, Size size, const ResampleOptions& options = {});

} // namespace scalora
