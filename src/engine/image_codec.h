// What the batch needs from the codec layer, behind an interface so the per-image task and the
// worker can be exercised with a stand-in that writes no real images.
#pragma once

#include "base/geometry.h"
#include "engine/resize_options.h"
#include "imaging/pixel_image.h"

#include <cstdint>
#include <optional>
#include <string>

namespace scalora {

class ImageCodec {
public:
    virtual ~ImageCodec() = default;
    // Opens the file as an image and reports its pixel size; nullopt when it does not open.
    // A dimension the decoder cannot report is 0.
    virtual std::optional<Size> measure(const std::string& path) = 0;
    // The 48-pixel-high list preview; a null image on any failure.
    virtual PixelImage makeThumbnail(const std::string& path) = 0;
    // Decodes the source, scales it to target on a canvas of canvasSize, encodes in the format
    // of the destination's extension and replaces the destination only once the file is
    // complete. True when the result was written; otherwise failure says why, where known.
    [[nodiscard]] virtual bool resizeImageFile(const std::string& destinationPath, Size target,
                                               const ResizeOptions& options,
                                               const std::string& sourcePath, Size sourceSize,
                                               Size canvas, ResizeFailure& failure) = 0;
};

} // namespace scalora
