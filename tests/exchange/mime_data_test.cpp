#include "exchange/mime_decoders.h"
#include "exchange/ui_mime_data.h"

#include <cstring>
#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(UIMimeData, EntriesAreReplacedInPlaceOrAppendedInOrder) {
    UIMimeData mime;
    EXPECT_FALSE(mime.hasText());
    EXPECT_EQ(mime.text(), "");
    EXPECT_TRUE(mime.filePaths().empty());
    EXPECT_EQ(mime.image(), nullptr);
    mime.setData("application/x-one", "1");
    mime.setText("hello");
    mime.setData("application/x-one", "2");
    EXPECT_EQ(mime.formats(), (std::vector<std::string>{"application/x-one", "text/plain"}));
    EXPECT_EQ(mime.data("application/x-one"), "2");
    EXPECT_TRUE(mime.hasText());
    EXPECT_EQ(mime.text(), "hello");
    EXPECT_FALSE(mime.hasFormat("Text/Plain")); // names compare exactly

    mime.setFilePaths({"/a/b.jpg", "/c d/e.png"});
    EXPECT_TRUE(mime.hasFilePaths());
    EXPECT_EQ(mime.filePaths(), (std::vector<std::string>{"/a/b.jpg", "/c d/e.png"}));
    PixelImage image;
    EXPECT_TRUE(image.allocate(2, 3));
    mime.setImage(std::move(image));
    ASSERT_NE(mime.image(), nullptr);
    EXPECT_EQ(mime.image()->height(), 3);
    EXPECT_EQ(mime.count(), 4u);
    mime.clear();
    EXPECT_EQ(mime.count(), 0u);
}

std::string utf16(std::u16string_view text, bool terminate = true) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    if (terminate) {
        out.append(2, '\0');
    }
    return out;
}

TEST(MimeDecoders, UnicodeTextNeedsATerminatedEvenBlock) {
    EXPECT_EQ(decodeUnicodeTextBlock(utf16(u"Grüße")), "Grüße");
    EXPECT_EQ(decodeUnicodeTextBlock(utf16(u"ab\0cd", true)), "ab"); // up to the first 0
    EXPECT_FALSE(decodeUnicodeTextBlock(utf16(u"abc", false)).has_value());
    EXPECT_FALSE(decodeUnicodeTextBlock(utf16(u"abc") + "x").has_value());  // odd size
    EXPECT_FALSE(decodeUnicodeTextBlock(std::string(2, '\0')).has_value()); // under 3 bytes
    EXPECT_EQ(decodeUnicodeTextBlock(std::string(4, '\0')), "");
}

// A BITMAPINFOHEADER with the given fields, followed by `pixels`.
std::string dib(std::int32_t width, std::int32_t height, std::uint16_t bits,
                std::uint32_t compression, std::string pixels, std::uint16_t planes = 1,
                std::uint32_t headerSize = 40) {
    std::string b(40, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(&b[at], &v, 4); };
    auto put16 = [&](std::size_t at, std::uint16_t v) { std::memcpy(&b[at], &v, 2); };
    put32(0, headerSize);
    put32(4, static_cast<std::uint32_t>(width));
    put32(8, static_cast<std::uint32_t>(height));
    put16(12, planes);
    put16(14, bits);
    put32(16, compression);
    return b + pixels;
}

