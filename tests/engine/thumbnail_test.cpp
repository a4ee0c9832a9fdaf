#include "engine/image_file.h"
#include "engine/thumbnail.h"
#include "imaging/image_encoder.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace scalora {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kRed = 0xFFE00000;
constexpr std::uint32_t kGreen = 0xFF00C000;

PixelImage filled(Size size, std::uint32_t colour) {
    PixelImage image;
    EXPECT_TRUE(image.allocate(size.width, size.height));
    image.fill(colour);
    return image;
}

// An APP1 payload: little-endian TIFF with an empty IFD0 and an IFD1 that points at `jpeg`.
std::vector<std::uint8_t> exifWithThumbnail(const std::vector<std::uint8_t>& jpeg) {
    std::vector<std::uint8_t> app1;
    for (const char c : std::string("Exif\0\0II*\0", 10)) {
        app1.push_back(static_cast<std::uint8_t>(c));
    }
    const auto put16 = [&](std::uint32_t v) {
        app1.push_back(static_cast<std::uint8_t>(v));
        app1.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put32(8);  // IFD0
    put16(0);  // no entries
    put32(14); // IFD1
    put16(2);
    const std::uint32_t data = 14 + 2 + 2 * 12 + 4;
    for (const auto& [tag, value] :
         {std::pair{0x0201u, data}, std::pair{0x0202u, static_cast<std::uint32_t>(jpeg.size())}}) {
        put16(tag);
        put16(4);
        put32(1);
        put32(value);
    }
    put32(0);
    app1.insert(app1.end(), jpeg.begin(), jpeg.end());
    return app1;
}

// A 600 x 400 green JPEG whose EXIF thumbnail is `thumbnail`.
std::string photoWith(const PixelImage& thumbnail, const fs::path& path) {
    std::vector<std::uint8_t> small;
    EXPECT_TRUE(encodeImageToMemory(thumbnail, ImageFormat::Jpeg, {}, small));
    ImageMetadata metadata;
    metadata.segments.push_back({0xE1, exifWithThumbnail(small)});
    EncodeOptions options;
    options.metadata = &metadata;
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(encodeImageToMemory(filled({600, 400}, kGreen), ImageFormat::Jpeg, options, bytes));
    EXPECT_TRUE(test::writeFile(path, std::string(bytes.begin(), bytes.end())));
    return path.string();
}

bool isRedAt(const PixelImage& image, Point p) {
    const std::uint32_t px = image.row(p.y)[p.x];
    return ((px >> 16) & 0xFF) > 160 && ((px >> 8) & 0xFF) < 80;
}

TEST(Thumbnail, CameraThumbnailServesWhenItsPictureHasTheProportions) {
    test::TempDir dir;
    // 3:2 between black bars in 160 x 120, as cameras store it: the bars are cut off.
    PixelImage barred = filled({160, 120}, 0xFF000000);
    for (std::int32_t y = 6; y < 113; ++y) {
        std::fill(barred.row(y), barred.row(y) + 160, kRed);
    }
    const PixelImage fromBarred = makeThumbnail(photoWith(barred, dir / "barred.jpg"));
    ASSERT_EQ(fromBarred.size(), (Size{72, 48}));
    EXPECT_TRUE(isRedAt(fromBarred, {36, 0}));
    EXPECT_TRUE(isRedAt(fromBarred, {36, 47}));
    // The right proportions without bars serve too.
    EXPECT_TRUE(
        isRedAt(makeThumbnail(photoWith(filled({150, 100}, kRed), dir / "a.jpg")), {36, 24}));
    // Other proportions without bars, or a thumbnail smaller than the preview: the photo
    // itself is decoded.
    for (const Size size : {Size{160, 120}, Size{60, 40}}) {
        const PixelImage preview = makeThumbnail(photoWith(filled(size, kRed), dir / "b.jpg"));
        ASSERT_EQ(preview.size(), (Size{72, 48}));
        EXPECT_FALSE(isRedAt(preview, {36, 24})) << size.width;
    }
}

TEST(Thumbnail, FindingTheCameraThumbnailNeverReadsPastTheHead) {
    test::TempDir dir;
    const std::string path = photoWith(filled({150, 100}, kRed), dir / "a.jpg");
    const std::string bytes = test::readFile(path);
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 4096);
    std::size_t offset = 0;
    std::size_t length = 0;
    ASSERT_TRUE(findExifThumbnail(head, offset, length));
    // Every cut of the head either finds a thumbnail inside it or none.
    for (std::size_t cut = 0; cut < offset + length + 8; ++cut) {
        const std::span<const std::uint8_t> part(head.data(), cut);
        if (findExifThumbnail(part, offset, length)) {
            EXPECT_LE(offset + length, cut);
        }
    }
}

} // namespace
} // namespace scalora
