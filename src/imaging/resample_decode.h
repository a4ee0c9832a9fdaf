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

// The decode keeps at least kShrinkOnLoadMargin source pixels per destination pixel in each
// direction, and uses only the scales 1/8, 1/4 and 1/2 (or the full size). Measured on the photo
// corpus (bench/imaging/run --section shrink), fitting 22 camera JPEGs into 1280 x 1280 and
// comparing with the result of a full-size decode:
//   any M, margin 2:        mean SSIM 0.9991, worst 0.9959, decode 0.81 of full size
//   M in 1,2,4, margin 1.5: mean SSIM 0.9992, worst 0.9982, decode 0.59 of full size
// libjpeg-turbo has vector code for the 1/2 and 1/4 inverse DCTs (1/8 needs only the DC term);
// the other reductions cost 0.8 to 1.08 of a full decode and came out no sharper. So the fast
// scales with a margin of 1.5 give the same quality as a margin of 2 for a quarter less time.
inline constexpr double kShrinkOnLoadMargin = 1.5;

// The smallest M in {1, 2, 4} for which `rect` scaled by M/8 keeps kShrinkOnLoadMargin x
// `target` in both directions; 8 (full size) when none does.
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
