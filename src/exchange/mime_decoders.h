// Decoders for the platform data blocks a drop or the clipboard can carry, working on plain
// byte buffers so they are tested without any window system: UTF-16 text blocks, device-
// independent bitmaps (becoming "image/*") and the program's private format block, plus the
// assembly of a UIMimeData from everything one drop offers.
#pragma once

#include "exchange/ui_mime_data.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// The name the private format is registered under.
inline constexpr std::string_view kPrivateFormatName = "CF_DE4C14DD-E9D4-44f6-BC72-7DCC4309BBEF";

// A UTF-16LE text block: used only when its size is at least 3 bytes, even, and its last
// character is 0; gives the UTF-8 text up to the first 0.
[[nodiscard]] std::optional<std::string> decodeUnicodeTextBlock(std::string_view block);

// A device-independent bitmap (BITMAPINFOHEADER and the pixels after it): accepted only with
// header size 40, 24 or 32 bits, positive width and height, no compression and one plane.
// Bottom-up rows as such bitmaps store them; the result is opaque for 24 bits and takes
// the fourth byte as straight alpha for 32 bits.
[[nodiscard]] std::optional<PixelImage> decodeDib(std::string_view block);

// The private format block: 256 UTF-16 characters of format name (the last forced to 0),
// a signed 32-bit little-endian payload length and the payload. A length of 0 or less gives
// an empty payload; a length past the block's end is refused.
struct PrivateFormatEntry {
    std::string format;
    std::string payload;
};
[[nodiscard]] std::optional<PrivateFormatEntry> decodePrivateFormatBlock(std::string_view block);
// The same layout written out (for the clipboard, and for tests).
std::string encodePrivateFormatBlock(std::string_view format, std::string_view payload);

// Everything one drop or clipboard read may offer; absent blocks are nullopt.
struct DropBlocks {
    std::optional<std::string> unicodeText; // UTF-16LE block
    std::optional<std::string> utf8Text;    // what SDL delivers as dropped text
    std::vector<std::string> files;         // dropped file list, in order
    std::optional<std::string> dib;
    std::optional<std::string> privateBlock;
};
// Builds the container in the fixed order text, file list, bitmap, private format; each step
// stands on its own, so a refused bitmap does not lose the text beside it.
UIMimeData buildMimeData(const DropBlocks& blocks);

} // namespace scalora
