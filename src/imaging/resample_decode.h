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

// How far shrink-on-load may go, measured against the ideal result: the full-size decode
// resized in linear light (bench/engine/quality.py), over the 22 camera JPEGs of the corpus at
// widths 400 to 1600 and heights 48 to 240, PSNR of the result from a reduced decode:
//   1/2 decode, margin 1.0-1.25: mean 47.2 dB, worst 41.9   margin 1.25-1.5: 49.7, worst 44.8
//                margin 1.5-2:    mean 51.7 dB, worst 46.9   margin 2.5-3.2:  54.6, worst 50.3
//   1/4 decode, margin 1.0-1.25: mean 40.8 dB, worst 36.6   margin 2.5-3.2:  45.8, worst 42.1
//   1/8 decode, margin 1.3: mean 40.9 dB   margin 2.6: 46.3   margin 6.4: 48.3, worst 42.1
// (margin: decoded pixels per result pixel in the tighter direction). A JPEG at quality 90 is
// about 40 dB from its own source, so an error 10 dB below that (50 dB) leaves the result as
// good as from the full decode. The 1/2 decode gets there from a margin of 1.25, and it is what
// libjpeg-turbo decodes fastest after 1/8. The 1/4 decode (its 2 x 2 inverse DCT aliases) is
// never better than 1/2, so it is not used; 1/8 averages 8 x 8 blocks of stored values, not of
// light, and is kept for results at least 4 times smaller than it, list previews above all.
inline constexpr double kHalfDecodeMargin = 1.25;
inline constexpr double kEighthDecodeMargin = 4.0;

// The scale M/8 to decode `rect` at for drawing it at `target`: 1 when that keeps
// kEighthDecodeMargin x `target` in both directions, else 4 when that keeps kHalfDecodeMargin,
// else 8 (full size).
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
