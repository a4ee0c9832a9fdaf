#include "platform/atomic_file.h"

#include "base/paths.h"
#include "platform/file_system.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace scalora {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Tries at a free temporary name before giving up; each collides with odds of 62^-6.
constexpr int kNameAttempts = 100;

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

std::string temporaryNameFor(const std::string& name) {
    std::array<unsigned char, kRandomLength> noise{};
    if (getrandom(noise.data(), noise.size(), 0) != static_cast<ssize_t>(noise.size())) {
        // Without the kernel's randomness the clock and a counter still make collisions rare,
        // and O_EXCL makes them harmless.
        static unsigned counter = 0;
        const auto seed = static_cast<unsigned>(std::time(nullptr)) ^ (++counter * 2654435761U);
        for (std::size_t i = 0; i < noise.size(); ++i) {
            noise[i] = static_cast<unsigned char>(seed >> (i * 5));
        }
    }
    // The leading dot keeps the temporary file out of folder listings that skip hidden names.
    std::string result = "." + name + std::string(kTemporaryMark);
    for (const unsigned char byte : noise) {
        result += kNameCharacters[byte % kNameCharacters.size()];
    }
    return result;
}

} // namespace

bool isTemporaryFileName(std::string_view name) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (name.size() < 2 || name.front() != '.' || mark == std::string_view::npos || mark < 2 ||
        name.size() - mark - kTemporaryMark.size() != kRandomLength) {
        return false;
    }
    return name.substr(mark + kTemporaryMark.size()).find_first_not_of(kNameCharacters) ==
           std::string_view::npos;
}

std::int32_t removeStaleTemporaries(std::string_view folder) {
    const FileDescriptor dir(
        ::open(std::string(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const std::optional<std::vector<DirectoryEntry>> entries = listDirectory(folder);
    if (!dir.isValid() || !entries) {
        return 0;
    }
    std::int32_t removed = 0;
    for (const DirectoryEntry& entry : *entries) {
        if (!isTemporaryFileName(entry.name)) {
            continue;
        }
        const FileDescriptor file(::openat(dir.get(), entry.name.c_str(),
                                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        // A writer holds a lock on its temporary until it is renamed into place; the kernel
        // drops the lock of a process that died.
        if (file.isValid() && ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == geteuid() && ::flock(file.get(), LOCK_EX | LOCK_NB) == 0 &&
            ::unlinkat(dir.get(), entry.name.c_str(), 0) == 0) {
            ++removed;
        }
    }
    return removed;
}

AtomicFile::AtomicFile(std::string_view targetPath, TargetLink link)
    : target_(link == TargetLink::Follow ? resolvedTarget(targetPath) : std::string(targetPath)) {
    name_ = fileName(target_);
    if (name_.empty()) {
        fail(EISDIR);
        return;
    }
    const std::string folder = directoryPart(target_);
    folder_ = FileDescriptor(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder_.isValid()) {
        fail(errno);
        return;
    }
    open(link);
}

AtomicFile::AtomicFile(int folderDescriptor, std::string_view name) : target_(name), name_(name) {
    if (name_.empty() || name_.find('/') != std::string::npos) {
        fail(EINVAL);
        return;
    }
    folder_ = FileDescriptor(::fcntl(folderDescriptor, F_DUPFD_CLOEXEC, 0));
    if (!folder_.isValid()) {
        fail(errno);
        return;
    }
    open(TargetLink::Replace);
}

void AtomicFile::open(TargetLink link) {
    // An unnamed file cannot be seen, and vanishes with the process that holds it.
    int fd = ::openat(folder_.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (!openNamedTemporary()) {
            return;
        }
    } else {
        stream_ = fdopen(fd, "wb");
        if (stream_ == nullptr) {
            fail(errno);
            ::close(fd);
            return;
        }
    }
    fd = fileno(stream_);
    static_cast<void>(::flock(fd, LOCK_EX)); // tells removeStaleTemporaries we are alive

    // Give the new file what a plain create would, or the permissions (and, where allowed,
    // owner) of the file it replaces.
    struct stat old {};
    const int flags = link == TargetLink::Follow ? 0 : AT_SYMLINK_NOFOLLOW;
    if (::fstatat(folder_.get(), name_.c_str(), &old, flags) == 0 && S_ISREG(old.st_mode)) {
        (void)fchmod(fd, old.st_mode & 07777);
        if (old.st_uid != geteuid() || old.st_gid != getegid()) {
            (void)!fchown(fd, old.st_uid, old.st_gid); // only root may; others keep their own
        }
    } else {
        (void)fchmod(fd, 0666 & ~currentUmask());
    }
}

bool AtomicFile::openNamedTemporary() {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = temporaryNameFor(name_);
        const int fd = ::openat(folder_.get(), candidate.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            fail(errno);
            return false;
        }
        temporaryName_ = std::move(candidate);
        stream_ = fdopen(fd, "wb");
        if (stream_ == nullptr) {
            fail(errno);
            ::close(fd);
            discard();
            return false;
        }
        return true;
    }
    fail(EEXIST);
    return false;
}

// Gives the complete unnamed file a temporary name, which the rename then moves into place:
// linking straight to the target would refuse a name that is taken.
bool AtomicFile::linkIntoFolder() {
    const std::string self = "/proc/self/fd/" + std::to_string(fileno(stream_));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = temporaryNameFor(name_);
        int linked =
            ::linkat(AT_FDCWD, self.c_str(), folder_.get(), candidate.c_str(), AT_SYMLINK_FOLLOW);
        if (linked != 0 && errno == ENOENT) {
            // /proc is not mounted; the direct form needs a privilege most users lack.
            linked = ::linkat(fileno(stream_), "", folder_.get(), candidate.c_str(), AT_EMPTY_PATH);
        }
        if (linked == 0) {
            temporaryName_ = std::move(candidate);
            return true;
        }
        if (errno != EEXIST) {
            fail(errno);
            return false;
        }
    }
    fail(EEXIST);
    return false;
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
    if (!failed_ && temporaryName_.empty()) {
        static_cast<void>(linkIntoFolder());
    }
    if (!failed_ &&
        ::renameat(folder_.get(), temporaryName_.c_str(), folder_.get(), name_.c_str()) != 0) {
        fail(errno);
    }
    if (!failed_) {
        temporaryName_.clear();
    }
    // Closing last keeps the lock until the temporary name is gone.
    const int closed = std::fclose(stream_);
    stream_ = nullptr;
    if (failed_) {
        discard();
        return false;
    }
    // Durability of the rename itself; a failure here cannot undo the rename, so ignore it.
    (void)fsync(folder_.get());
    // A close that fails after the data was synced and renamed loses nothing.
    static_cast<void>(closed);
    return true;
}

void AtomicFile::discard() {
    if (!temporaryName_.empty() && folder_.isValid()) {
        ::unlinkat(folder_.get(), temporaryName_.c_str(), 0);
        temporaryName_.clear();
    }
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
}

bool writeFileAtomically(std::string_view path, std::string_view bytes, TargetLink link) {
    AtomicFile file(path, link);
    return file.write(bytes) && file.commit();
}

} // namespace scalora
