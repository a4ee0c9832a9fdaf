#include "engine/process_item.h"

#include "base/paths.h"
#include "data/translate.h"
#include "engine/geometry.h"
#include "engine/result_name.h"
#include "platform/file_system.h"

namespace scalora {
namespace {

// Exact spelling first; then through links, so a source reached by a link into the
// destination is left alone as well.
bool liesInDestination(const std::string& path, const std::string& folder) {
    if (isInsideFolder(path, folder)) {
        return true;
    }
    if (folder.empty()) {
        return false;
    }
    const std::optional<std::string> realFolder = canonicalPath(folder);
    const std::optional<std::string> realPath = canonicalPath(path);
    return realFolder && realPath && isInsideFolder(*realPath, withTrailingSeparator(*realFolder));
}

void refuse(ImageItem& item, std::string_view message) {
    item.message = translate(message, "Messages");
}

} // namespace

bool isInsideFolder(std::string_view path, std::string_view folder) {
    return !folder.empty() && path.size() >= folder.size() && path.starts_with(folder);
}

std::string destinationPathOf(const BatchSettings& settings, const ImageItem& item) {
    return settings.destinationFolder + item.resultFolder + resultFileName(item, settings.format);
}

bool processItem(const BatchSettings& settings, ImageItem& item, ImageCodec& codec) {
    item.resultPath.clear();
    item.writeError = 0;
    // Results of an earlier run, or anything below the destination, are never sources.
    if (liesInDestination(item.path, settings.destinationFolder)) {
        return false;
    }
    if (!isRegularFile(item.path)) {
        refuse(item, kMessageSourceMissing);
        return false;
    }
    if (!isDirectory(settings.destinationFolder)) {
        refuse(item, kMessageDestinationMissing);
        return false;
    }
    const std::string destination = destinationPathOf(settings, item);
    if (destination.ends_with('.')) {
        return false; // the source's extension maps to no format we can write
    }
    // The same file under two spellings (a link, a bind mount) counts as the same path.
    if (destination == item.path || isSameFile(destination, item.path)) {
        refuse(item, kMessageWriteOnItself);
        return false;
    }
    if (!settings.allowRewrite && isRegularFile(destination)) {
        refuse(item, kMessageRewriteNotAllowed);
        return false;
    }
    const std::optional<Size> measured = codec.measure(item.path);
    if (!measured) {
        refuse(item, kMessageSourceUnreadable);
        return false;
    }
    item.width = measured->width;
    item.height = measured->height;

    const Size target = computeTargetSize(settings.targetSizeInput({item.width, item.height}));
    if (target.width < 1 || target.height < 1) {
        return false;
    }
    const Size canvas = canvasSize(settings.mode, target, settings.desktopSize);
    ResizeFailure failure;
    const bool written =
        codec.resizeImageFile(destination, target, settings.writeOptions(), item.path,
                              {item.width, item.height}, canvas, failure);
    if (written) {
        item.resultPath = destination;
    } else if (failure.writeError != 0) {
        item.writeError = failure.writeError;
        item.message = translate(kMessageWriteFailed, "Messages") + " " + destination + ": " +
                       systemErrorText(failure.writeError);
    } else if (failure.sourceTruncated) {
        refuse(item, kMessageSourceTruncated);
    }
    return written;
}

} // namespace scalora
