#include "data/file_bytes.h"

#include "platform/file_descriptor.h"

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

} // namespace scalora
