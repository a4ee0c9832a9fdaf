#include "generated_images.h"
#include "imaging/codec_support.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "imaging/resample_decode.h"
#include "imaging/resize_pipeline.h"
#include "support/test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>

namespace scalora {
namespace {

bool writePicture(const PixelImage& image, ImageFormat format, const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    EncodeOptions options;
    options.jpegQuality = 95;
    return encodeImageToMemory(image, format, options, bytes) &&
           test::writeFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

// The same job done the plain way: the whole decode, a canvas, the encoder.
std::vector<std::uint8_t> throughAPicture(const std::string& path, const ResizeJob& job) {
    DecodeOptions options;
    options.jpegScaleEighths = chooseJpegScaleEighths(job.rect, job.target);
    PixelImage image;
    EXPECT_TRUE(decodeImageFile(path, options, image));
    PixelImage canvas;
    EXPECT_TRUE(canvas.allocate(job.target.width, job.target.height, image.alphaKind()));
    EXPECT_TRUE(resampleOnto(image, scaleSourceRect(job.rect, options.jpegScaleEighths), canvas,
                             {0, 0, job.target.width, job.target.height}));
    std::vector<std::uint8_t> bytes;
    EncodeOptions encode;
    encode.jpegQuality = job.jpegQuality;
    EXPECT_TRUE(encodeImageToMemory(canvas, job.format, encode, bytes));
    return bytes;
}

// The JPEG at path with an EXIF block saying `orientation` put right after its start marker.
bool tagOrientation(const std::filesystem::path& path, int orientation) {
    std::vector<std::uint8_t> jpeg;
    if (!codec::readWholeFile(path.string(), jpeg) || jpeg.size() < 2) {
        return false;
    }
    const std::uint8_t app1[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0,
                                 // little-endian TIFF header, the first IFD at 8
                                 'I', 'I', 42, 0, 8, 0, 0, 0,
                                 // one entry: 0x0112 orientation, SHORT, count 1
                                 1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0,
                                 static_cast<std::uint8_t>(orientation), 0, 0, 0,
                                 // no next IFD
                                 0, 0, 0, 0};
    jpeg.insert(jpeg.begin() + 2, std::begin(app1), std::end(app1));
    return test::writeFile(path, {reinterpret_cast<const char*>(jpeg.data()), jpeg.size()});
}

ResizeJob jobFor(Size source, Size target, ImageFormat format) {
    ResizeJob job;
    job.rect = {0, 0, static_cast<double>(source.width), static_cast<double>(source.height)};
    job.target = target;
    job.canvas = target;
    job.format = format;
    return job;
}

TEST(ResizePipeline, StreamedRowsGiveTheBytesOfTheWholePicturePath) {
    test::TempDir dir;
    const PixelImage photo = test::makeTestImage(640, 480);
    struct Case {
        ImageFormat source;
        Size target;
        ImageFormat result;
        int scale;
    };
    const Case cases[] = {
        {ImageFormat::Jpeg, {200, 150}, ImageFormat::Jpeg, 4}, // decoded at 1/2
        {ImageFormat::Jpeg, {500, 375}, ImageFormat::Png, 8},
        {ImageFormat::Jpeg, {20, 15}, ImageFormat::Tiff, 1}, // into a canvas, then encoded
        {ImageFormat::Png, {333, 250}, ImageFormat::Png, 8},
        {ImageFormat::Png, {900, 700}, ImageFormat::Jpeg, 8},
    };
    for (const Case& c : cases) {
        const auto path = dir / (c.source == ImageFormat::Jpeg ? "in.jpg" : "in.png");
        ASSERT_TRUE(writePicture(photo, c.source, path));
        const ResizeJob job = jobFor(photo.size(), c.target, c.result);
        std::vector<std::uint8_t> streamed;
        ResizeReport report;
        ASSERT_TRUE(resizeToMemory(path.string(), job, streamed, &report));
        EXPECT_TRUE(report.streamed);
        EXPECT_EQ(report.scaleEighths, c.scale);
        EXPECT_EQ(streamed, throughAPicture(path.string(), job)) << c.target.width;
    }
}

TEST(ResizePipeline, TurnedPhotosStreamAndComeOutAsTheWholePicturePathTurnsThem) {
    test::TempDir dir;
    const auto path = dir / "turned.jpg";
    const PixelImage photo = test::makeTestImage(640, 480);
    for (int orientation = 2; orientation <= 8; ++orientation) {
        ASSERT_TRUE(writePicture(photo, ImageFormat::Jpeg, path));
        ASSERT_TRUE(tagOrientation(path, orientation));
        const bool swapped = orientation >= 5;
        const Size upright = swapped ? Size{480, 640} : Size{640, 480};
        const Size target = swapped ? Size{150, 200} : Size{200, 150};
        const ResizeJob job = jobFor(upright, target, ImageFormat::Png);
        std::vector<std::uint8_t> bytes;
        ResizeReport report;
        ASSERT_TRUE(resizeToMemory(path.string(), job, bytes, &report));
        EXPECT_TRUE(report.streamed) << orientation;
        EXPECT_EQ(report.scaleEighths, 4) << orientation;
        PixelImage result;
        PixelImage reference;
        ASSERT_TRUE(decodeImageData(bytes, {}, result));
        ASSERT_TRUE(decodeImageData(throughAPicture(path.string(), job), {}, reference));
        ASSERT_EQ(result.size(), target) << orientation;
        // The passes run in the other order, so a channel may round the other way.
        int worst = 0;
        for (std::int32_t y = 0; y < target.height; ++y) {
            for (std::int32_t x = 0; x < target.width; ++x) {
                for (int shift = 0; shift < 24; shift += 8) {
                    const int a = static_cast<int>((result.pixel(x, y) >> shift) & 0xFF);
                    const int b = static_cast<int>((reference.pixel(x, y) >> shift) & 0xFF);
                    worst = std::max(worst, std::abs(a - b));
                }
            }
        }
        EXPECT_LE(worst, 1) << orientation;
    }
}

TEST(ResizePipeline, AlphaMatsAndCopiesGoThroughAPicture) {
    test::TempDir dir;
    const auto withAlpha = dir / "alpha.png";
    ASSERT_TRUE(writePicture(test::makeTestImage(120, 90, true), ImageFormat::Png, withAlpha));
    ResizeJob job = jobFor({120, 90}, {60, 45}, ImageFormat::Png);
    std::vector<std::uint8_t> bytes;
    ResizeReport report;
    ASSERT_TRUE(resizeToMemory(withAlpha.string(), job, bytes, &report));
    EXPECT_FALSE(report.streamed);
    EXPECT_EQ(bytes, throughAPicture(withAlpha.string(), job));

    // A larger canvas: opaque black around the centred picture.
    const auto opaque = dir / "opaque.png";
    const PixelImage photo = test::makeTestImage(120, 90);
    ASSERT_TRUE(writePicture(photo, ImageFormat::Png, opaque));
    job = jobFor({120, 90}, {60, 45}, ImageFormat::Png);
    job.canvas = {100, 45};
    job.placement = {20, 0};
    ASSERT_TRUE(resizeToMemory(opaque.string(), job, bytes, &report));
    EXPECT_FALSE(report.streamed);
    PixelImage result;
    ASSERT_TRUE(decodeImageData(bytes, {}, result));
    EXPECT_EQ(result.size(), (Size{100, 45}));
    EXPECT_EQ(result.pixel(19, 20), 0xFF000000u);
    EXPECT_EQ(result.pixel(80, 20), 0xFF000000u);
    EXPECT_NE(result.pixel(50, 20), 0xFF000000u);

    // At its own size a PNG is copied row for row, unchanged.
    job = jobFor({120, 90}, {120, 90}, ImageFormat::Png);
    ASSERT_TRUE(resizeToMemory(opaque.string(), job, bytes, &report));
    EXPECT_TRUE(report.streamed);
    ASSERT_TRUE(decodeImageData(bytes, {}, result));
    EXPECT_TRUE(test::samePixels(result, photo));

    EXPECT_FALSE(resizeToMemory((dir / "missing.png").string(), job, bytes));
    EXPECT_TRUE(bytes.empty());
}

} // namespace
} // namespace scalora
