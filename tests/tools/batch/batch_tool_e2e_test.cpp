// scalora-batch run as a program on real files: what it writes, what it reports, how it exits.
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "data/settings_store.h"
#include "engine/image_file.h"
#include "imaging/icc_profile.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "support/test_support.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

struct RunResult {
    int status = -1;
    std::string errors; // standard error
};

// Runs the tool with its own settings folder; optionally interrupts it once its standard error
// has shown `interruptAfter`.
RunResult runTool(const std::vector<std::string>& args, const fs::path& configHome,
                  const std::string& interruptAfter = {}) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return {};
    }
    const std::string tool = (test::binDir() / "scalora-batch").string();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], STDERR_FILENO);
        const int devNull = ::open("/dev/null", O_WRONLY);
        ::dup2(devNull, STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(tool.c_str())};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(tool.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    RunResult result;
    bool interrupted = false;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        result.errors.append(buffer, static_cast<std::size_t>(got));
        if (!interrupted && !interruptAfter.empty() &&
            result.errors.find(interruptAfter) != std::string::npos) {
            ::kill(child, SIGINT);
            interrupted = true;
        }
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class BatchToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        SCALORA_REQUIRE_SHARED();
        images_ = test::sharedDir() / "testimages";
        fs::create_directories(dir_ / "in" / "sub");
        fs::create_directories(dir_ / "out");
        fs::create_directories(dir_ / "config");
        fs::copy_file(images_ / "jpeg/exif-orientation-examples/Portrait_1.jpg",
                      dir_ / "in" / "portrait.jpg");
        fs::copy_file(images_ / "png/pillow/hopper.png", dir_ / "in" / "sub" / "hopper.png");
    }
    RunResult run(std::vector<std::string> args, const std::string& interruptAfter = {}) {
        return runTool(args, dir_ / "config", interruptAfter);
    }
    std::string in(const std::string& name) const { return (dir_ / "in" / name).string(); }
    std::string out(const std::string& name = {}) const { return (dir_ / "out" / name).string(); }

    TempDir dir_;
    fs::path images_;
};

TEST_F(BatchToolTest, WritesResizedFilesWithTheirMetadata) {
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(in("portrait.jpg"), old);
    RunResult result =
        run({"--mode", "fit", "--width", "100", "--height", "100", "--format", "jpg", "--quality",
             "90", "--copy-metadata", "--dest", out(), in("portrait.jpg")});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_TRUE(contains(result.errors, "Processed: 1, skipped: 0")) << result.errors;
    ImageFile jpeg(out("portrait.jpg"));
    ASSERT_TRUE(jpeg.isOpen());
    EXPECT_EQ(jpeg.size(), (Size{67, 100})); // 1200 x 1800 fitted: width first, then height
    EXPECT_EQ(jpeg.probe().format, ImageFormat::Jpeg);
    EXPECT_NEAR(jpeg.probe().dpiX, 72.0, 0.5);
    // The source's EXIF block travels into the JPEG result.
    EXPECT_TRUE(contains(test::readFile(out("portrait.jpg")), std::string("Exif\0\0", 6)));
    EXPECT_EQ(fs::last_write_time(out("portrait.jpg")), old); // dates kept by default

    // A folder, recursively, at half size as PNG; plain lines since standard error is a pipe.
    result = run({"--mode", "percentage", "--width", "50", "--height", "50", "--format", "png",
                  "--recursive", "--no-keep-dates", "--dest", out(), in("")});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_TRUE(
        contains(result.errors, "[1/2] " + in("portrait.jpg") + " -> " + out("portrait.png")))
        << result.errors;
    ImageFile png(out("hopper.png"));
    ASSERT_TRUE(png.isOpen());
    EXPECT_EQ(png.size(), (Size{64, 64}));
    EXPECT_EQ(png.probe().format, ImageFormat::Png);
    EXPECT_NEAR(png.probe().dpiX, 96.0, 0.5);
    EXPECT_EQ(ImageFile(out("portrait.png")).size(), (Size{600, 900}));
    EXPECT_NE(fs::last_write_time(out("portrait.png")), old);
    // Only finished files in the destination: no temporary leftovers.
    EXPECT_EQ(std::distance(fs::directory_iterator(out()), fs::directory_iterator()), 3);
}

