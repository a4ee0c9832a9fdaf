#include "platform/atomic_file.h"

#include "base/paths.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace scalora {
namespace {

// umask() can only be read by setting it, which races with other threads creating files; the
// kernel reports it in /proc (since Linux 4.7) without changing it.
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    return 022; // the common default, when /proc is not mounted
}

// A link is replaced by what it points to, so that the rename lands on the real file.
std::string resolvedTarget(std::string_view path) {
    std::string target(path);
    struct stat info {};
    if (lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::vector<char> resolved(PATH_MAX + 1);
        if (realpath(target.c_str(), resolved.data()) != nullptr) {
            return resolved.data();
        }
    }
    return target;
}

void syncDirectory(const std::string& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // Durability of the rename itself; a failure here cannot undo the rename, so ignore it.
        (void)fsync(fd);
        close(fd);
    }
}

} // namespace

AtomicFile::AtomicFile(std::string_view targetPath) : target_(resolvedTarget(targetPath)) {
    const std::string name = fileName(target_);
    if (name.empty()) {
        fail(EISDIR);
        return;
    }
    const std::string folder = directoryPart(target_);
    // The leading dot keeps the temporary file out of folder listings that skip hidden names.
    std::string pattern = joinPath(folder, "." + name + ".tmp-XXXXXX");
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        fail(errno);
        return;
    }
    temporary_ = pattern;

    // mkostemp creates 0600; give the new file what a plain create would, or the permissions
    // (and, where allowed, owner) of the file it replaces.
    struct stat old {};
    if (stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        (void)fchmod(fd, old.st_mode & 07777);
        if (old.st_uid != geteuid() || old.st_gid != getegid()) {
            (void)!fchown(fd, old.st_uid, old.st_gid); // only root may; others keep their own
        }
    } else {
        (void)fchmod(fd, 0666 & ~currentUmask());
    }

    stream_ = fdopen(fd, "wb");
    if (stream_ == nullptr) {
        const int error = errno;
        close(fd);
        fail(error);
    }
}

AtomicFile::~AtomicFile() {
    discard();
}

int AtomicFile::descriptor() const {
    return stream_ != nullptr ? fileno(stream_) : -1;
}

bool AtomicFile::write(std::string_view bytes) {
    if (stream_ == nullptr || failed_) {
        return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
        fail(errno != 0 ? errno : EIO);
        return false;
    }
    return true;
}

void AtomicFile::fail(int error) {
    if (!failed_) {
        error_ = error;
        failed_ = true;
    }
}

bool AtomicFile::commit() {
    if (stream_ == nullptr) {
        fail(EBADF);
        discard();
        return false;
    }
    if (!failed_ && std::ferror(stream_) != 0) {
        fail(EIO);
    }
    if (!failed_ && std::fflush(stream_) != 0) {
        fail(errno);
    }
    if (!failed_ && fsync(fileno(stream_)) != 0) {
        fail(errno);
    }
    const int closed = std::fclose(stream_);
    stream_ = nullptr;
    if (!failed_ && closed != 0) {
        fail(errno);
    }
    if (!failed_ && rename(temporary_.c_str(), target_.c_str()) != 0) {
        fail(errno);
    }
    if (failed_) {
        discard();
        return false;
    }
    temporary_.clear();
    syncDirectory(directoryPart(target_));
    return true;
}

void AtomicFile::discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool writeFileAtomically(std::string_view path, std::string_view bytes) {
    AtomicFile file(path);
    return file.write(bytes) && file.commit();
}

} // namespace scalora
