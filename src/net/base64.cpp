#include "net/base64.h"

#include <algorithm>
#include <cstdint>

namespace scalora {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::uint32_t byteAt(std::string_view bytes, std::size_t index) {
    return index < bytes.size() ? static_cast<unsigned char>(bytes[index]) : 0U;
}

} // namespace

std::string base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    // Every group of three bytes becomes four characters of six bits each; a short last
    // group is padded with "=" for each missing byte.
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t group =
            byteAt(bytes, i) << 16 | byteAt(bytes, i + 1) << 8 | byteAt(bytes, i + 2);
        const std::size_t present = std::min<std::size_t>(3, bytes.size() - i);
        out += kAlphabet[group >> 18 & 0x3F];
        out += kAlphabet[group >> 12 & 0x3F];
        out += present > 1 ? kAlphabet[group >> 6 & 0x3F] : '=';
        out += present > 2 ? kAlphabet[group & 0x3F] : '=';
    }
    return out;
}

} // namespace scalora
