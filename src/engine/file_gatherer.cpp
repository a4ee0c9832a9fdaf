#include "engine/file_gatherer.h"

#include "base/paths.h"
#include "base/strings.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace scalora {
namespace {

using DeviceInode = std::pair<unsigned long long, unsigned long long>;

bool statFollow(const std::string& path, struct stat& info) {
    return ::stat(path.c_str(), &info) == 0;
}

DeviceInode idOf(const struct stat& info) {
    return {static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino)};
}

std::string canonicalPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

// Entry names of a folder sorted by name, or empty when it cannot be read.
std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        names.emplace_back(entry->d_name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Gatherer {
public:
    explicit Gatherer(const GatherOptions& options) : options_(options) {}

    void addPath(const std::string& rawPath) {
        const std::string trimmed = trim(rawPath);
        if (trimmed.empty()) {
            return;
        }
        const std::string path = normalizePath(expandHome(trimmed), options_.cwd);
        struct stat info {};
        if (!statFollow(path, info)) {
            return;
        }
        if (S_ISDIR(info.st_mode)) {
            collectFolder(withoutTrailingSeparator(path), info);
        } else if (!isHiddenName(fileName(path))) {
            addFile(withoutTrailingSeparator(path), info);
        }
    }

    std::vector<std::string> result() && { return std::move(files_); }

private:
    // Folders are searched with an explicit stack (no recursion depth to worry about); every
    // folder is entered once, whichever link leads to it.
    void collectFolder(const std::string& root, const struct stat& rootInfo) {
        if (!visitedFolders_.insert(idOf(rootInfo)).second) {
            return;
        }
        std::vector<std::string> pending{root};
        while (!pending.empty()) {
            const std::string folder = std::move(pending.back());
            pending.pop_back();
            std::vector<std::string> subfolders;
            for (const std::string& name : folderEntries(folder)) {
                if (isHiddenName(name)) {
                    continue; // also "." and ".."
                }
                const std::string path = joinPath(folder, name);
                struct stat info {};
                if (!statFollow(path, info)) {
                    continue; // dangling link, vanished entry
                }
                if (S_ISDIR(info.st_mode)) {
                    if (options_.recursive && visitedFolders_.insert(idOf(info)).second) {
                        subfolders.push_back(path);
                    }
                } else {
                    addFile(path, info);
                }
            }
            // Reversed onto the stack so subfolders are searched in name order.
            pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
        }
    }

    void addFile(const std::string& path, const struct stat& info) {
        if (!S_ISREG(info.st_mode) || !options_.acceptsExtension(extension(path))) {
            return;
        }
        if (!seenFiles_.insert(idOf(info)).second) {
            return; // the same file through another path
        }
        files_.push_back(path);
    }

    const GatherOptions& options_;
    std::set<DeviceInode> visitedFolders_;
    std::set<DeviceInode> seenFiles_;
    std::vector<std::string> files_;
};

bool liesIn(const std::string& path, const std::string& folderWithSeparator) {
    return path.size() > folderWithSeparator.size() && path.starts_with(folderWithSeparator);
}

} // namespace

bool isHiddenName(std::string_view name) {
    return name.starts_with('.');
}

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
    struct stat info {};
    if (!statFollow(destination, info) || !S_ISDIR(info.st_mode)) {
        return files;
    }
    std::string realDestination = canonicalPath(destination);
    if (!realDestination.empty()) {
        realDestination = withTrailingSeparator(realDestination);
    }
    std::erase_if(files, [&](const std::string& file) {
        if (liesIn(file, destination)) {
            return true;
        }
        return !realDestination.empty() && liesIn(canonicalPath(file), realDestination);
    });
    return files;
}

FileIdentity fileIdentity(const std::string& path) {
    struct stat info {};
    if (!statFollow(path, info)) {
        return {0, 0, normalizePath(path)};
    }
    const DeviceInode id = idOf(info);
    return {id.first, id.second, {}};
}

bool isSameFile(const std::string& a, const std::string& b) {
    return fileIdentity(a) == fileIdentity(b);
}

} // namespace scalora
