#include "engine/image_file.h"
#include "engine/resize_image_file.h"
#include "engine/thumbnail.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "imaging/image_probe.h"
#include "imaging/resample.h"
#include "support/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

namespace scalora {
namespace {

namespace fs = std::filesystem;

// A picture with structure: a bright bar on a gradient, so that misplaced or mirrored pixels
// show up as differences.
PixelImage testPicture(std::int32_t w, std::int32_t h, AlphaKind alpha = AlphaKind::None) {
    PixelImage image;
    EXPECT_TRUE(image.allocate(w, h, alpha));
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            const bool bar = x >= w * 3 / 8 && x < w / 2;
            const auto g = static_cast<std::uint32_t>(y * 255 / h);
            image.setPixel(x, y, bar ? 0xFFFFFFFFu : 0xFF000000u | (x * 255 / w) << 16 | g << 8);
        }
    }
    image.setDpi(300, 300);
    return image;
}

bool writePicture(const PixelImage& image, ImageFormat format, const fs::path& path,
                  int quality = 95) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    EncodeOptions options;
    options.jpegQuality = quality;
    const bool ok = encodeImage(image, format, options, file);
    return std::fclose(file) == 0 && ok;
}

PixelImage readPicture(const fs::path& path) {
    PixelImage image;
    EXPECT_TRUE(decodeImageFile(path.string(), DecodeOptions{}, image));
    return image;
}

