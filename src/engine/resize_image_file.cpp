#include "engine/resize_image_file.h"

#include "base/paths.h"
#include "base/strings.h"
#include "engine/geometry.h"
#include "engine/image_format_handler.h"
#include "engine/output_format.h"
#include "imaging/image_encoder.h"
#include "imaging/resample_decode.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"

#include <cstdio>

namespace scalora {

namespace {

constexpr std::uint32_t kOpaqueBlack = 0xFF000000;

} // namespace

bool resizeImageFile(const std::string& destinationPath, Size targetSize,
                     const ResizeOptions& options, const std::string& sourcePath, Size sourceSize,
                     Size canvasSize) {
    // Arguments and the overwrite rule.
    if (destinationPath.empty() || targetSize.isEmpty() || canvasSize.isEmpty() ||
        sourceSize.isEmpty() || !isRegularFile(sourcePath)) {
        return false;
    }
    if (fileExists(destinationPath) && !options.allowRewrite) {
        return false;
    }
    // Both extensions must belong to a format family.
    const std::string sourceExtension = toLower(extension(sourcePath));
    const std::string destinationExtension = toLower(extension(destinationPath));
    if (sourceExtension.empty() || destinationExtension.empty() ||
        findFormatHandler(sourceExtension) == nullptr ||
        findFormatHandler(destinationExtension) == nullptr) {
        return false;
    }
    const bool copyMetadata = options.copyMetadata && isJpegExtension(sourceExtension) &&
                              isJpegExtension(destinationExtension);
    const ImageFormat encoder = encoderFormatOfExtension(destinationExtension);
    if (!hasImageEncoder(encoder)) {
        return false;
    }

    // Decode, at a reduced JPEG scale when the target is much smaller than the source.
    const SourceRect rect{0, 0, static_cast<double>(sourceSize.width),
                          static_cast<double>(sourceSize.height)};
    ImageMetadata metadata;
    ResizeSource source;
    if (!decodeForResize(sourcePath, rect, targetSize, source,
                         copyMetadata ? &metadata : nullptr)) {
        return false;
    }

    // The canvas, with the source's resolution. On a larger canvas the picture sits centred on
    // opaque black and is composited onto it; otherwise it covers the canvas and keeps its alpha.
    const bool onMat = canvasSize != targetSize;
    PixelImage canvas;
    if (!canvas.allocate(canvasSize.width, canvasSize.height,
                         onMat ? AlphaKind::None : source.image.alphaKind())) {
        return false;
    }
    canvas.setDpi(source.probe.dpiX, source.probe.dpiY);
    Point placement;
    ResampleOptions resample;
    if (onMat) {
        canvas.fill(kOpaqueBlack);
        placement = placementOnCanvas(canvasSize, targetSize);
        resample.blend = ResampleBlend::Over;
    }
    // A failed draw would leave the canvas uninitialised: better no result than a garbage one.
    if (!resampleOnto(source.image, source.rect, canvas,
                      {placement.x, placement.y, targetSize.width, targetSize.height}, resample)) {
        return false;
    }
    // From here on the source is closed, so the destination may be the source itself.
    source.image.reset();

    EncodeOptions encode;
    encode.jpegQuality = options.jpegQuality;
    encode.metadata = copyMetadata && !metadata.empty() ? &metadata : nullptr;
    AtomicFile file(destinationPath);
    if (!file.isOpen() || !encodeImage(canvas, encoder, encode, file.stream()) ||
        std::fflush(file.stream()) != 0) {
        return false;
    }
    // The times go onto the complete temporary file, before it replaces the destination: when the
    // destination is the source itself, the source's times are gone once the rename is done. No
    // byte is written after this (everything is flushed), so the times stay. The result stands
    // whether or not the times could be copied.
    if (options.keepFileDates) {
        static_cast<void>(copyFileTimes(sourcePath, file.temporaryPath()));
    }
    return file.commit();
}

} // namespace scalora
