#include "data/file_bytes.h"

#include "platform/file_contents.h"

#include <cstdint>
#include <limits>

namespace scalora {
namespace {

// The archive format counts sizes in signed 32 bits, and no text file of the program comes
// near that: anything larger is not one of ours.
constexpr std::uint64_t kMaxDataFileBytes = std::numeric_limits<std::int32_t>::max();

} // namespace

bool readFileBytes(const std::string& path, std::string& bytes) {
    return readRegularFile(path, kMaxDataFileBytes, bytes);
}

} // namespace scalora
