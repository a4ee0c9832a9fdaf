#include "net/url_encoding.h"

namespace scalora {
namespace {

constexpr std::string_view kEncodedPunctuation = "<>\"#%{}|\\^~[]+?&@=:,";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool needsEncoding(unsigned char byte) {
    return byte < 0x21 || byte >= 0x80 ||
           kEncodedPunctuation.find(static_cast<char>(byte)) != std::string_view::npos;
}

} // namespace

std::string urlEncode(std::string_view text) {
    std::string encoded;
    encoded.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (needsEncoding(byte)) {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

} // namespace scalora
