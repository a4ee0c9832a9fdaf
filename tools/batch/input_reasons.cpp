#include "tools/batch/input_reasons.h"

#include "base/paths.h"
#include "base/strings.h"
#include "engine/image_format_handler.h"
#include "platform/file_system.h"

#include <set>

namespace scalora {
namespace {

// Whether the path (a file, or anything below a folder) is among the gathered ones; sorted, so
// that naming ten thousand files costs a lookup each rather than a scan of the whole list.
bool contributed(const std::string& path, bool isFolder, const std::set<std::string>& gathered) {
    if (!isFolder) {
        return gathered.contains(path);
    }
    const std::string prefix = withTrailingSeparator(path);
    const auto first = gathered.lower_bound(prefix);
    return first != gathered.end() && first->starts_with(prefix);
}

std::string folderReason(const std::string& folder, const InputContext& context) {
    if (withTrailingSeparator(folder).starts_with(context.destination)) {
        return "is the destination folder or inside it; results are not taken as sources";
    }
    if (context.recursive) {
        return "holds no bmp, jpg, png or tif images";
    }
    return "holds no bmp, jpg, png or tif images (add -r to search its subfolders)";
}

std::string fileReason(const std::string& file, const FileStatus& status,
                       const InputContext& context) {
    if (status.kind != FileKind::RegularFile) {
        return "is not a regular file";
    }
    if (isHidden(file)) {
        return "is a hidden file";
    }
    const std::string ext = toLower(extension(file));
    if (ext == "gif") {
        return "is a GIF: GIF images are not resized";
    }
    if (!isAcceptedImageExtension(ext)) {
        return "is not a bmp, jpg, png or tif image";
    }
    if (file.starts_with(context.destination)) {
        return "is inside the destination folder; results are not taken as sources";
    }
    return "is the same file as one named before it";
}

} // namespace

std::vector<std::string> unusedInputReasons(const std::vector<std::string>& given,
                                            const std::vector<std::string>& gathered,
                                            const InputContext& context) {
    const std::set<std::string> sorted(gathered.begin(), gathered.end());
    std::vector<std::string> reasons;
    for (const std::string& raw : given) {
        const std::string trimmed = trim(raw);
        if (trimmed.empty()) {
            continue;
        }
        const std::string path =
            withoutTrailingSeparator(normalizePath(expandHome(trimmed), context.cwd));
        const std::optional<FileStatus> status = fileStatus(path);
        if (!status) {
            reasons.push_back(raw + ": no such file or folder");
            continue;
        }
        const bool isFolder = status->kind == FileKind::Directory;
        if (contributed(path, isFolder, sorted)) {
            continue;
        }
        reasons.push_back(
            raw + ": " +
            (isFolder ? folderReason(path, context) : fileReason(path, *status, context)));
    }
    return reasons;
}

} // namespace scalora
