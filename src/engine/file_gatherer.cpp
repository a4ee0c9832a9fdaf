#include "engine/file_gatherer.h"

#include "base/paths.h"
#include "base/strings.h"
#include "platform/file_system.h"

#include <set>
#include <utility>

namespace scalora {
namespace {

class Gatherer {
public:
    explicit Gatherer(const GatherOptions& options) : options_(options) {}

    void addPath(const std::string& rawPath) {
        const std::string trimmed = trim(rawPath);
        if (trimmed.empty()) {
            return;
        }
        const std::string path = normalizePath(expandHome(trimmed), options_.cwd);
        const std::optional<FileStatus> status = fileStatus(path);
        if (!status) {
            return;
        }
        if (status->kind == FileKind::Directory) {
            collectFolder(withoutTrailingSeparator(path), status->identity);
        } else if (!isHidden(path)) {
            addFile(withoutTrailingSeparator(path), status->kind == FileKind::RegularFile,
                    status->identity);
        }
    }

    std::vector<std::string> result() && { return std::move(files_); }

private:
    // Folders are searched with an explicit stack (no recursion depth to worry about); every
    // folder is entered once, whichever link leads to it.
    void collectFolder(const std::string& root, FileIdentity rootIdentity) {
        if (!visitedFolders_.insert(rootIdentity).second) {
            return;
        }
        std::vector<std::string> pending{root};
        while (!pending.empty()) {
            const std::string folder = std::move(pending.back());
            pending.pop_back();
            std::vector<std::string> subfolders;
            const std::vector<DirectoryEntry> entries =
                listDirectory(folder, HiddenEntries::Skip).value_or(std::vector<DirectoryEntry>{});
            for (const DirectoryEntry& entry : entries) {
                const std::string path = joinPath(folder, entry.name);
                if (entry.isDirectory) {
                    if (options_.recursive && visitedFolders_.insert(entry.identity).second) {
                        subfolders.push_back(path);
                    }
                } else {
                    addFile(path, entry.isRegularFile, entry.identity);
                }
            }
            // Reversed onto the stack so subfolders are searched in name order.
            pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
        }
    }

    // Dangling links, vanished entries and anything that is not a regular file are left out.
    void addFile(const std::string& path, bool isRegular, FileIdentity identity) {
        if (!isRegular || !options_.acceptsExtension(extension(path))) {
            return;
        }
        if (!seenFiles_.insert(identity).second) {
            return; // the same file through another path
        }
        files_.push_back(path);
    }

    const GatherOptions& options_;
    std::set<FileIdentity> visitedFolders_;
    std::set<FileIdentity> seenFiles_;
    std::vector<std::string> files_;
};

bool liesIn(const std::string& path, const std::string& folderWithSeparator) {
    return path.size() > folderWithSeparator.size() && path.starts_with(folderWithSeparator);
}

} // namespace

std::vector<std::string> gatherImageFiles(const std::vector<std::string>& paths,
                                          const GatherOptions& options) {
    Gatherer gatherer(options);
    for (const std::string& path : paths) {
        gatherer.addPath(path);
    }
    std::vector<std::string> files = std::move(gatherer).result();

    // Results of an earlier run into the destination are not sources of this one, whether
    // spelled through the destination's own path or reached through a link.
    const std::string destinationText = trim(options.destinationText);
    if (destinationText.empty()) {
        return files;
    }
    const std::string destination =
        withTrailingSeparator(normalizePath(expandHome(destinationText), options.cwd));
    if (!isDirectory(destination)) {
        return files;
    }
    const std::optional<std::string> realDestination = canonicalPath(destination);
    const std::string realFolder = realDestination ? withTrailingSeparator(*realDestination) : "";
    std::erase_if(files, [&](const std::string& file) {
        if (liesIn(file, destination)) {
            return true;
        }
        return !realFolder.empty() && liesIn(canonicalPath(file).value_or(""), realFolder);
    });
    return files;
}

} // namespace scalora
