#include "tools/batch/kept_folders.h"

#include "base/paths.h"

#include <cerrno>
#include <sys/stat.h>

namespace scalora {

std::string mirroredFolder(const std::string& file, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        const std::string prefix = withTrailingSeparator(folder);
        if (!file.starts_with(prefix)) {
            continue;
        }
        const std::size_t lastSlash = file.rfind('/');
        return lastSlash < prefix.size()
                   ? std::string()
                   : file.substr(prefix.size(), lastSlash + 1 - prefix.size());
    }
    return {};
}

bool makeMirroredFolder(const std::string& destination, const std::string& relative) {
    std::string path = destination;
    std::size_t start = 0;
    while (start < relative.size()) {
        const std::size_t slash = relative.find('/', start);
        const std::size_t end = slash == std::string::npos ? relative.size() : slash;
        path += relative.substr(start, end - start);
        start = end + 1;
        if (::mkdir(path.c_str(), 0777) != 0) {
            struct stat info {};
            if (errno != EEXIST || ::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
                return false;
            }
        }
        path += '/';
    }
    return true;
}

} // namespace scalora
