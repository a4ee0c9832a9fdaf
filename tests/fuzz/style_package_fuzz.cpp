// Feeds arbitrary bytes to the style loader as a style package archive: the descriptions, the
// skins and the images inside it are all read.
#include "data/resource_archive.h"
#include "ui/style/resource_source.h"
#include "ui/style/ui_style.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    ResourceArchive archive;
    if (!archive.readBytes(std::string_view(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    const ArchiveSource source(&archive);
    UIStyle style;
    static_cast<void>(style.load(source, "fuzz.style", UIStyle::SourceMode::ArchiveFile));
    return 0;
}
