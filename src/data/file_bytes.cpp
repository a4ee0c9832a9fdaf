#include "data/file_bytes.h"

#include "platform/file_contents.h"

namespace scalora {

bool readFileBytes(const std::string& path, std::string& bytes, std::uint64_t maxBytes) {
    return readRegularFile(path, maxBytes, bytes);
}

} // namespace scalora
