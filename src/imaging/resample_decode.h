// Decoding a file for a resize: JPEGs are decoded at the smallest DCT scale (M/8) that still
// leaves the final filter enough pixels ("shrink-on-load"), and the caller's source rectangle is
// mapped onto the smaller decode so that the geometry of the result does not change.
#pragma once

#include "base/geometry.h"
#include "imaging/image_metadata.h"
#include "imaging/image_probe.h"
#include "imaging/pixel_image.h"
#include "imaging/resample.h"

#include <string>

namespace scalora {

// The decode keeps at least this many source pixels per destination pixel in each direction:
// with two, the final filter still sees every detail the destination can show, and the DCT
// scaling (a box-like filter) contributes no aliasing of its own at the destination's frequencies.
inline constexpr double kShrinkOnLoadMargin = 2.0;

// The smallest M in 1..8 for which `rect` scaled by M/8 keeps kShrinkOnLoadMargin x `target` in
// both directions; 8 (full size) when the target is too large for any reduction.
int chooseJpegScaleEighths(const SourceRect& rect, Size target);

// `rect` (in full-size pixels) in the pixels of a decode at M/8: a DCT-scaled decode maps each
// 8-pixel block onto M pixels, so positions and sizes scale by exactly M/8.
SourceRect scaleSourceRect(const SourceRect& rect, int scaleEighths);

struct ResizeSource {
    ImageProbe probe;     // the file as measured (sizes as displayed)
    PixelImage image;     // the decoded pixels, orientation applied
    SourceRect rect;      // the caller's rectangle in `image`'s pixels
    int scaleEighths = 8; // the DCT scale used (8 for non-JPEG files)
};

// Probes and decodes `path` for drawing `rect` (in full-size displayed pixels) at `target`.
// `metadata`, when given, receives the JPEG's copied segments (orientation reset to 1).
bool decodeForResize(const std::string& path, const SourceRect& rect, Size target,
                     ResizeSource& out, ImageMetadata* metadata = nullptr);

} // namespace scalora