TEST_F(BatchToolTest, RefusalsAreReportedPerFile) {
    const std::vector<std::string> args{
        "--width",           "40",     "--height", "40",
        "--no-overwrite",    "--dest", out(),      in("portrait.jpg"),
        in("sub/hopper.png")};
    ASSERT_EQ(run(args).status, 0);
    const fs::file_time_type written = fs::last_write_time(out("hopper.png"));
    const RunResult again = run(args);
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(contains(again.errors, "Processed: 0, skipped: 2")) << again.errors;
    EXPECT_TRUE(contains(again.errors, "skipped " + in("sub/hopper.png") +
                                           ": Rewriting is not allowed in options"))
        << again.errors;
    EXPECT_EQ(fs::last_write_time(out("hopper.png")), written);

    // A file that is not an image is left out with a note; the rest is done.
    test::writeFile(dir_ / "in" / "fake.png", "not a png");
    // Without metadata copying the result carries none.
    ASSERT_EQ(run({"--overwrite", "--no-copy-metadata", "--format", "jpg", "--dest", out(),
                   in("portrait.jpg")})
                  .status,
              0);
    EXPECT_FALSE(contains(test::readFile(out("portrait.jpg")), std::string("Exif\0\0", 6)));

    const RunResult mixed =
        run({"--overwrite", "--dest", out(), in("fake.png"), in("portrait.jpg")});
    EXPECT_EQ(mixed.status, 1);
    EXPECT_TRUE(contains(mixed.errors, "not a readable image, left out: " + in("fake.png")));
    EXPECT_TRUE(contains(mixed.errors, "Processed: 1")) << mixed.errors;
}

TEST_F(BatchToolTest, ResultsAreNotGatheredAgainAndNamesDoNotCollide) {
    // The destination inside the source folder, and two sources that become the same name.
    fs::create_directories(dir_ / "in" / "results");
    fs::copy_file(dir_ / "in" / "portrait.jpg", dir_ / "in" / "sub" / "portrait.jpg");
    fs::copy_file(images_ / "png/pillow/hopper.png", dir_ / "in" / "portrait.png");
    const std::vector<std::string> args{"-r",       "--overwrite", "--width",  "10",
                                        "--height", "10",          "--format", "jpg",
                                        "--dest",   in("results"), in("")};
    RunResult result = run(args);
    ASSERT_EQ(result.status, 0) << result.errors;
    // portrait.jpg, portrait.png and sub/portrait.jpg all become portrait*.jpg.
    EXPECT_TRUE(fs::exists(dir_ / "in" / "results" / "portrait.jpg"));
    EXPECT_TRUE(fs::exists(dir_ / "in" / "results" / "portrait_copy1.jpg"));
    EXPECT_TRUE(fs::exists(dir_ / "in" / "results" / "portrait_copy2.jpg"));
    EXPECT_TRUE(fs::exists(dir_ / "in" / "results" / "hopper.jpg"));
    // A second run over the same folder does not pick up the four results.
    result = run(args);
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(contains(result.errors, "Processed: 4, skipped: 0")) << result.errors;
}

TEST_F(BatchToolTest, DefaultsAreSafeForScripts) {
    // No size keeps the size; a second run keeps what the first wrote and says how to replace
    // it; folders are searched without their subfolders unless asked.
    ASSERT_EQ(run({"--format", "png", "--dest", out(), in("portrait.jpg")}).status, 0);
    const Size original = ImageFile(in("portrait.jpg")).size();
    EXPECT_EQ(ImageFile(out("portrait.png")).size(), original);
    const RunResult again = run({"--format", "png", "--dest", out(), in("portrait.jpg")});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(contains(again.errors, "--overwrite replaces them")) << again.errors;
    const RunResult flat = run({"--overwrite", "--dest", out(), in("")});
    EXPECT_FALSE(fs::exists(out("hopper.png"))) << flat.errors;
    EXPECT_EQ(run({"--overwrite", "-r", "--dest", out(), in("")}).status, 0);
    EXPECT_TRUE(fs::exists(out("hopper.png")));
}

