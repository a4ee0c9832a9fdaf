#include "app/start_folders.h"

#include "platform/file_contents.h"
#include "platform/file_system.h"
#include "platform/user_folders.h"

#include <cstdlib>

namespace scalora {
namespace {

// user-dirs.dirs is a handful of short lines.
constexpr std::uint64_t kUserDirsMaxBytes = 64 * 1024;

std::string withSlash(std::string path) {
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::string desktopFolderFromUserDirs(std::string_view userDirs, std::string_view home) {
    constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
    while (!userDirs.empty()) {
        const std::size_t end = userDirs.find('\n');
        const std::string_view line = trimmed(userDirs.substr(0, end));
        userDirs = end == std::string_view::npos ? std::string_view{} : userDirs.substr(end + 1);
        if (!line.starts_with(kKey)) {
            continue;
        }
        std::string_view value = line.substr(kKey.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
            continue;
        }
        value = value.substr(1, value.size() - 2);
        if (value.starts_with("$HOME")) {
            return std::string(home) + std::string(value.substr(5));
        }
        if (value.starts_with('/')) {
            return std::string(value);
        }
    }
    return {};
}

std::string userDesktopFolder() {
    const char* homeVariable = std::getenv("HOME");
    const std::string home = homeVariable != nullptr ? homeVariable : "";
    if (home.empty()) {
        return {};
    }
    std::string userDirs;
    const std::string config = userConfigDirectory();
    if (!config.empty() &&
        readRegularFile(config + "/user-dirs.dirs", kUserDirsMaxBytes, userDirs)) {
        const std::string named = desktopFolderFromUserDirs(userDirs, home);
        if (!named.empty() && isDirectory(named)) {
            return withSlash(named);
        }
    }
    if (isDirectory(home + "/Desktop")) {
        return home + "/Desktop/";
    }
    return withSlash(home);
}

std::string dialogStartFolder(std::string_view stored) {
    const std::string_view folder = trimmed(stored);
    if (!folder.empty() && isDirectory(folder)) {
        return withSlash(std::string(folder));
    }
    return userDesktopFolder();
}

} // namespace scalora
