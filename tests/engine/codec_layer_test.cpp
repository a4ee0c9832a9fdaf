#include "engine/image_file.h"
#include "engine/image_format_handler.h"
#include "engine/output_format.h"
#include "engine/pix_format.h"
#include "support/test_support.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace scalora {
namespace {

std::span<const std::uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string pixBytes(std::uint32_t magic, std::uint32_t w, std::uint32_t h, std::uint32_t count,
                     std::size_t pixelBytes) {
    std::string out;
    for (const std::uint32_t v : {magic, w, h, count}) {
        for (int shift = 0; shift < 32; shift += 8) {
            out.push_back(static_cast<char>(v >> shift & 0xFF));
        }
    }
    for (std::size_t i = 0; i < pixelBytes; ++i) {
        out.push_back(static_cast<char>(i * 37 + 1));
    }
    return out;
}

TEST(OutputFormat, LabelsExtensionsAndSourceFormats) {
    const char* labels[] = {"As original", "JPG", "PNG", "TIF", "BMP"};
    const char* extensions[] = {"", "jpg", "png", "tif", "bmp"};
    for (std::int32_t i = 0; i < kOutputFormatCount; ++i) {
        EXPECT_EQ(outputFormatIndex(outputFormatFromIndex(i)), i);
        EXPECT_EQ(outputFormatLabel(outputFormatFromIndex(i)), labels[i]);
        EXPECT_EQ(outputFormatExtension(outputFormatFromIndex(i)), extensions[i]);
    }
    EXPECT_EQ(outputFormatLabel(static_cast<OutputFormat>(5)), "");
    EXPECT_EQ(outputFormatExtension(static_cast<OutputFormat>(-1)), "");
    EXPECT_EQ(outputFormatExtension(OutputFormat::Unknown), "");

    EXPECT_EQ(outputFormatOfExtension("BMP"), OutputFormat::Bmp);
    EXPECT_EQ(outputFormatOfExtension("png"), OutputFormat::Png);
    EXPECT_EQ(outputFormatOfExtension("Jpeg"), OutputFormat::Jpg);
    EXPECT_EQ(outputFormatOfExtension("jpg"), OutputFormat::Jpg);
    EXPECT_EQ(outputFormatOfExtension("TIFF"), OutputFormat::Tif);
    EXPECT_EQ(outputFormatOfExtension("tif"), OutputFormat::Tif);
    EXPECT_EQ(outputFormatOfExtension("gif"), OutputFormat::Unknown);
    EXPECT_EQ(outputFormatOfExtension(""), OutputFormat::Unknown);
    EXPECT_EQ(outputFormatOfExtension("jpe"), OutputFormat::Unknown);

    EXPECT_EQ(encoderFormatOfExtension("JPEG"), ImageFormat::Jpeg);
    EXPECT_EQ(encoderFormatOfExtension("tiff"), ImageFormat::Tiff);
    EXPECT_EQ(encoderFormatOfExtension("gif"), ImageFormat::Unknown);
    EXPECT_EQ(encoderFormatOfExtension("gif", true), ImageFormat::Gif);
    EXPECT_EQ(encoderFormatOfExtension("pix", true), ImageFormat::Unknown);
}

TEST(ImageFormatRegistry, OrderLookupAndAcceptedExtensions) {
    const auto& handlers = imageFormatRegistry().handlers();
    ASSERT_EQ(handlers.size(), 6u);
    const char* families[] = {"pix", "bmp", "jpeg", "png", "tiff", "gif"};
    for (std::size_t i = 0; i < handlers.size(); ++i) {
        EXPECT_EQ(handlers[i]->familyName(), families[i]);
    }
    EXPECT_EQ(findFormatHandler("JPG")->familyName(), "jpeg");
    EXPECT_EQ(findFormatHandler("jpeg")->familyName(), "jpeg");
    EXPECT_EQ(findFormatHandler("Tiff")->familyName(), "tiff");
    EXPECT_EQ(findFormatHandler("pix")->familyName(), "pix");
    EXPECT_EQ(findFormatHandler("gif")->familyName(), "gif");
    // Only 3- or 4-character extensions are looked up; matching is exact after lowering.
    EXPECT_EQ(findFormatHandler("jp"), nullptr);
    EXPECT_EQ(findFormatHandler("jpegs"), nullptr);
    EXPECT_EQ(findFormatHandler("webp"), nullptr);
    EXPECT_EQ(findFormatHandler(""), nullptr);

    for (const char* accepted : {"pix", "bmp", "jpg", "JPEG", "png", "tif", "TIFF"}) {
        EXPECT_TRUE(isAcceptedImageExtension(accepted)) << accepted;
    }
    for (const char* refused : {"gif", "GIF", "Gif", "txt", "", "jpe", "webp"}) {
        EXPECT_FALSE(isAcceptedImageExtension(refused)) << refused;
    }
}

TEST(PixFormat, ExactLayoutAndAcceptanceRules) {
    PixelImage image;
    ASSERT_TRUE(image.allocate(3, 2, AlphaKind::Straight));
    for (std::int32_t y = 0; y < 2; ++y) {
        for (std::int32_t x = 0; x < 3; ++x) {
            image.setPixel(x, y, 0x80000000u + static_cast<std::uint32_t>(y * 0x10203 + x));
        }
    }
    const std::vector<std::uint8_t> bytes = encodePix(image);
    ASSERT_EQ(bytes.size(), 16u + 3 * 2 * 4);
    const std::uint8_t header[16] = {0x09, 0x03, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 24, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes.data(), header, 16), 0);
    // Pixels in the picture's memory order: 0xAARRGGBB as B, G, R, A.
    EXPECT_EQ(bytes[16 + 12 + 4], 0x04);
    EXPECT_EQ(bytes[16 + 12 + 5], 0x02);
    EXPECT_EQ(bytes[16 + 12 + 6], 0x01);
    EXPECT_EQ(bytes[16 + 12 + 7], 0x80);