TEST_F(BatchToolTest, SettingsFileIsUsedOnlyWhenAskedFor) {
    // The program's own settings: mode Height (1) at 30 pixels, PNG, the destination folder.
    std::vector<SettingEntry> entries;
    for (const SettingKeyDefault& item : schemaDefaults()) {
        entries.push_back({item.key, item.defaultValue});
    }
    for (SettingEntry& entry : entries) {
        if (entry.key == setting_keys::kMode) {
            entry.value = SettingValue(std::int32_t{2});
        } else if (entry.key == setting_keys::kParam1ForMode2) {
            entry.value = SettingValue(std::int32_t{30});
        } else if (entry.key == setting_keys::kFormat) {
            entry.value = SettingValue(std::int32_t{2});
        } else if (entry.key == setting_keys::kDestinationFolder) {
            entry.value = SettingValue(out());
        }
    }
    const fs::path settings = dir_ / "config" / "Halvorn Scalora" / "config.dat";
    fs::create_directories(settings.parent_path());
    const std::string text = SettingsStore::formatEntries(entries);
    ASSERT_TRUE(test::writeFile(settings, text));

    EXPECT_EQ(run({in("portrait.jpg")}).status, 2); // no destination of its own
    const RunResult result = run({"--settings", in("portrait.jpg")});
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(ImageFile(out("portrait.png")).size(), (Size{20, 30}));
    EXPECT_EQ(test::readFile(settings), text); // read, never written
    // Options still win over the file.
    ASSERT_EQ(run({"--format", "bmp", "--height", "15", "--settings", in("portrait.jpg")}).status,
              0);
    EXPECT_EQ(ImageFile(out("portrait.bmp")).size(), (Size{10, 15}));
}

TEST_F(BatchToolTest, BadArgumentsExitWithTwo) {
    const auto check = [&](std::vector<std::string> args, const std::string& message) {
        const RunResult result = run(std::move(args));
        EXPECT_EQ(result.status, 2) << result.errors;
        EXPECT_TRUE(contains(result.errors, message)) << result.errors;
    };
    check({"--mode", "sideways", "--dest", out(), in("portrait.jpg")}, "unknown mode 'sideways'");
    check({"--width", "0", "--dest", out(), in("portrait.jpg")}, "--width must be at least 1");
    check({in("portrait.jpg")}, "no destination folder");
    check({"--dest", out("missing"), in("portrait.jpg")}, "does not exist");
    check({"--dest", in("portrait.jpg"), in("portrait.jpg")}, "is not a folder");
    EXPECT_EQ(run({"--help"}).status, 0);
}

TEST_F(BatchToolTest, InputsThatGiveNoImageSayWhy) {
    test::writeFile(dir_ / "in" / "notes.txt", "text");
    test::writeFile(dir_ / "in" / "anim.gif", "GIF89a");
    fs::create_directories(dir_ / "empty" / "deeper");
    const RunResult none = run({"--dest", out(), in("missing.jpg"), in("notes.txt"), in("anim.gif"),
                                (dir_ / "empty").string()});
    EXPECT_EQ(none.status, 2) << none.errors;
    for (const std::string& line :
         {in("missing.jpg") + ": no such file or folder",
          in("notes.txt") + ": is not a bmp, jpg, png or tif image", in("anim.gif") + ": is a GIF",
          (dir_ / "empty").string() + ": holds no", std::string("Images not found.")}) {
        EXPECT_TRUE(contains(none.errors, line)) << line << "\n" << none.errors;
    }
    // The source folder as destination: everything in it would be a result.
    const RunResult inside = run({"--dest", in(""), in("portrait.jpg")});
    EXPECT_EQ(inside.status, 2) << inside.errors;
    EXPECT_TRUE(contains(inside.errors, "inside the destination folder")) << inside.errors;
    // The path that gave an image is not named; the missing one counts against the run.
    const RunResult fine = run({"--dest", out(), in("portrait.jpg"), in("missing.png")});
    EXPECT_EQ(fine.status, 1) << fine.errors;
    EXPECT_TRUE(contains(fine.errors, "Processed: 1, skipped: 0, left out: 1")) << fine.errors;
    EXPECT_TRUE(contains(fine.errors, "missing.png: no such file")) << fine.errors;
    EXPECT_FALSE(contains(fine.errors, "portrait.jpg:")) << fine.errors;
}

