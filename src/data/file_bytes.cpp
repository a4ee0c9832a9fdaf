#include "data/file_bytes.h"

#include "base/paths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scalora {
namespace {

// Reads go through a fixed buffer so that a file that changes size while it is read never
// makes us trust a size taken earlier.
constexpr std::size_t kChunkSize = 65536;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

bool readFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (path.empty()) {
        return false;
    }
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    char chunk[kChunkSize];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            bytes.clear();
            return false;
        }
        if (n == 0) {
            return true;
        }
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
}

bool replaceFileBytes(const std::string& path, const std::string& bytes) {
    if (path.empty() || path.back() == kPathSeparator) {
        return false;
    }
    std::string temp = path + ".tmp-XXXXXX";
    FileDescriptor file(::mkostemp(temp.data(), O_CLOEXEC));
    if (file.get() < 0) {
        return false;
    }
    // mkostemp creates the file for the owner only: keep the mode of the file being replaced,
    // or give a new file the usual rw-r--r--.
    struct stat old {};
    ::fchmod(file.get(), ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    const bool written = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!file.close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable: flush the folder entry as well (best effort).
    const std::string folder = directoryPart(path);
    FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0) {
        ::fsync(dir.get());
    }
    return true;
}

} // namespace scalora
