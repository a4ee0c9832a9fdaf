// Feeds arbitrary bytes to the clipboard and drop decoders. A private-format block that
// decodes must encode back to the same bytes' meaning.
#include "exchange/mime_decoders.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    const std::string_view block(reinterpret_cast<const char*>(data), size);
    static_cast<void>(decodeUnicodeTextBlock(block));
    static_cast<void>(decodeDib(block));
    if (const auto entry = decodePrivateFormatBlock(block)) {
        const std::string again = encodePrivateFormatBlock(entry->format, entry->payload);
        const auto back = decodePrivateFormatBlock(again);
        if (!back || back->format != entry->format || back->payload != entry->payload) {
            std::abort();
        }
    }
    return 0;
}
