// Feeds arbitrary text to every style value parser.
#include "ui/style/style_values.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scalora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static_cast<void>(parseStyleColor(text));
    static_cast<void>(parseStyleBrush(text));
    static_cast<void>(parseStyleFont(text));
    static_cast<void>(parseStylePoint(text));
    static_cast<void>(parseStyleSize(text));
    static_cast<void>(parseStyleMargins(text));
    static_cast<void>(parseStyleInteger(text));
    static_cast<void>(parseStyleFloat(text));
    return 0;
}
