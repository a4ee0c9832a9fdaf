// Feeds arbitrary bytes to the resource archive reader. An archive that reads must encode,
// read back and encode to the same bytes.
#include "data/resource_archive.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    ResourceArchive archive;
    if (!archive.readBytes(std::string_view(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    for (const auto& folder : archive.folders()) {
        for (const auto& file : folder->files) {
            (void)file->text();
        }
    }
    std::string first;
    std::string second;
    ResourceArchive again;
    if (!encodeArchive(archive, first) || !again.readBytes(first) ||
        !encodeArchive(again, second) || first != second) {
        std::abort();
    }
    return 0;
}
