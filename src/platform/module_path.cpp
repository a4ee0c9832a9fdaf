#include "platform/module_path.h"

#include "base/paths.h"

#include <climits>
#include <unistd.h>
#include <vector>

namespace scalora {

std::string modulePath() {
    // readlink does not report the full length of a truncated result, so grow until the
    // answer fits with room to spare.
    std::vector<char> buffer(PATH_MAX);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 4);
    }
    return {};
}

std::string moduleDirectory() {
    const std::string path = modulePath();
    if (path.empty()) {
        return {};
    }
    return directoryPart(path);
}

} // namespace scalora