    PixelImage back;
    ASSERT_TRUE(decodePix(bytes, back));
    ASSERT_EQ(back.size(), image.size());
    for (std::int32_t y = 0; y < 2; ++y) {
        for (std::int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(back.pixel(x, y), image.pixel(x, y));
        }
    }

    EXPECT_TRUE(decodePix(bytesOf(pixBytes(777, 2, 2, 16, 16)), back));
    EXPECT_FALSE(decodePix(bytesOf(pixBytes(777, 2, 2, 16, 17)), back)); // one byte too many
    EXPECT_FALSE(decodePix(bytesOf(pixBytes(777, 2, 2, 16, 15)), back));
    EXPECT_FALSE(decodePix(bytesOf(pixBytes(778, 2, 2, 16, 16)), back));
    EXPECT_FALSE(decodePix(bytesOf(pixBytes(777, 0, 2, 0, 0)), back));
    EXPECT_FALSE(decodePix(bytesOf(pixBytes(777, 2, 2, 15, 16)), back));
    EXPECT_FALSE(decodePix(bytesOf(pixBytes(777, 2, 2, 16, 0)), back));
    // A count that only matches after 32-bit wrap-around is refused.
    EXPECT_FALSE(decodePix(bytesOf(pixBytes(777, 0x40000000, 4, 0, 4)), back));
    EXPECT_TRUE(back.isNull());
}

TEST(PixFormat, SavedAndLoadedThroughTheHandlers) {
    test::TempDir dir;
    PixelImage image;
    ASSERT_TRUE(image.allocate(5, 4, AlphaKind::Straight));
    image.fill(0x7F102030);
    const std::string path = (dir / "Skin.PIX").string();
    ASSERT_TRUE(savePixelImageFile(image, path));
    const PixelImage back = loadPixelImageFile(path);
    ASSERT_EQ(back.size(), (Size{5, 4}));
    EXPECT_EQ(back.pixel(4, 3), 0x7F102030u);

    const std::string bytes = test::readFile(path);
    const PixelImage fromMemory = loadPixelImage("pix", bytesOf(bytes));
    EXPECT_EQ(fromMemory.size(), (Size{5, 4}));
    EXPECT_TRUE(loadPixelImage("xyz", bytesOf(bytes)).isNull());
    EXPECT_FALSE(savePixelImageFile(PixelImage{}, path));
    EXPECT_FALSE(savePixelImageFile(image, (dir / "noext").string()));

    // A pix file passes the extension test but is no ImageFile, so the list never takes it.
    EXPECT_TRUE(isAcceptedImageExtension("pix"));
    ImageFile file;
    EXPECT_FALSE(file.open(path));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.size(), (Size{0, 0}));
    EXPECT_FALSE(file.open((dir / "missing.jpg").string()));
    EXPECT_FALSE(file.open(dir.path().string()));
}

} // namespace
} // namespace scalora
