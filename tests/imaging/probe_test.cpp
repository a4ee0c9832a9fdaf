// Probing reads headers only: it reports what the decoder will produce without decoding.

#include "imaging/generated_images.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "imaging/image_probe.h"
#include "imaging/orientation.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(ImageProbe, HeadersAloneAreEnoughForCameraFiles) {
    SCALORA_REQUIRE_SHARED();
    // A portrait camera JPEG stored sideways (EXIF orientation 6), with its pixel data cut
    // off: only the header is there, and the probe still measures it as displayed.
    const std::string whole =
        test::readFile(test::sharedDir() / "corpus/jpeg/mei_Canon_EOS_1000D.jpg");
    ASSERT_GT(whole.size(), 200000u);
    const std::string head = whole.substr(0, 64 * 1024);
    const std::vector<std::uint8_t> bytes(head.begin(), head.end());
    ImageProbe probe;
    ASSERT_TRUE(probeImageData(bytes, probe));
    EXPECT_EQ(probe.format, ImageFormat::Jpeg);
    EXPECT_EQ(probe.storedSize, (Size{3888, 2592}));
    EXPECT_EQ(probe.orientation, 6);
    EXPECT_EQ(probe.displaySize, (Size{2592, 3888}));
    EXPECT_EQ(probe.dpiX, 72);
    // The cut file cannot be decoded: the probe did not need the pixels.
    PixelImage image;
    EXPECT_FALSE(decodeImageData(bytes, DecodeOptions{}, image));
}

TEST(ImageProbe, AgreesWithTheDecoderForEveryWrittenFormat) {
    PixelImage image = test::makeTestImage(33, 17, true);
    image.setDpi(240, 120);
    for (const ImageFormat format :
         {ImageFormat::Jpeg, ImageFormat::Png, ImageFormat::Tiff, ImageFormat::Bmp}) {
        SCOPED_TRACE(imageFormatName(format));
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(encodeImageToMemory(image, format, EncodeOptions{}, bytes));
        test::TempDir dir;
        const std::filesystem::path path = dir / "image";
        ASSERT_TRUE(test::writeFile(path, std::string(bytes.begin(), bytes.end())));
        ImageProbe probe;
        ASSERT_TRUE(probeImageFile(path.string(), probe));
        PixelImage decoded;
        ASSERT_TRUE(decodeImageFile(path.string(), DecodeOptions{}, decoded));
        EXPECT_EQ(probe.format, format);
        EXPECT_EQ(probe.storedSize, decoded.size());
        EXPECT_EQ(probe.displaySize, decoded.size());
        EXPECT_EQ(probe.hasAlpha, decoded.alphaKind() != AlphaKind::None);
        EXPECT_EQ(probe.hasAlpha, format != ImageFormat::Jpeg);
        EXPECT_EQ(probe.dpiX, decoded.dpiX());
        EXPECT_EQ(probe.dpiY, decoded.dpiY());
        EXPECT_NEAR(probe.dpiX, 240, 0.01);
        EXPECT_NEAR(probe.dpiY, 120, 0.01);
    }
}

TEST(ImageProbe, JpegScaledDecodesHaveThePredictedSize) {
    SCALORA_REQUIRE_SHARED();
    const std::string file =
        (test::sharedDir() / "testimages/jpeg/pillow/orientation_rectangle.jpg").string();
    ImageProbe probe;
    ASSERT_TRUE(probeImageFile(file, probe));
    ASSERT_TRUE(orientationSwapsAxes(probe.orientation));
    for (int m = 1; m <= 8; ++m) {
        SCOPED_TRACE(m);
        DecodeOptions options;
        options.jpegScaleEighths = m;
        PixelImage image;
        ASSERT_TRUE(decodeImageFile(file, options, image));
        // Scaled in the stored orientation, then turned.
        EXPECT_EQ(image.size(), orientedSize({jpegScaledDimension(probe.storedSize.width, m),
                                              jpegScaledDimension(probe.storedSize.height, m)},
                                             probe.orientation));
    }
    EXPECT_EQ(jpegScaledDimension(4000, 1), 500);
    EXPECT_EQ(jpegScaledDimension(4001, 1), 501);
    EXPECT_EQ(jpegScaledDimension(3, 3), 2);
}

} // namespace
} // namespace scalora
