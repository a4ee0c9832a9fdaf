#include "engine/resize_image_file.h"

#include "base/paths.h"
#include "base/strings.h"
#include "engine/geometry.h"
#include "engine/image_format_handler.h"
#include "engine/output_format.h"
#include "imaging/image_encoder.h"
#include "imaging/resize_pipeline.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>

namespace scalora {

bool resizeImageFile(const std::string& destinationPath, Size targetSize,
                     const ResizeOptions& options, const std::string& sourcePath, Size sourceSize,
                     Size canvasSize, ResizeFailure* failure) {
    ResizeFailure ignored;
    ResizeFailure& why = failure != nullptr ? *failure : ignored;
    why = {};
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

    // The whole source drawn at the target; on a larger canvas the picture sits centred on
    // opaque black. JPEG and opaque PNG sources stream from the decoder into the encoder.
    ResizeJob job;
    job.rect = {0, 0, static_cast<double>(sourceSize.width),
                static_cast<double>(sourceSize.height)};
    job.target = targetSize;
    job.canvas = canvasSize;
    if (canvasSize != targetSize) {
        job.placement = placementOnCanvas(canvasSize, targetSize);
    }
    job.format = encoder;
    job.jpegQuality = options.jpegQuality;
    job.copyMetadata = copyMetadata;
    std::vector<std::uint8_t> encoded;
    ResizeReport report;
    if (!resizeToMemory(sourcePath, job, encoded, &report)) {
        why.sourceTruncated = report.sourceTruncated;
        return false;
    }
    // The source is closed by now, so the destination may be the source itself. A link planted
    // at the result's name is replaced, never written through.
    AtomicFile file(destinationPath, TargetLink::Replace);
    if (!file.isOpen() ||
        !file.write({reinterpret_cast<const char*>(encoded.data()), encoded.size()})) {
        why.writeError = file.error();
        return false;
    }
    if (std::fflush(file.stream()) != 0) {
        why.writeError = errno;
        return false;
    }
    // The times go onto the complete temporary file, before it replaces the destination: when the
    // destination is the source itself, the source's times are gone once the rename is done. No
    // byte is written after this (everything is flushed), so the times stay. The result stands
    // whether or not the times could be copied.
    if (options.keepFileDates) {
        static_cast<void>(copyFileTimes(sourcePath, file.descriptor()));
    }
    if (!file.commit()) {
        why.writeError = file.error();
        return false;
    }
    return true;
}

} // namespace scalora