double meanAbsoluteDifference(const PixelImage& a, const PixelImage& b) {
    double sum = 0;
    for (std::int32_t y = 0; y < a.height(); ++y) {
        for (std::int32_t x = 0; x < a.width(); ++x) {
            for (const int shift : {0, 8, 16}) {
                sum += std::abs(static_cast<int>(a.pixel(x, y) >> shift & 0xFF) -
                                static_cast<int>(b.pixel(x, y) >> shift & 0xFF));
            }
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

ResizeOptions overwriting() {
    ResizeOptions options;
    options.allowRewrite = true;
    options.jpegQuality = 90;
    return options;
}

TEST(ResizeImageFile, RefusesWhatItCannotDo) {
    test::TempDir dir;
    const fs::path source = dir / "source.png";
    ASSERT_TRUE(writePicture(testPicture(40, 30), ImageFormat::Png, source));
    const Size size{40, 30};
    const ResizeOptions options = overwriting();
    EXPECT_FALSE(resizeImageFile("", {20, 15}, options, source.string(), size, {20, 15}));
    EXPECT_FALSE(resizeImageFile((dir / "a.png").string(), {0, 15}, options, source.string(), size,
                                 {0, 15}));
    EXPECT_FALSE(resizeImageFile((dir / "a.png").string(), {20, 15}, options,
                                 (dir / "missing.png").string(), size, {20, 15}));
    // Extensions without a format family, and families without an encoder.
    for (const char* name : {"a.txt", "a", "a.gif", "a.GIF", "a.pix"}) {
        EXPECT_FALSE(resizeImageFile((dir / name).string(), {20, 15}, options, source.string(),
                                     size, {20, 15}))
            << name;
        EXPECT_FALSE(fs::exists(dir / name)) << name;
    }
    const fs::path oddSource = dir / "source.dat";
    fs::copy_file(source, oddSource);
    EXPECT_FALSE(resizeImageFile((dir / "a.png").string(), {20, 15}, options, oddSource.string(),
                                 size, {20, 15}));

    // An existing destination stays untouched unless overwriting is allowed.
    const fs::path existing = dir / "existing.png";
    ASSERT_TRUE(test::writeFile(existing, "keep me"));
    ResizeOptions keep = options;
    keep.allowRewrite = false;
    EXPECT_FALSE(
        resizeImageFile(existing.string(), {20, 15}, keep, source.string(), size, {20, 15}));
    EXPECT_EQ(test::readFile(existing), "keep me");
    // A source that is no picture leaves no file behind.
    const fs::path garbage = dir / "garbage.jpg";
    ASSERT_TRUE(test::writeFile(garbage, "not a picture at all"));
    EXPECT_FALSE(resizeImageFile((dir / "b.png").string(), {20, 15}, options, garbage.string(),
                                 size, {20, 15}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4);
}

TEST(ResizeImageFile, ALinkAtTheResultsNameIsReplacedNotFollowed) {
    test::TempDir dir;
    const fs::path source = dir / "source.png";
    ASSERT_TRUE(writePicture(testPicture(40, 30), ImageFormat::Png, source));
    ASSERT_TRUE(test::writeFile(dir / "elsewhere.txt", "precious"));
    fs::create_directories(dir / "out");
    fs::create_symlink(dir / "elsewhere.txt", dir / "out" / "a.png");
    ASSERT_TRUE(resizeImageFile((dir / "out" / "a.png").string(), {20, 15}, overwriting(),
                                source.string(), {40, 30}, {20, 15}));
    EXPECT_EQ(test::readFile(dir / "elsewhere.txt"), "precious");
    EXPECT_FALSE(fs::is_symlink(dir / "out" / "a.png"));
    EXPECT_EQ(readPicture(dir / "out" / "a.png").width(), 20);
}

// Every format, every way of decoding (streamed, whole, with alpha, tiled and planar TIFF):
// a copy cut in half is measured from its header and then refused as truncated.
TEST(ResizeImageFile, FailuresSayWhy) {
    test::TempDir dir;
    const fs::path png = dir / "whole.png";
    std::vector<fs::path> wholes = {dir / "whole.jpg", png, dir / "alpha.png", dir / "whole.bmp"};
    ASSERT_TRUE(writePicture(testPicture(400, 300), ImageFormat::Jpeg, wholes[0]));
    ASSERT_TRUE(writePicture(testPicture(400, 300), ImageFormat::Png, png));
    ASSERT_TRUE(
        writePicture(testPicture(400, 300, AlphaKind::Straight), ImageFormat::Png, wholes[2]));
    ASSERT_TRUE(writePicture(testPicture(400, 300), ImageFormat::Bmp, wholes[3]));
    // Our own TIFFs keep their directory at the end, which a cut removes; these keep it first.
    if (!test::sharedDir().empty()) {
        const fs::path suite = test::sharedDir() / "testimages";
        for (const char* name :
             {"tiff/pillow/hopper.iccprofile.tif", "tiff/pillow/tiff_tiled_planar_lzw.tiff",
              "tiff/pillow/tiff_strip_planar_lzw.tiff", "gif/image-gif/samples/interlaced.gif"}) {
            wholes.push_back(dir.path() / fs::path(name).filename());
            ASSERT_TRUE(test::writeFile(wholes.back(), test::readFile(suite / name))) << name;
        }
    }
    for (const fs::path& whole : wholes) {
        const fs::path cut = dir / ("cut-" + whole.filename().string());
        const std::string bytes = test::readFile(whole);
        ASSERT_TRUE(test::writeFile(cut, bytes.substr(0, bytes.size() / 2)));
        const ImageFile measured(cut.string());
        ASSERT_TRUE(measured.isOpen()) << cut;
        ResizeFailure failure;
        EXPECT_FALSE(resizeImageFile((dir / "r.png").string(), {40, 30}, overwriting(),
                                     cut.string(), measured.size(), {40, 30}, &failure));
        EXPECT_TRUE(failure.sourceTruncated) << cut;
        EXPECT_EQ(failure.writeError, 0);
        EXPECT_FALSE(fs::exists(dir / "r.png"));
    }
    // A destination folder that is a file cannot be written into.
    ASSERT_TRUE(test::writeFile(dir / "plain", "x"));
    ResizeFailure failure;
    EXPECT_FALSE(resizeImageFile((dir / "plain" / "r.png").string(), {40, 30}, overwriting(),
                                 png.string(), {400, 300}, {40, 30}, &failure));
    EXPECT_EQ(failure.writeError, ENOTDIR);
    EXPECT_FALSE(failure.sourceTruncated);
}

TEST(ResizeImageFile, WritesEveryFormatWithTheSizeAndResolution) {
    test::TempDir dir;
    const fs::path source = dir / "source.png";
    const PixelImage original = testPicture(160, 120);
    ASSERT_TRUE(writePicture(original, ImageFormat::Png, source));
    const PixelImage expected = resampled(original, {64, 48});
    for (const char* name : {"out.jpg", "out.JPEG", "out.png", "out.tif", "out.tiff", "out.bmp"}) {
        const fs::path out = dir / name;
        ASSERT_TRUE(resizeImageFile(out.string(), {64, 48}, overwriting(), source.string(),
                                    {160, 120}, {64, 48}))
            << name;
        ImageProbe probe;
        ASSERT_TRUE(probeImageFile(out.string(), probe)) << name;
        EXPECT_EQ(probe.displaySize, (Size{64, 48})) << name;
        EXPECT_NEAR(probe.dpiX, 300, 0.5) << name;
        EXPECT_NEAR(probe.dpiY, 300, 0.5) << name;
        const PixelImage result = readPicture(out);
        ASSERT_EQ(result.size(), (Size{64, 48}));
        // Lossless formats carry exactly the resampled pixels; JPEG comes close.
        EXPECT_LT(meanAbsoluteDifference(result, expected), 2.0) << name;
    }
    // At 100 % the pixels pass through unchanged.
    const fs::path same = dir / "same.bmp";
    ASSERT_TRUE(resizeImageFile(same.string(), {160, 120}, overwriting(), source.string(),
                                {160, 120}, {160, 120}));
    EXPECT_EQ(meanAbsoluteDifference(readPicture(same), original), 0.0);
}

TEST(ResizeImageFile, CentresOnAnOpaqueBlackCanvas) {
    test::TempDir dir;
    const fs::path source = dir / "veil.png";
    PixelImage veil;
    ASSERT_TRUE(veil.allocate(50, 50, AlphaKind::Straight));
    veil.fill(0x80FFFFFF); // half-transparent white
    ASSERT_TRUE(writePicture(veil, ImageFormat::Png, source));
    const fs::path out = dir / "desk.png";
    ASSERT_TRUE(resizeImageFile(out.string(), {40, 40}, overwriting(), source.string(), {50, 50},
                                {100, 60}));
    const PixelImage result = readPicture(out);
    ASSERT_EQ(result.size(), (Size{100, 60}));
    EXPECT_EQ(result.alphaKind(), AlphaKind::None);
    EXPECT_EQ(result.pixel(29, 30), 0xFF000000u);
    EXPECT_EQ(result.pixel(70, 30), 0xFF000000u);
    EXPECT_EQ(result.pixel(50, 9), 0xFF000000u);
    // Placed at (30, 10), white over black: half the light, composited in linear light.
    EXPECT_EQ(result.pixel(30, 10), 0xFFBCBCBCu);
    EXPECT_EQ(result.pixel(69, 49), 0xFFBCBCBCu);
}

TEST(ResizeImageFile, OverwritesItsOwnSourceAndKeepsFileTimes) {
    test::TempDir dir;
    const fs::path source = dir / "photo.jpg";
    ASSERT_TRUE(writePicture(testPicture(200, 100), ImageFormat::Jpeg, source));
    const utimbuf old{1000000000, 1000000000}; // 2001-09-09
    ASSERT_EQ(utime(source.c_str(), &old), 0);

    ResizeOptions options = overwriting();
    options.keepFileDates = true;
    ASSERT_TRUE(resizeImageFile(source.string(), {100, 50}, options, source.string(), {200, 100},
                                {100, 50}));
    EXPECT_EQ(readPicture(source).size(), (Size{100, 50}));
    struct stat info {};
    ASSERT_EQ(stat(source.c_str(), &info), 0);
    EXPECT_EQ(info.st_mtime, 1000000000);

    const fs::path fresh = dir / "fresh.jpg";
    options.keepFileDates = false;
    ASSERT_TRUE(
        resizeImageFile(fresh.string(), {50, 25}, options, source.string(), {100, 50}, {50, 25}));
    ASSERT_EQ(stat(fresh.c_str(), &info), 0);
    EXPECT_GT(info.st_mtime, 1000000000);
}

TEST(ResizeImageFile, ShrinkOnLoadKeepsTheResultOfAFullDecode) {
    test::TempDir dir;
    const fs::path source = dir / "big.jpg";
    ASSERT_TRUE(writePicture(testPicture(1600, 1200), ImageFormat::Jpeg, source, 98));
    // 1600 x 1200 into 200 x 150 decodes at 1/4 (400 x 300).
    const fs::path out = dir / "small.png";
    ASSERT_TRUE(resizeImageFile(out.string(), {200, 150}, overwriting(), source.string(),
                                {1600, 1200}, {200, 150}));
    const PixelImage reference = resampled(readPicture(source), {200, 150});
    const PixelImage result = readPicture(out);
    ASSERT_EQ(result.size(), reference.size());
    EXPECT_LT(meanAbsoluteDifference(result, reference), 1.5);
}

TEST(ResizeImageFile, UprightPhotosAndMetadataFromJpegToJpeg) {
    SCALORA_REQUIRE_SHARED();
    test::TempDir dir;
    const fs::path jpegs = test::sharedDir() / "testimages" / "jpeg";
    // Stored 1800 x 1200 with orientation 6: measured, thumbnailed and resized upright.
    const std::string portrait = (jpegs / "exif-orientation-examples" / "Portrait_6.jpg").string();
    const ImageFile file(portrait);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), (Size{1200, 1800}));
    const PixelImage thumb = makeThumbnail(file);
    EXPECT_EQ(thumb.size(), (Size{32, 48}));

    ResizeOptions options = overwriting();
    options.copyMetadata = true;
    const fs::path out = dir / "portrait.jpg";
    ASSERT_TRUE(
        resizeImageFile(out.string(), {400, 600}, options, portrait, file.size(), {400, 600}));
    ImageProbe probe;
    ASSERT_TRUE(probeImageFile(out.string(), probe));
    EXPECT_EQ(probe.storedSize, (Size{400, 600}));
    EXPECT_EQ(probe.orientation, 1); // copied EXIF no longer turns the upright pixels
}

TEST(ResizeImageFile, MetadataTravelsFromJpegToJpegOnly) {
    SCALORA_REQUIRE_SHARED();
    test::TempDir dir;
    const fs::path jpegs = test::sharedDir() / "testimages" / "jpeg";
    ResizeOptions options = overwriting();
    options.copyMetadata = true;
    ImageProbe probe;
    // IPTC, EXIF and the resolution travel JPEG to JPEG when asked, and only then.
    const std::string iptc = (jpegs / "pillow" / "iptc.jpg").string();
    ImageMetadata sourceMetadata;
    PixelImage sourcePixels;
    ASSERT_TRUE(decodeImageFile(iptc, DecodeOptions{}, sourcePixels, &sourceMetadata));
    ASSERT_FALSE(sourceMetadata.empty());
    const fs::path copied = dir / "iptc.jpg";
    ASSERT_TRUE(
        resizeImageFile(copied.string(), {320, 240}, options, iptc, {640, 480}, {320, 240}));
    ImageMetadata copiedMetadata;
    PixelImage copiedPixels;
    ASSERT_TRUE(decodeImageFile(copied.string(), DecodeOptions{}, copiedPixels, &copiedMetadata));
    ASSERT_EQ(copiedMetadata.segments.size(), sourceMetadata.segments.size());
    for (std::size_t i = 0; i < copiedMetadata.segments.size(); ++i) {
        EXPECT_EQ(copiedMetadata.segments[i].marker, sourceMetadata.segments[i].marker);
        EXPECT_EQ(copiedMetadata.segments[i].data, sourceMetadata.segments[i].data);
    }
    ASSERT_TRUE(probeImageFile(copied.string(), probe));
    EXPECT_NEAR(probe.dpiX, 300, 0.5);

    for (const bool copy : {false, true}) {
        options.copyMetadata = copy;
        const fs::path target = dir / (copy ? "iptc.png" : "plain.jpg");
        ASSERT_TRUE(
            resizeImageFile(target.string(), {320, 240}, options, iptc, {640, 480}, {320, 240}));
        ImageMetadata none;
        PixelImage pixels;
        ASSERT_TRUE(decodeImageFile(target.string(), DecodeOptions{}, pixels, &none));
        EXPECT_TRUE(none.empty()) << target;
        ASSERT_TRUE(probeImageFile(target.string(), probe));
        EXPECT_NEAR(probe.dpiX, 300, 0.5) << target;
    }
}

TEST(Thumbnail, FortyEightHighOrTheImageItself) {
    test::TempDir dir;
    const fs::path large = dir / "large.png";
    const fs::path small = dir / "small.bmp";
    ASSERT_TRUE(writePicture(testPicture(200, 100), ImageFormat::Png, large));
    ASSERT_TRUE(writePicture(testPicture(20, 10), ImageFormat::Bmp, small));
    EXPECT_EQ(makeThumbnail(large.string()).size(), (Size{96, 48}));
    // 20 x 10 would need 96 x 48, larger than the picture: it is shown as it is.
    const PixelImage same = makeThumbnail(small.string());
    ASSERT_EQ(same.size(), (Size{20, 10}));
    EXPECT_EQ(meanAbsoluteDifference(same, testPicture(20, 10)), 0.0);
    EXPECT_TRUE(makeThumbnail((dir / "missing.png").string()).isNull());
    EXPECT_TRUE(makeThumbnail(ImageFile{}).isNull());

    const ImageFile file(large.string());
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.size(), (Size{200, 100}));
    EXPECT_EQ(file.path(), large.string());
}

} // namespace
} // namespace scalora
