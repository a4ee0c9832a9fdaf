// Encoding and decoding again: lossless formats give back every pixel, resolution survives
// every format, alpha is written only when a pixel needs it.

#include "imaging/generated_images.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "imaging/image_format.h"
#include "imaging/image_probe.h"
#include "imaging/manifest.h"
#include "support/test_support.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace scalora {
namespace {

constexpr ImageFormat kLossless[] = {ImageFormat::Png, ImageFormat::Tiff, ImageFormat::Bmp};

PixelImage decodeBytes(const std::vector<std::uint8_t>& bytes) {
    PixelImage image;
    EXPECT_TRUE(decodeImageData(bytes, DecodeOptions{}, image));
    return image;
}

TEST(CodecRoundTrip, LosslessFormatsGiveBackEveryPixel) {
    for (const bool withAlpha : {false, true}) {
        PixelImage image = test::makeTestImage(131, 67, withAlpha);
        image.setDpi(300, 150);
        for (const ImageFormat format : kLossless) {
            SCOPED_TRACE(std::string(imageFormatName(format)) + (withAlpha ? " alpha" : ""));
            std::vector<std::uint8_t> bytes;
            ASSERT_TRUE(encodeImageToMemory(image, format, EncodeOptions{}, bytes));
            EXPECT_EQ(detectImageFormat(bytes), format);
            const PixelImage back = decodeBytes(bytes);
            EXPECT_TRUE(test::samePixels(back, image));
            EXPECT_EQ(back.alphaKind(), withAlpha ? AlphaKind::Straight : AlphaKind::None);
            EXPECT_NEAR(back.dpiX(), 300, 0.01);
            EXPECT_NEAR(back.dpiY(), 150, 0.01);
        }
    }
}

TEST(CodecRoundTrip, OpaqueImagesWithAnAlphaKindAreWrittenWithoutAlpha) {
    PixelImage image = test::makeTestImage(20, 10);
    image.setAlphaKind(AlphaKind::Straight); // every pixel opaque all the same
    for (const ImageFormat format : kLossless) {
        SCOPED_TRACE(imageFormatName(format));
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(encodeImageToMemory(image, format, EncodeOptions{}, bytes));
        const PixelImage back = decodeBytes(bytes);
        EXPECT_EQ(back.alphaKind(), AlphaKind::None);
        EXPECT_TRUE(test::samePixels(back, image));
    }
}

TEST(CodecRoundTrip, PremultipliedImagesAreWrittenStraight) {
    PixelImage image;
    EXPECT_TRUE(image.allocate(2, 1, AlphaKind::Premultiplied));
    image.setPixel(0, 0, 0x80402010); // half transparent: straight 0x80804020
    image.setPixel(1, 0, 0xFFFFFFFF);
    for (const ImageFormat format : kLossless) {
        SCOPED_TRACE(imageFormatName(format));
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(encodeImageToMemory(image, format, EncodeOptions{}, bytes));
        const PixelImage back = decodeBytes(bytes);
        EXPECT_EQ(back.alphaKind(), AlphaKind::Straight);
        EXPECT_EQ(back.pixel(0, 0), 0x80804020u);
        EXPECT_EQ(back.pixel(1, 0), 0xFFFFFFFFu);
    }
}

TEST(CodecRoundTrip, JpegKeepsQualityDensityAndIsClose) {
    PixelImage image = test::makeTestImage(64, 48);
    image.setDpi(300, 300);
    std::vector<std::uint8_t> low;
    std::vector<std::uint8_t> high;
    EncodeOptions options;
    options.jpegQuality = 20;
    ASSERT_TRUE(encodeImageToMemory(image, ImageFormat::Jpeg, options, low));
    options.jpegQuality = 100;
    ASSERT_TRUE(encodeImageToMemory(image, ImageFormat::Jpeg, options, high));
    EXPECT_LT(low.size(), high.size());
    const PixelImage back = decodeBytes(high);
    EXPECT_EQ(back.alphaKind(), AlphaKind::None);
    EXPECT_EQ(back.dpiX(), 300);
    EXPECT_EQ(back.dpiY(), 300);
    // The random blue channel is the hardest case JPEG has; quality 100 still keeps it close.
    EXPECT_LE(test::compareImages(back, image).worstMean(), 3.0);
}

TEST(CodecRoundTrip, ImagesWithoutResolutionStayWithout) {
    const PixelImage image = test::makeTestImage(8, 8);
    for (const ImageFormat format :
         {ImageFormat::Png, ImageFormat::Tiff, ImageFormat::Bmp, ImageFormat::Jpeg}) {
        SCOPED_TRACE(imageFormatName(format));
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(encodeImageToMemory(image, format, EncodeOptions{}, bytes));
        const PixelImage back = decodeBytes(bytes);
        EXPECT_EQ(back.dpiX(), 0);
        EXPECT_EQ(back.dpiY(), 0);
    }
}

TEST(CodecRoundTrip, GifHasNoEncoderAndNullImagesAreRefused) {
    const PixelImage image = test::makeTestImage(8, 8);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(hasImageEncoder(ImageFormat::Gif));
    EXPECT_FALSE(encodeImageToMemory(image, ImageFormat::Gif, EncodeOptions{}, bytes));
    EXPECT_FALSE(encodeImageToMemory(image, ImageFormat::Unknown, EncodeOptions{}, bytes));
    EXPECT_FALSE(encodeImageToMemory(PixelImage{}, ImageFormat::Png, EncodeOptions{}, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(CodecRoundTrip, EncodingToAFileWritesTheSameBytes) {
    const PixelImage image = test::makeTestImage(30, 20, true);
    std::vector<std::uint8_t> expected;
    ASSERT_TRUE(encodeImageToMemory(image, ImageFormat::Png, EncodeOptions{}, expected));
    test::TempDir dir;
    const std::filesystem::path path = dir / "out.png";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(encodeImage(image, ImageFormat::Png, EncodeOptions{}, file));
    std::fclose(file);
    const std::string written = test::readFile(path);
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), expected);
    EXPECT_FALSE(encodeImage(image, ImageFormat::Png, EncodeOptions{}, nullptr));
}

// Real files of every lossless kind, decoded, written in each lossless format and decoded
// again, come back unchanged with their resolution.
TEST(CodecRoundTrip, CorpusFilesSurviveEveryLosslessFormat) {
    SCALORA_REQUIRE_SHARED();
    const std::filesystem::path root = test::sharedDir() / "testimages";
    const char* files[] = {"png/pngsuite/basn6a08.png", "png/pngsuite/basn3p04.png",
                           "png/pngsuite/cdfn2c08.png", "bmp/bmpsuite/g/pal8nonsquare.bmp",
                           "bmp/bmpsuite/g/rgb16.bmp",  "tiff/libtiffpic/quad-lzw.tif",
                           "gif/pillow/chi.gif",        "jpeg/pillow/hopper.jpg"};
    for (const char* name : files) {
        SCOPED_TRACE(name);
        PixelImage source;
        ASSERT_TRUE(decodeImageFile((root / name).string(), DecodeOptions{}, source));
        for (const ImageFormat format : kLossless) {
            SCOPED_TRACE(imageFormatName(format));
            std::vector<std::uint8_t> bytes;
            ASSERT_TRUE(encodeImageToMemory(source, format, EncodeOptions{}, bytes));
            const PixelImage back = decodeBytes(bytes);
            EXPECT_TRUE(test::samePixels(back, source));
            EXPECT_NEAR(back.dpiX(), source.dpiX(), 0.01);
            EXPECT_NEAR(back.dpiY(), source.dpiY(), 0.01);
            ImageProbe probe;
            ASSERT_TRUE(probeImageData(bytes, probe));
            EXPECT_EQ(probe.format, format);
            EXPECT_EQ(probe.displaySize, source.size());
        }
    }
}

} // namespace
} // namespace scalora
