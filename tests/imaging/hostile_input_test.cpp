// Damaged and forged files: refused before anything large is allocated, never read past their
// end, never crash (this program runs under AddressSanitizer in CI).

#include "imaging/generated_images.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "imaging/image_probe.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace scalora {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes encoded(ImageFormat format, std::int32_t w = 40, std::int32_t h = 30, bool alpha = false) {
    Bytes bytes;
    EXPECT_TRUE(
        encodeImageToMemory(test::makeTestImage(w, h, alpha), format, EncodeOptions{}, bytes));
    return bytes;
}

void putBe16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v);
}

void putBe32(Bytes& b, std::size_t at, std::uint32_t v) {
    putBe16(b, at, static_cast<std::uint16_t>(v >> 16));
    putBe16(b, at + 2, static_cast<std::uint16_t>(v));
}

void putLe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k) {
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
    }
    return ~c;
}

bool refused(const Bytes& bytes) {
    PixelImage image;
    ImageProbe probe;
    const bool decoded = decodeImageData(bytes, DecodeOptions{}, image);
    const bool probed = probeImageData(bytes, probe);
    return !decoded && image.isNull() && !probed;
}

TEST(HostileInput, ForgedHugeSizesAreRefusedUpFront) {
    // JPEG: a real 40 x 30 file whose frame header claims 60000 x 60000.
    Bytes jpeg = encoded(ImageFormat::Jpeg);
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            putBe16(jpeg, i + 5, 60000);
            putBe16(jpeg, i + 7, 60000);
            break;
        }
    }
    EXPECT_TRUE(refused(jpeg));

    // PNG: the header chunk claims 100000 x 100000, with a correct CRC.
    Bytes png = encoded(ImageFormat::Png);
    putBe32(png, 16, 100000);
    putBe32(png, 20, 100000);
    putBe32(png, 29, crc32(&png[12], 17));
    EXPECT_TRUE(refused(png));

    // BMP: 30000 x 30000 24-bit pixels in a file of a few kilobytes.
    Bytes bmp = encoded(ImageFormat::Bmp);
    putLe32(bmp, 18, 30000);
    putLe32(bmp, 22, 30000);
    EXPECT_TRUE(refused(bmp));

    // GIF: a 65535 x 65535 logical screen around a 1 x 1 frame.
    const Bytes gif = {
        'G',  'I', 'F',  '8',  '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF,
        0x80, 0,   0,    0,    0,   0,   255,  255,  255,     // two-colour global table
        0x2C, 0,   0,    0,    0,   1,   0,    1,    0,    0, // image descriptor 1 x 1
        2,    2,   0x44, 0x01, 0,   0x3B};
    EXPECT_TRUE(refused(gif));
    Bytes smallGif = gif;
    smallGif[6] = smallGif[8] = 1;
    smallGif[7] = smallGif[9] = 0;
    PixelImage image;
    EXPECT_TRUE(decodeImageData(smallGif, DecodeOptions{}, image)); // the same file, honest
    EXPECT_EQ(image.size(), (Size{1, 1}));
}

// A 4 x 2 BMP with a 40-byte header: `paletteEntries` declared, `paletteBytes` of palette
// present, and for 16-bit bit fields the three masks after the header.
Bytes bmpFile(std::uint16_t bits, std::uint32_t paletteEntries, std::size_t paletteBytes,
              std::vector<std::uint32_t> masks = {}) {
    const std::size_t stride = (4u * bits + 31) / 32 * 4;
    const std::size_t offset = 54 + masks.size() * 4 + paletteBytes;
    Bytes b(offset + stride * 2, 0);
    b[0] = 'B';
    b[1] = 'M';
    putLe32(b, 2, static_cast<std::uint32_t>(b.size()));
    putLe32(b, 10, static_cast<std::uint32_t>(offset));
    putLe32(b, 14, 40);
    putLe32(b, 18, 4);
    putLe32(b, 22, 2);
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bits);
    putLe32(b, 30, masks.empty() ? 0 : 3);
    putLe32(b, 46, paletteEntries);
    for (std::size_t i = 0; i < masks.size(); ++i) {
        putLe32(b, 54 + i * 4, masks[i]);
    }
    return b;
}

TEST(HostileInput, BmpPalettesAndMasksThatContradictTheHeaderAreRefused) {
    PixelImage image;
    // Sound files of the same shapes decode.
    EXPECT_TRUE(decodeImageData(bmpFile(8, 256, 1024), DecodeOptions{}, image));
    EXPECT_TRUE(decodeImageData(bmpFile(4, 0, 64), DecodeOptions{}, image));
    EXPECT_TRUE(
        decodeImageData(bmpFile(16, 0, 0, {0x7C00, 0x03E0, 0x001F}), DecodeOptions{}, image));
    // More palette entries than the depth can index, or than the file holds.
    EXPECT_TRUE(refused(bmpFile(8, 257, 257 * 4)));
    EXPECT_TRUE(refused(bmpFile(4, 17, 17 * 4)));
    Bytes shortPalette = bmpFile(8, 256, 1024);
    shortPalette.resize(54 + 100);
    EXPECT_TRUE(refused(shortPalette));
    Bytes hint = bmpFile(24, 0, 0);
    putLe32(hint, 46, 100000); // a display palette far past the end
    EXPECT_TRUE(refused(hint));
    // Masks that are empty, overlap, have holes or lie outside the pixel.
    for (const std::vector<std::uint32_t>& masks :
         std::vector<std::vector<std::uint32_t>>{{0, 0, 0},
                                                 {0x7C00, 0x07E0, 0x001F},
                                                 {0x7C00, 0x03E0, 0x0015},
                                                 {0x1F0000, 0x03E0, 0x001F}}) {
        EXPECT_TRUE(refused(bmpFile(16, 0, 0, masks)))
            << std::hex << masks[0] << " " << masks[1] << " " << masks[2];
    }
}

