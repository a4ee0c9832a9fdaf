// One source file to one encoded result in memory: decode (reduced when the target is much
// smaller, resample_decode.h), resample in linear light onto the canvas, encode with the
// source's colour profile (BMP: converted to sRGB) and, for JPEG and BMP, over white. For a JPEG,
// or an opaque PNG without interlacing, drawn upright at its own canvas and written as JPEG or PNG,
// the rows stream from the decoder through the resampler into the encoder, so no full-size
// picture is ever held; everything else goes through a decoded picture and a canvas in memory,
// with the same pixels as a result.
#pragma once

#include "base/geometry.h"
#include "imaging/image_format.h"
#include "imaging/resample.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scalora {

struct ResizeJob {
    SourceRect rect; // of the source, in full-size pixels as displayed
    Size target;     // the size the rectangle is drawn at
    Size canvas;     // the result's size: the target, or larger (then opaque black
    Point placement; // with the picture at `placement`, composited over it)
    ImageFormat format = ImageFormat::Jpeg; // the encoder
    int jpegQuality = 90;                   // 1..100
    bool copyMetadata = false; // a JPEG source's EXIF, ICC, XMP, IPTC and comments, for JPEG
};

// What the resize did, for tests and benchmarks.
struct ResizeReport {
    bool streamed = false;        // rows went from decoder to encoder without a full-size picture
    int scaleEighths = 8;         // the JPEG decode scale (8 for other formats)
    bool sourceTruncated = false; // the decode failed because the file ends too early
};

// The result of `job` on the file at `sourcePath` into `encoded` (with the source's resolution).
// False, with `encoded` empty, when the source cannot be decoded or the result not encoded.
[[nodiscard]] bool resizeToMemory(const std::string& sourcePath, const ResizeJob& job,
                                  std::vector<std::uint8_t>& encoded,
                                  ResizeReport* report = nullptr);

} // namespace scalora
