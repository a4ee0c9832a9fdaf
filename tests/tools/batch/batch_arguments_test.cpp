#include "base/strings.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_progress.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

std::optional<BatchArguments> parse(std::vector<std::string> args, std::string& error,
                                    const BatchDefaults& defaults = {}) {
    return parseBatchArguments(args, defaults, error);
}

TEST(BatchArguments, EveryRunSettingHasAnOption) {
    std::string error;
    const std::optional<BatchArguments> args = parse({"--mode",
                                                      "fit",
                                                      "--width=1280",
                                                      "--height",
                                                      "720",
                                                      "--format",
                                                      "PNG",
                                                      "-d",
                                                      "/out",
                                                      "--quality",
                                                      "90",
                                                      "--no-copy-metadata",
                                                      "--no-enlarge",
                                                      "--no-keep-dates",
                                                      "--no-overwrite",
                                                      "--no-recursive",
                                                      "--language",
                                                      "German",
                                                      "--jobs=3",
                                                      "a.jpg",
                                                      "--",
                                                      "--odd-name.jpg"},
                                                     error);
    ASSERT_TRUE(args) << error;
    EXPECT_EQ(args->mode, ResizeMode::Fit);
    EXPECT_EQ(args->width, 1280);
    EXPECT_EQ(args->height, 720);
    EXPECT_EQ(args->format, OutputFormat::Png);
    EXPECT_EQ(args->destination, "/out");
    EXPECT_EQ(args->jpegQuality, 90);
    EXPECT_FALSE(args->copyMetadata);
    EXPECT_TRUE(args->doNotEnlarge);
    EXPECT_FALSE(args->keepDates);
    EXPECT_FALSE(args->allowRewrite);
    EXPECT_FALSE(args->recursive);
    EXPECT_EQ(args->language, "german");
    EXPECT_EQ(args->jobs, 3);
    EXPECT_EQ(args->paths, (std::vector<std::string>{"a.jpg", "--odd-name.jpg"}));
    EXPECT_EQ(modeFromText("6"), ResizeMode::DesktopKeepProportions);
    EXPECT_FALSE(modeFromText("7"));
    EXPECT_EQ(modeFromText("Percentage"), ResizeMode::Percentage);
    EXPECT_EQ(formatFromText("original"), OutputFormat::AsOriginal);
    EXPECT_EQ(formatFromText("tiff"), OutputFormat::Tif);
    EXPECT_EQ(formatFromText("4"), OutputFormat::Bmp);
    EXPECT_FALSE(formatFromText("gif"));
}

TEST(BatchArguments, DefaultsComeFromTheSettings) {
    BatchDefaults defaults;
    defaults.mode = ResizeMode::Percentage;
    defaults.widthForMode[4] = 50;
    defaults.heightForMode[4] = 25;
    defaults.widthForMode[1] = 800;
    defaults.destination = "/results";
    defaults.jpegQuality = 80;
    defaults.allowRewrite = false;
    defaults.sizesRemembered = true;
    std::string error;
    std::optional<BatchArguments> args = parse({"x.png"}, error, defaults);
    ASSERT_TRUE(args) << error;
    EXPECT_EQ(args->destination, "/results");
    EXPECT_EQ(args->jpegQuality, 80);
    EXPECT_FALSE(args->allowRewrite);
    EXPECT_FALSE(args->jobs); // the engine's own default: the number of cores
    EXPECT_EQ(widthTextOf(*args, defaults), "50");
    EXPECT_EQ(heightTextOf(*args, defaults), "25");
    // Another mode takes that mode's remembered values.
    args = parse({"--mode", "width", "--overwrite", "x.png"}, error, defaults);
    ASSERT_TRUE(args);
    EXPECT_EQ(widthTextOf(*args, defaults), "800");
    EXPECT_TRUE(args->allowRewrite);
}

TEST(BatchArguments, BadArgumentsAreExplained) {
    const auto errorOf = [](std::vector<std::string> args) {
        std::string error;
        EXPECT_FALSE(parse(std::move(args), error));
        return error;
    };
    EXPECT_NE(errorOf({"--mode", "zoom", "-d", "/o", "a"}).find("unknown mode 'zoom'"),
              std::string::npos);
    EXPECT_NE(errorOf({"--width", "0", "-d", "/o", "a"}).find("--width must be at least 1"),
              std::string::npos);
    EXPECT_NE(errorOf({"--height", "12px", "-d", "/o", "a"}).find("whole number"),
              std::string::npos);
    EXPECT_NE(errorOf({"--jobs", "0", "-d", "/o", "a"}).find("--jobs must be a whole number"),
              std::string::npos);
    EXPECT_NE(errorOf({"a.jpg"}).find("no destination folder"), std::string::npos);
    EXPECT_NE(errorOf({"-d", "/o"}).find("no files or folders"), std::string::npos);
    EXPECT_NE(errorOf({"-d", "/o", "a", "--quality", "101"}).find("1 to 100"), std::string::npos);
    EXPECT_NE(errorOf({"-d", "/o", "a", "--format", "gif"}).find("unknown format"),
              std::string::npos);
    EXPECT_NE(errorOf({"-d", "/o", "a", "--width"}).find("needs a value"), std::string::npos);
    EXPECT_NE(errorOf({"-d", "/o", "a", "--frobnicate"}).find("unknown option --frobnicate"),
              std::string::npos);
    EXPECT_NE(errorOf({"-d", "/o", "a", "--overwrite=yes"}).find("takes no value"),
              std::string::npos);

    std::string error;
    const std::optional<BatchArguments> big = parse(
        {"-d", "/o", "a", "--width", "20000", "--mode=desktop-fit", "--desktop-size", "1920x1080"},
        error);
    ASSERT_TRUE(big) << error;
    EXPECT_EQ(big->width, 10000);
    EXPECT_EQ(big->warnings.size(), 1U);
    EXPECT_EQ(big->desktopSize, (Size{1920, 1080}));
    const std::optional<BatchArguments> help = parse({"--bogus-later", "--help"}, error);
    EXPECT_FALSE(help); // options are read in order: the bad one is reported first
    EXPECT_EQ(parse({"--help"}, error)->action, BatchArguments::Action::Help);
}

TEST(BatchProgress, BarShowsCountElapsedRateAndName) {
    BatchStatus status;
    status.currentIndex = 5;
    status.processedCount = 3;
    status.skippedCount = 1;
    status.elapsedMilliseconds = 2000;
    const std::string line = progressLine(status, 8, "picture.jpg", 100);
    EXPECT_EQ(line, "[############------------] 5/8  0:02  2.0 img/s  picture.jpg");
    // A long name is cut at the front to fit the terminal.
    const std::string narrow = progressLine(status, 8, "a-very-long-file-name.jpg", 60);
    EXPECT_LE(utf8ToUtf32(narrow).size(), 60U);
    EXPECT_TRUE(narrow.ends_with("name.jpg"));
    EXPECT_EQ(formatElapsed(65000), "1:05");
    EXPECT_EQ(formatElapsed(3723000), "1:02:03");

    ImageItem item("/a/b.jpg");
    EXPECT_EQ(skipReason(item), "Unknown error");
    item.message = "Source file does not exist";
    EXPECT_EQ(skipReason(item), "Source file does not exist");
}

} // namespace
} // namespace scalora
