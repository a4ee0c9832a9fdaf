// The program's resampler: draws any rectangle of a picture, scaled to any size, onto a canvas.
//
// Contract
// - Separable: a vertical pass per destination row into one intermediate row, then a horizontal
//   pass; weights are computed once per axis (resample_weights.h). Both passes run in fixed point,
//   so the same input gives the same bytes on every run and machine (no floating point per pixel).
// - Colour space: the stored sRGB values are filtered as they are (no linear-light conversion), as
//   every photo viewer and the platform library do.
// - Alpha: filtered premultiplied, in 16-bit precision (value x alpha), so transparent edges do not
//   darken, the colour of fully transparent pixels never leaks into visible ones, and a flat
//   half-transparent area keeps its exact colour. Opaque pictures skip all of that.
// - Edges: samples outside the picture mirror it (the edge row or column repeats, then the picture
//   continues flipped), so borders neither darken nor ring.
// - A rectangle at whole-pixel offsets drawn at its own size is a plain copy: no filtering, no
//   premultiply round trip, so a format conversion at 100 % is lossless.
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
    Fastest, // AVX2 where the processor has it, else SSE2 (opaque pictures; alpha uses Plain)
    Sse2,    // SSE2 even where AVX2 exists
    Plain,   // the portable reference loops
};

struct ResampleOptions {
    ResampleFilter filter = kDefaultResampleFilter;
    ResampleBlend blend = ResampleBlend::Replace;
    // The fastest kernels the processor has, or a given set; all give the same bytes (tests and
    // benchmarks compare them).
    ResampleKernels kernels = ResampleKernels::Fastest;
    // Rows are split into bands resized on up to this many threads (0: one per core, at most
    // four); small resizes always run on the calling thread. The result does not depend on it.
    int maxThreads = 0;
};

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
