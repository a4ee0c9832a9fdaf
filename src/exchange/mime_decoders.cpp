#include "exchange/mime_decoders.h"

#include "base/strings.h"

#include <cstdint>
#include <cstring>

namespace scalora {

namespace {

std::uint32_t readU32(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::int32_t readI32(std::string_view b, std::size_t at) {
    return static_cast<std::int32_t>(readU32(b, at));
}

std::uint16_t readU16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

// Sizes of the fixed layouts.
constexpr std::size_t kDibHeaderSize = 40;     // BITMAPINFOHEADER
constexpr std::size_t kPrivateNameChars = 256; // UTF-16 characters of the format name
constexpr std::size_t kPrivateNameBytes = kPrivateNameChars * 2;
constexpr std::size_t kPrivateHeaderSize = kPrivateNameBytes + 4;

} // namespace

std::optional<std::string> decodeUnicodeTextBlock(std::string_view block) {
    if (block.size() < 3 || block.size() % 2 != 0 || readU16(block, block.size() - 2) != 0) {
        return std::nullopt;
    }
    std::size_t end = 0;
    while (readU16(block, end) != 0) {
        end += 2;
    }
    return utf16leBytesToUtf8(block.substr(0, end));
}

std::optional<PixelImage> decodeDib(std::string_view block) {
    if (block.size() < kDibHeaderSize || readU32(block, 0) != kDibHeaderSize) {
        return std::nullopt;
    }
    const std::int32_t width = readI32(block, 4);
    const std::int32_t height = readI32(block, 8);
    const std::uint16_t planes = readU16(block, 12);
    const std::uint16_t bits = readU16(block, 14);
    const std::uint32_t compression = readU32(block, 16);
    const std::uint32_t paletteEntries = readU32(block, 32);
    constexpr std::uint32_t kNoCompression = 0; // BI_RGB
    if (width <= 0 || height <= 0 || planes != 1 || (bits != 24 && bits != 32) ||
        compression != kNoCompression) {
        return std::nullopt;
    }
    // Rows are padded to 4 bytes. Every size below comes from the block, so each product is
    // checked against the block's length in 64 bits before anything is allocated.
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t pixelsAt = kDibHeaderSize + static_cast<std::uint64_t>(paletteEntries) * 4;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixelCount ||
        pixelsAt > block.size() ||
        stride * static_cast<std::uint64_t>(height) > block.size() - pixelsAt) {
        return std::nullopt;
    }
    PixelImage image;
    if (!image.allocate(width, height, bits == 32 ? AlphaKind::Straight : AlphaKind::None)) {
        return std::nullopt;
    }
    bool anyAlpha = false;
    for (std::int32_t y = 0; y < height; ++y) {
        // Stored bottom-up.
        const auto* src = reinterpret_cast<const unsigned char*>(block.data()) + pixelsAt +
                          stride * static_cast<std::uint64_t>(height - 1 - y);
        std::uint32_t* dst = image.row(y);
        for (std::int32_t x = 0; x < width; ++x) {
            const unsigned char* p = src + static_cast<std::size_t>(x) * (bits / 8);
            const std::uint32_t a = bits == 32 ? p[3] : 0xFF;
            anyAlpha = anyAlpha || a != 0;
            dst[x] = a << 24 | static_cast<std::uint32_t>(p[2]) << 16 |
                     static_cast<std::uint32_t>(p[1]) << 8 | p[0];
        }
    }
    if (bits == 32 && !anyAlpha) {
        // Most programs leave the fourth byte at 0: such a bitmap is opaque, not invisible.
        for (std::int32_t y = 0; y < height; ++y) {
            for (std::int32_t x = 0; x < width; ++x) {
                image.row(y)[x] |= 0xFF000000u;
            }
        }
        image.setAlphaKind(AlphaKind::None);
    }
    return image;
}

std::optional<PrivateFormatEntry> decodePrivateFormatBlock(std::string_view block) {
    if (block.size() < kPrivateHeaderSize) {
        return std::nullopt;
    }
    std::string name(block.substr(0, kPrivateNameBytes));
    name[kPrivateNameBytes - 2] = 0; // the last character is forced to 0
    name[kPrivateNameBytes - 1] = 0;
    std::size_t end = 0;
    while (readU16(name, end) != 0) {
        end += 2;
    }
    PrivateFormatEntry entry;
    entry.format = utf16leBytesToUtf8(std::string_view(name).substr(0, end));
    const std::int32_t length = readI32(block, kPrivateNameBytes);
    if (length > 0) {
        if (static_cast<std::uint64_t>(length) > block.size() - kPrivateHeaderSize) {
            return std::nullopt; // a length past the block would read foreign memory
        }
        entry.payload =
            std::string(block.substr(kPrivateHeaderSize, static_cast<std::size_t>(length)));
    }
    return entry;
}

std::string encodePrivateFormatBlock(std::string_view format, std::string_view payload) {
    std::string block(kPrivateHeaderSize, '\0');
    const std::string name = utf8ToUtf16leBytes(format);
    std::memcpy(block.data(), name.data(), std::min(name.size(), kPrivateNameBytes - 2));
    const auto length = static_cast<std::uint32_t>(payload.size());
    for (int i = 0; i < 4; ++i) {
        block[kPrivateNameBytes + static_cast<std::size_t>(i)] =
            static_cast<char>(length >> (8 * i));
    }
    block.append(payload);
    return block;
}

UIMimeData buildMimeData(const DropBlocks& blocks) {
    UIMimeData mime;
    if (blocks.unicodeText) {
        if (std::optional<std::string> text = decodeUnicodeTextBlock(*blocks.unicodeText)) {
            mime.setText(std::move(*text));
        }
    } else if (blocks.utf8Text) {
        mime.setText(*blocks.utf8Text);
    }
    std::vector<std::string> paths;
    for (const std::string& file : blocks.files) {
        if (!file.empty()) {
            paths.push_back(file);
        }
    }
    if (!paths.empty()) {
        mime.setFilePaths(std::move(paths));
    }
    if (blocks.dib) {
        if (std::optional<PixelImage> image = decodeDib(*blocks.dib)) {
            mime.setImage(std::move(*image));
        }
    }
    if (blocks.privateBlock) {
        if (std::optional<PrivateFormatEntry> entry =
                decodePrivateFormatBlock(*blocks.privateBlock)) {
            mime.setData(entry->format, std::move(entry->payload));
        }
    }
    return mime;
}

} // namespace scalora