IccProfile profileOf(const std::string& path) {
    const std::string bytes = test::readFile(path);
    return readIccProfile({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

PixelImage decoded(const std::string& path) {
    PixelImage image;
    EXPECT_TRUE(decodeImageFile(path, DecodeOptions{}, image)) << path;
    return image;
}

// Largest difference of one channel between two pictures of the same size.
int largestDifference(const PixelImage& a, const PixelImage& b) {
    int largest = 0;
    for (std::int32_t y = 0; y < a.height(); ++y) {
        for (std::int32_t x = 0; x < a.width(); ++x) {
            for (int shift = 0; shift < 24; shift += 8) {
                const int d = static_cast<int>((a.pixel(x, y) >> shift) & 0xFF) -
                              static_cast<int>((b.pixel(x, y) >> shift) & 0xFF);
                largest = std::max(largest, std::abs(d));
            }
        }
    }
    return largest;
}

TEST_F(BatchToolTest, ColourProfileSurvivesEveryConversion) {
    const std::string source = (images_ / "jpeg/pillow/icc_profile_big.jpg").string();
    const IccProfile profile = profileOf(source);
    ASSERT_FALSE(profile.empty());
    // Into every format with room for a profile, with or without the metadata.
    for (const char* format : {"png", "tif", "jpg"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(run({"--no-copy-metadata", "--format", format, "--dest", out(), source}).status,
                  0);
        EXPECT_EQ(profileOf(out("icc_profile_big.") + format), profile);
    }
    // And on from the TIFF, as JPEG and as TIFF again.
    fs::create_directories(dir_ / "again");
    const std::string again = (dir_ / "again").string();
    for (const char* format : {"jpg", "tif"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(run({"--format", format, "--dest", again, out("icc_profile_big.tif")}).status, 0);
        EXPECT_EQ(profileOf(again + "/icc_profile_big." + format), profile);
    }
    // BMP has no place for it: the colours are converted to sRGB instead, so they differ from
    // the PNG's stored values; a source without a profile gives the same pixels in both.
    ASSERT_EQ(run({"--format", "bmp", "--dest", out(), source, in("portrait.jpg")}).status, 0);
    ASSERT_EQ(run({"--format", "png", "--dest", out(), in("portrait.jpg")}).status, 0);
    EXPECT_GT(
        largestDifference(decoded(out("icc_profile_big.bmp")), decoded(out("icc_profile_big.png"))),
        8);
    EXPECT_EQ(largestDifference(decoded(out("portrait.bmp")), decoded(out("portrait.png"))), 0);
}

TEST_F(BatchToolTest, TransparencyIsFlattenedOntoWhiteForJpegAndBmp) {
    // Left half fully transparent (stored as transparent black), right half opaque red.
    PixelImage image;
    ASSERT_TRUE(image.allocate(16, 16, AlphaKind::Straight));
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x) {
            image.setPixel(x, y, x < 8 ? 0x00000000u : 0xFFFF0000u);
        }
    }
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(encodeImageToMemory(image, ImageFormat::Png, {}, bytes));
    ASSERT_TRUE(test::writeFile(dir_ / "in" / "half.png",
                                {reinterpret_cast<const char*>(bytes.data()), bytes.size()}));
    for (const char* format : {"jpg", "bmp"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(run({"--mode", "percentage", "--width", "100", "--height", "100", "--format",
                       format, "--dest", out(), in("half.png")})
                      .status,
                  0);
        const PixelImage result = decoded(out("half.") + format);
        ASSERT_EQ(result.size(), (Size{16, 16}));
        EXPECT_EQ(result.alphaKind(), AlphaKind::None);
        EXPECT_GE(result.pixel(2, 8) & 0xFF, 0xF0u); // white where it was transparent
        EXPECT_GE((result.pixel(2, 8) >> 8) & 0xFF, 0xF0u);
        EXPECT_GE((result.pixel(13, 8) >> 16) & 0xFF, 0xF0u); // red stays red
        EXPECT_LE(result.pixel(13, 8) & 0xFF, 0x10u);
    }
}

TEST_F(BatchToolTest, SizesAreReadTheWayTheyAreTyped) {
    // portrait.jpg is 1200 x 1800 as displayed.
    const auto sizeAfter = [&](std::vector<std::string> args) {
        args.insert(args.end(), {"--overwrite", "--dest", out(), in("portrait.jpg")});
        const RunResult result = run(args);
        EXPECT_EQ(result.status, 0) << result.errors;
        return ImageFile(out("portrait.jpg")).size();
    };
    EXPECT_EQ(sizeAfter({"--width", "600"}), (Size{600, 900}));
    EXPECT_EQ(sizeAfter({"--height=300"}), (Size{200, 300}));
    EXPECT_EQ(sizeAfter({"--fit", "400x400"}), (Size{267, 400}));
    EXPECT_EQ(sizeAfter({"-s", "300x100"}), (Size{67, 100}));
    EXPECT_EQ(sizeAfter({"--exact=100x50"}), (Size{100, 50}));
    EXPECT_EQ(sizeAfter({"--percent", "10"}), (Size{120, 180}));
    EXPECT_EQ(sizeAfter({"--percent", "10x5"}), (Size{120, 90}));
    EXPECT_EQ(sizeAfter({"--mode", "fit", "--width", "100", "--height", "100"}), (Size{67, 100}));

    // A mode that needs two values and gets one says which is missing.
    const auto refused = [&](std::vector<std::string> args, const std::string& message) {
        args.insert(args.end(), {"--dest", out(), in("portrait.jpg")});
        const RunResult result = run(args);
        EXPECT_EQ(result.status, 2) << result.errors;
        EXPECT_TRUE(contains(result.errors, message)) << result.errors;
    };
    refused({"--mode", "fit", "--width", "1600"}, "mode fit needs both --width and --height: "
                                                  "--height is missing");
    refused({"--mode", "percentage", "--width", "50"}, "--height is missing");
    refused({"--mode", "width-height", "--height", "50"}, "--width is missing");
    refused({"--fit", "1600"}, "--fit must look like 1600x1200");
    refused({"--percent", "0"}, "--percent must look like 50 or 50x25");
}

TEST_F(BatchToolTest, InterruptFinishesTheCurrentImageAndStops) {
    // Enough work that the run is still going when the first line arrives (copies, since
    // links to one file are gathered once).
    for (int i = 0; i < 40; ++i) {
        fs::copy_file(dir_ / "in" / "portrait.jpg",
                      dir_ / "in" / ("copy" + std::to_string(100 + i) + ".jpg"));
    }
    const RunResult result = run(
        {"--mode", "width", "--width", "1000", "--format", "png", "--dest", out(), in("")}, "[1/");
    EXPECT_EQ(result.status, 130) << result.errors;
    EXPECT_TRUE(contains(result.errors, "stopped")) << result.errors;
    EXPECT_TRUE(contains(result.errors, "not reached")) << result.errors;
    // Every file in the destination is a complete result.
    int results = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(out())) {
        EXPECT_TRUE(ImageFile(entry.path().string()).isOpen()) << entry.path();
        ++results;
    }
    EXPECT_GE(results, 1);
    EXPECT_LT(results, 42);
}

} // namespace
} // namespace scalora
