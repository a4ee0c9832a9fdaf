// Turning one source file into one result file: decode (reduced when the target is much smaller),
// scale onto the canvas, carry the resolution, the colour profile and, JPEG to JPEG, the
// metadata, encode by the destination's extension, replace the destination only once the new
// file is complete, and keep the source's file times when asked.
#pragma once

#include "base/geometry.h"
#include "engine/resize_options.h"

#include <string>

namespace scalora {

// `sourceSize` is the size recorded when the source was measured (as displayed); the whole of it
// is drawn at `targetSize`. `canvasSize` differs from the target only for the desktop mode that
// keeps proportions: the canvas is then opaque black with the picture centred on it. The
// destination may be the source itself (with allowRewrite). True when the result was written;
// otherwise failure, when given, says why where that is known.
[[nodiscard]] bool resizeImageFile(const std::string& destinationPath, Size targetSize,
                                   const ResizeOptions& options, const std::string& sourcePath,
                                   Size sourceSize, Size canvasSize,
                                   ResizeFailure* failure = nullptr);

} // namespace scalora
