#include "platform/file_contents.h"

#include "platform/file_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scalora {
namespace {

// Reads go straight into the container, a chunk at a time, until the end of the file: a file
// that grows while it is read never makes us trust the size taken when it was opened.
constexpr std::size_t kChunkSize = 1024 * 1024;

// Opens path for reading when it names a regular file; its size at that moment in size.
FileDescriptor openRegularFile(std::string_view path, std::uint64_t& size) {
    if (path.empty()) {
        return FileDescriptor();
    }
    // O_NONBLOCK keeps the open itself from waiting for the writer of a pipe; it is refused
    // right after.
    FileDescriptor file(::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!file.isValid() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size < 0) {
        return FileDescriptor();
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return file;
}

// Appends what file holds to bytes, at most limit bytes. Beyond the limit the read stops: as a
// failure when failBeyondLimit is set, else as a success with the first limit bytes. Reads stay
// within what the caller reserved while there is room, so that a file of the expected size is
// read without moving the bytes already there.
template <typename Container>
bool readUpTo(const FileDescriptor& file, std::uint64_t limit, bool failBeyondLimit,
              Container& bytes) {
    const std::size_t start = bytes.size();
    std::uint64_t total = 0;
    for (;;) {
        const std::uint64_t room = limit - total;
        const std::size_t at = start + static_cast<std::size_t>(total);
        // One byte beyond the limit tells a file that is too long from one that fits exactly.
        std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunkSize - 1, room) + 1);
        if (bytes.capacity() > at) {
            want = std::min(want, bytes.capacity() - at);
        }
        bytes.resize(at + want);
        const ssize_t n = ::read(file.get(), bytes.data() + at, want);
        if (n < 0) {
            bytes.resize(at);
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        const auto got = static_cast<std::uint64_t>(n);
        if (got > room) {
            bytes.resize(at + static_cast<std::size_t>(room));
            return !failBeyondLimit;
        }
        bytes.resize(at + static_cast<std::size_t>(got));
        if (got == 0) {
            return true;
        }
        total += got;
        if (total == limit && !failBeyondLimit) {
            return true;
        }
    }
}

template <typename Container>
bool readWhole(std::string_view path, std::uint64_t maxBytes, Container& bytes) {
    bytes.clear();
    std::uint64_t size = 0;
    const FileDescriptor file = openRegularFile(path, size);
    if (!file.isValid() || size > maxBytes) {
        return false;
    }
    // One byte more than the size leaves room for the read that finds the end.
    bytes.reserve(static_cast<std::size_t>(size) + 1);
    if (!readUpTo(file, maxBytes, true, bytes)) {
        bytes.clear();
        return false;
    }
    return true;
}

} // namespace

bool readRegularFile(std::string_view path, std::uint64_t maxBytes, std::string& bytes) {
    return readWhole(path, maxBytes, bytes);
}

bool readRegularFile(std::string_view path, std::uint64_t maxBytes,
                     std::vector<std::uint8_t>& bytes) {
    return readWhole(path, maxBytes, bytes);
}

bool readRegularFileHead(std::string_view path, std::size_t count, std::vector<std::uint8_t>& bytes,
                         std::uint64_t& fileSize) {
    bytes.clear();
    fileSize = 0;
    const FileDescriptor file = openRegularFile(path, fileSize);
    if (!file.isValid()) {
        return false;
    }
    bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, count)) + 1);
    if (!readUpTo(file, count, false, bytes)) {
        bytes.clear();
        return false;
    }
    return true;
}

} // namespace scalora
