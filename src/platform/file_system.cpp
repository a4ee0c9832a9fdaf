#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace scalora {
namespace {

// The system calls need a terminated string; string_view gives no such promise.
std::string terminated(std::string_view path) {
    return std::string(path);
}

bool statFollowing(std::string_view path, struct stat& info) {
    if (path.empty()) {
        return false;
    }
    return stat(terminated(path).c_str(), &info) == 0;
}

FileIdentity identityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

} // namespace

bool fileExists(std::string_view path) {
    struct stat info {};
    return !path.empty() && lstat(terminated(path).c_str(), &info) == 0;
}

bool isDirectory(std::string_view path) {
    struct stat info {};
    return statFollowing(path, info) && S_ISDIR(info.st_mode);
}

bool isRegularFile(std::string_view path) {
    struct stat info {};
    return statFollowing(path, info) && S_ISREG(info.st_mode);
}

bool isHidden(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return !name.empty() && name.front() == '.';
}

std::optional<std::uint64_t> fileSize(std::string_view path) {
    struct stat info {};
    if (!statFollowing(path, info) || !S_ISREG(info.st_mode) || info.st_size < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<FileStatus> fileStatus(std::string_view path) {
    struct stat info {};
    if (!statFollowing(path, info)) {
        return std::nullopt;
    }
    FileStatus status;
    if (S_ISDIR(info.st_mode)) {
        status.kind = FileKind::Directory;
    } else if (S_ISREG(info.st_mode)) {
        status.kind = FileKind::RegularFile;
        status.size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    }
    status.identity = identityOf(info);
    return status;
}

std::optional<std::string> canonicalPath(std::string_view path) {
    if (path.empty()) {
        return std::nullopt;
    }
    // Without a buffer realpath allocates one of the length the result needs.
    const std::unique_ptr<char, decltype(&std::free)> resolved(
        realpath(terminated(path).c_str(), nullptr), &std::free);
    if (!resolved) {
        return std::nullopt;
    }
    return std::string(resolved.get());
}

std::optional<std::vector<DirectoryEntry>> listDirectory(std::string_view path,
                                                         HiddenEntries hidden) {
    if (path.empty()) {
        return std::nullopt;
    }
    const int folder = open(terminated(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        return std::nullopt;
    }
    DIR* stream = fdopendir(folder);
    if (stream == nullptr) {
        close(folder);
        return std::nullopt;
    }
    std::vector<DirectoryEntry> entries;
    while (true) {
        errno = 0;
        const dirent* raw = readdir(stream);
        if (raw == nullptr) {
            break;
        }
        const std::string_view name = raw->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (hidden == HiddenEntries::Skip && name.front() == '.') {
            continue;
        }
        DirectoryEntry entry;
        entry.name = std::string(name);
        // d_type is unknown on some file systems and never follows links: ask stat then.
        struct stat info {};
        if (fstatat(folder, raw->d_name, &info, 0) == 0) {
            entry.isDirectory = S_ISDIR(info.st_mode);
            entry.isRegularFile = S_ISREG(info.st_mode);
            entry.identity = identityOf(info);
        }
        entries.push_back(std::move(entry));
    }
    const bool failed = errno != 0;
    closedir(stream); // also closes folder
    if (failed) {
        return std::nullopt;
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return entries;
}

bool isSameFile(std::string_view a, std::string_view b) {
    struct stat first {};
    struct stat second {};
    return statFollowing(a, first) && statFollowing(b, second) &&
           identityOf(first) == identityOf(second);
}

bool createDirectories(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    if (isDirectory(path)) {
        return true;
    }
    std::string partial;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t slash = path.find('/', pos);
        if (slash == std::string_view::npos) {
            slash = path.size();
        }
        partial = terminated(path.substr(0, slash));
        pos = slash + 1;
        if (partial.empty() || partial.back() == '/') {
            continue; // the root, or a doubled separator
        }
        if (mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return isDirectory(path);
}

bool copyFileTimes(std::string_view source, std::string_view target) {
    struct stat info {};
    if (!statFollowing(source, info) || target.empty()) {
        return false;
    }
    const timespec times[2] = {info.st_atim, info.st_mtim};
    return utimensat(AT_FDCWD, terminated(target).c_str(), times, 0) == 0;
}

bool copyFileTimes(std::string_view source, int targetDescriptor) {
    struct stat info {};
    if (!statFollowing(source, info) || targetDescriptor < 0) {
        return false;
    }
    const timespec times[2] = {info.st_atim, info.st_mtim};
    return futimens(targetDescriptor, times) == 0;
}

std::optional<std::uint64_t> freeBytes(std::string_view path) {
    struct statvfs info {};
    if (path.empty() || statvfs(terminated(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    const std::uint64_t blocks = info.f_bavail;
    const std::uint64_t blockSize = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    if (blockSize != 0 && blocks > std::numeric_limits<std::uint64_t>::max() / blockSize) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return blocks * blockSize;
}

std::string systemErrorText(int error) {
    char buffer[256];
    // The GNU strerror_r: returns its text, which need not be in the buffer.
    return strerror_r(error, buffer, sizeof buffer);
}

bool isOutOfSpace(int error) {
    return error == ENOSPC || error == EDQUOT;
}

bool removeFile(std::string_view path) {
    return !path.empty() && unlink(terminated(path).c_str()) == 0;
}

std::string currentDirectory() {
    const std::unique_ptr<char, decltype(&std::free)> path(getcwd(nullptr, 0), &std::free);
    return path ? std::string(path.get()) : std::string();
}

} // namespace scalora
