#include "platform/user_folders.h"

#include "base/paths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace scalora {
namespace {

std::string homeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    // Services and sudo may run without HOME; the password database still knows it.
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 &&
        result != nullptr && result->pw_dir != nullptr && result->pw_dir[0] == '/') {
        return result->pw_dir;
    }
    return {};
}

} // namespace

std::string userConfigDirectory() {
    // The base directory rules ignore relative values of XDG_CONFIG_HOME.
    if (const char* config = std::getenv("XDG_CONFIG_HOME");
        config != nullptr && config[0] == '/') {
        return withoutTrailingSeparator(normalizePath(config));
    }
    const std::string home = homeDirectory();
    if (home.empty()) {
        return {};
    }
    return joinPath(withoutTrailingSeparator(normalizePath(home)), ".config");
}

std::string applicationDataDirectory(std::string_view applicationName) {
    const std::string config = userConfigDirectory();
    if (config.empty() || applicationName.empty()) {
        return {};
    }
    return joinPath(config, applicationName);
}

} // namespace scalora