TEST(MimeDecoders, DibsOfTwentyFourAndThirtyTwoBitsOnly) {
    // 2 x 2, 24 bits: rows of 6 bytes padded to 8, bottom row first.
    const std::string rows = std::string("\x01\x02\x03\x04\x05\x06\0\0", 8) + // bottom
                             std::string("\x10\x20\x30\x40\x50\x60\0\0", 8);  // top
    std::optional<PixelImage> image = decodeDib(dib(2, 2, 24, 0, rows));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->pixel(0, 0), 0xFF302010u);
    EXPECT_EQ(image->pixel(1, 1), 0xFF060504u);
    EXPECT_EQ(image->alphaKind(), AlphaKind::None);

    // 32 bits with alpha keeps it; with every alpha byte 0 the bitmap is opaque.
    std::optional<PixelImage> alpha =
        decodeDib(dib(1, 1, 32, 0, std::string("\x01\x02\x03\x80", 4)));
    ASSERT_TRUE(alpha.has_value());
    EXPECT_EQ(alpha->pixel(0, 0), 0x80030201u);
    EXPECT_EQ(alpha->alphaKind(), AlphaKind::Straight);
    std::optional<PixelImage> noAlpha =
        decodeDib(dib(1, 1, 32, 0, std::string("\x01\x02\x03\x00", 4)));
    ASSERT_TRUE(noAlpha.has_value());
    EXPECT_EQ(noAlpha->pixel(0, 0), 0xFF030201u);

    const std::string pixel4(4, '\x7F');
    EXPECT_FALSE(decodeDib(dib(1, 1, 8, 0, pixel4)));   // palette bitmap
    EXPECT_FALSE(decodeDib(dib(1, 1, 32, 3, pixel4)));  // bit fields
    EXPECT_FALSE(decodeDib(dib(1, -1, 32, 0, pixel4))); // top-down
    EXPECT_FALSE(decodeDib(dib(0, 1, 32, 0, pixel4)));
    EXPECT_FALSE(decodeDib(dib(1, 1, 32, 0, pixel4, 2)));                // two planes
    EXPECT_FALSE(decodeDib(dib(1, 1, 32, 0, pixel4, 1, 124)));           // a V5 header
    EXPECT_FALSE(decodeDib(dib(2, 2, 24, 0, rows.substr(0, 15))));       // short pixels
    EXPECT_FALSE(decodeDib(dib(0x7FFFFFFF, 0x7FFFFFFF, 32, 0, pixel4))); // forged size
    EXPECT_FALSE(decodeDib("short"));
}

TEST(MimeDecoders, PrivateBlockCarriesAnyFormatName) {
    const std::string block =
        encodePrivateFormatBlock("application/x-scalora-items", "payload\x01");
    EXPECT_EQ(block.size(), 516u + 8);
    std::optional<PrivateFormatEntry> entry = decodePrivateFormatBlock(block);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->format, "application/x-scalora-items");
    EXPECT_EQ(entry->payload, "payload\x01");

    // A zero or negative length gives an empty payload.
    std::string empty = encodePrivateFormatBlock("x", "");
    EXPECT_EQ(decodePrivateFormatBlock(empty)->payload, "");
    std::string negative = block;
    negative[512] = '\xFF';
    negative[513] = '\xFF';
    negative[514] = '\xFF';
    negative[515] = '\xFF';
    EXPECT_EQ(decodePrivateFormatBlock(negative)->payload, "");
    // A length past the block is refused; a truncated header too.
    std::string tooLong = block;
    tooLong[512] = 100;
    EXPECT_FALSE(decodePrivateFormatBlock(tooLong).has_value());
    EXPECT_FALSE(decodePrivateFormatBlock(block.substr(0, 515)).has_value());
    // A name filling all 256 characters is cut at 255.
    std::string full = block;
    for (std::size_t i = 0; i < 512; i += 2) {
        full[i] = 'n';
        full[i + 1] = 0;
    }
    EXPECT_EQ(decodePrivateFormatBlock(full)->format, std::string(255, 'n'));
}

TEST(MimeDecoders, ADropBuildsEachFormatOnItsOwn) {
    DropBlocks blocks;
    blocks.unicodeText = utf16(u"dropped text");
    blocks.files = {"/home/u/a.jpg", "", "/home/u/folder"};
    blocks.dib = dib(1, 1, 8, 0, std::string(4, '\0')); // refused, the rest stays
    blocks.privateBlock = encodePrivateFormatBlock("application/x-mine", "abc");
    const UIMimeData mime = buildMimeData(blocks);
    EXPECT_EQ(mime.formats(), (std::vector<std::string>{"text/plain", "text/file-path-list",
                                                        "application/x-mine"}));
    EXPECT_EQ(mime.text(), "dropped text");
    EXPECT_EQ(mime.filePaths(), (std::vector<std::string>{"/home/u/a.jpg", "/home/u/folder"}));
    EXPECT_EQ(mime.data("application/x-mine"), "abc");
    EXPECT_FALSE(mime.hasImage());

    DropBlocks badText;
    badText.unicodeText = utf16(u"no end", false);
    badText.files = {""};
    EXPECT_EQ(buildMimeData(badText).count(), 0u);

    DropBlocks sdl;
    sdl.utf8Text = "";
    sdl.dib = dib(1, 1, 24, 0, std::string("\x01\x02\x03\x00", 4));
    const UIMimeData fromSdl = buildMimeData(sdl);
    EXPECT_TRUE(fromSdl.hasText());
    EXPECT_TRUE(fromSdl.hasImage());
}

} // namespace
} // namespace scalora