// Every prefix of a valid file: refused or decoded, never a crash or an over-read. Files cut
// inside their image data are refused rather than shown half grey or half black; what may be
// missing is the end marker (JPEG's 2 bytes, PNG's 12-byte end chunk).
TEST(HostileInput, TruncatedFilesFailCleanly) {
    for (const ImageFormat format :
         {ImageFormat::Jpeg, ImageFormat::Png, ImageFormat::Tiff, ImageFormat::Bmp}) {
        SCOPED_TRACE(imageFormatName(format));
        const Bytes whole = encoded(format, 37, 23, format != ImageFormat::Jpeg);
        for (std::size_t length = 0; length < whole.size(); length += 1 + length / 16) {
            const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(length));
            PixelImage image;
            const bool decoded = decodeImageData(cut, DecodeOptions{}, image);
            const std::size_t endMarker = format == ImageFormat::Png ? 12 : 2;
            if (format != ImageFormat::Tiff && length + endMarker < whole.size()) {
                EXPECT_FALSE(decoded) << length;
            }
            EXPECT_EQ(decoded, !image.isNull());
        }
    }
}

// Bytes overwritten all over small files of every format: whatever comes out, nothing
// crashes and a decoded image is whole.
TEST(HostileInput, CorruptedBytesNeverCrash) {
    std::vector<Bytes> files = {encoded(ImageFormat::Jpeg), encoded(ImageFormat::Png, 20, 20, true),
                                encoded(ImageFormat::Tiff, 20, 20, true),
                                encoded(ImageFormat::Bmp, 20, 20, true)};
    if (!test::sharedDir().empty()) {
        const std::string gif = test::readFile(test::sharedDir() / "testimages/gif/pillow/chi.gif");
        files.emplace_back(gif.begin(), gif.end());
        const std::string rle =
            test::readFile(test::sharedDir() / "testimages/bmp/bmpsuite/g/pal8rle.bmp");
        files.emplace_back(rle.begin(), rle.end());
    }
    std::uint32_t seed = 99;
    for (const Bytes& original : files) {
        for (int round = 0; round < 150; ++round) {
            Bytes damaged = original;
            for (int k = 0; k < 4; ++k) {
                seed = seed * 1664525u + 1013904223u;
                const std::size_t at = (seed >> 8) % damaged.size();
                damaged[at] = static_cast<std::uint8_t>(seed >> 24);
            }
            PixelImage image;
            if (decodeImageData(damaged, DecodeOptions{}, image)) {
                ASSERT_FALSE(image.isNull());
                EXPECT_LE(static_cast<std::uint64_t>(image.width()) * image.height(),
                          kMaxPixelCount);
            }
            ImageProbe probe;
            static_cast<void>(probeImageData(damaged, probe)); // must not crash either
        }
    }
}

TEST(HostileInput, FormatComesFromContentNotName) {
    test::TempDir dir;
    const Bytes jpeg = encoded(ImageFormat::Jpeg);
    const std::filesystem::path misnamed = dir / "photo.png";
    ASSERT_TRUE(test::writeFile(misnamed, std::string(jpeg.begin(), jpeg.end())));
    PixelImage image;
    DecodeInfo info;
    EXPECT_TRUE(decodeImageFile(misnamed.string(), DecodeOptions{}, image, nullptr, &info));
    EXPECT_EQ(info.format, ImageFormat::Jpeg);
    ImageProbe probe;
    EXPECT_TRUE(probeImageFile(misnamed.string(), probe));
    EXPECT_EQ(probe.format, ImageFormat::Jpeg);

    // Not images, or not files at all.
    const std::filesystem::path text = dir / "notes.jpg";
    ASSERT_TRUE(test::writeFile(text, "just some text, not a picture"));
    const std::filesystem::path empty = dir / "empty.png";
    ASSERT_TRUE(test::writeFile(empty, ""));
    for (const std::filesystem::path& p : {text, empty, dir.path(), dir / "missing.bmp"}) {
        SCOPED_TRACE(p.string());
        EXPECT_FALSE(decodeImageFile(p.string(), DecodeOptions{}, image));
        EXPECT_TRUE(image.isNull());
        EXPECT_FALSE(probeImageFile(p.string(), probe));
    }

    EXPECT_EQ(detectImageFormat(Bytes{0xFF, 0xD8, 0xFF, 0xE0}), ImageFormat::Jpeg);
    EXPECT_EQ(detectImageFormat(Bytes{'I', 'I', 42, 0}), ImageFormat::Tiff);
    EXPECT_EQ(detectImageFormat(Bytes{'M', 'M', 0, 42}), ImageFormat::Tiff);
    EXPECT_EQ(detectImageFormat(Bytes{'G', 'I', 'F', '8', '7', 'a'}), ImageFormat::Gif);
    EXPECT_EQ(detectImageFormat(Bytes{'B', 'M'}), ImageFormat::Bmp);
    EXPECT_EQ(detectImageFormat(Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A}),
              ImageFormat::Unknown);
    EXPECT_EQ(detectImageFormat(Bytes{}), ImageFormat::Unknown);
}

} // namespace
} // namespace scalora
