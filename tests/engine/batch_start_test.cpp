#include "engine/batch_start.h"
#include "engine/byte_count.h"
#include "engine/geometry.h"
#include "fake_image_codec.h"
#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using test::FakeImageCodec;
using test::TempDir;

class NullObserver : public BatchObserver {
public:
    void post(BatchMessage, ResizeThread&) override {}
};

TEST(BatchStart, SizeChecksFollowTheMode) {
    EXPECT_EQ(checkSize(ResizeMode::WidthHeight, 0, 10), SizeCheck::InvalidWidth);
    EXPECT_EQ(checkSize(ResizeMode::WidthHeight, 10, -1), SizeCheck::InvalidHeight);
    EXPECT_EQ(checkSize(ResizeMode::Width, 10, 0), SizeCheck::Valid);  // height unused
    EXPECT_EQ(checkSize(ResizeMode::Height, 0, 10), SizeCheck::Valid); // width unused
    EXPECT_EQ(checkSize(ResizeMode::Height, 0, 0), SizeCheck::InvalidHeight);
    EXPECT_EQ(checkSize(ResizeMode::Percentage, 0, 0), SizeCheck::InvalidWidth);
    EXPECT_EQ(checkSize(ResizeMode::Percentage, 50, 0), SizeCheck::InvalidHeight);
    // The desktop modes do not use the values but are checked like mode 0.
    EXPECT_EQ(checkSize(ResizeMode::Desktop, 0, 5), SizeCheck::InvalidWidth);

    const Refusal width = sizeRefusal(SizeCheck::InvalidWidth);
    EXPECT_EQ(width.text, "Width is invalid.");
    EXPECT_EQ(width.detail, "Minimum: 1.");
    EXPECT_EQ(sizeRefusal(SizeCheck::InvalidHeight).text, "Height is invalid.");
}

TEST(BatchStart, SnapshotValuesAreClamped) {
    BatchSettings settings;
    RunRequest request;
    // Stored and listed numbers out of range read as the nearest mode and format.
    request.mode = resizeModeFromIndex(9);
    request.format = outputFormatFromIndex(-2);
    request.jpegQuality = 0;
    writeSnapshot(settings, request, 20000, 7);
    EXPECT_EQ(settings.mode, ResizeMode::DesktopKeepProportions);
    EXPECT_EQ(settings.format, OutputFormat::AsOriginal);
    EXPECT_EQ(settings.jpegQuality, 1);
    EXPECT_EQ(settings.widthValue, 10000);
    EXPECT_EQ(settings.heightValue, 7);
    request.mode = ResizeMode::Width;
    writeSnapshot(settings, request, 640, 0);
    EXPECT_EQ(settings.heightValue, 1);
    request.mode = ResizeMode::Height;
    writeSnapshot(settings, request, 0, 480);
    EXPECT_EQ(settings.widthValue, 1);
    EXPECT_EQ(settings.heightValue, 480);
}

TEST(BatchStart, ByteCountsReadLikeTheListShowsThem) {
    EXPECT_EQ(formatByteCount(0, "."), "0 Bytes");
    EXPECT_EQ(formatByteCount(1024, "."), "1024 Bytes");
    EXPECT_EQ(formatByteCount(1536, "."), "1.5 Kb");
    EXPECT_EQ(formatByteCount(2048, "."), "2 Kb");
    EXPECT_EQ(formatByteCount(1048576, "."), "1024 Kb");
    EXPECT_EQ(formatByteCount(3ULL << 30, "."), "3 Gb");
    EXPECT_EQ(formatByteCount(1029, ","), "1 Kb");    // 1.0049 rounds to 1.00
    EXPECT_EQ(formatByteCount(1035, ","), "1,01 Kb"); // 1.0107
    EXPECT_EQ(formatByteCount((5ULL << 40) + (1ULL << 39), "."), "5.5 Tb");
}

TEST(BatchStart, EstimateCountsPixelsAndCopiedMetadata) {
    BatchSettings settings;
    settings.mode = ResizeMode::WidthHeight;
    settings.widthValue = 1000;
    settings.heightValue = 1000;
    settings.format = OutputFormat::Png;
    std::vector<ImageItem> items;
    for (int i = 0; i < 10; ++i) {
        ImageItem item("/p/img" + std::to_string(i) + ".jpeg");
        item.width = 3000;
        item.height = 2000;
        item.measured = true;
        items.push_back(std::move(item));
    }
    EXPECT_EQ(estimateOutputBytes(items, settings), 40000000U);
    settings.format = OutputFormat::Jpg;
    EXPECT_EQ(estimateOutputBytes(items, settings), 41000000U);
    settings.jpegCopyExif = false;
    EXPECT_EQ(estimateOutputBytes(items, settings), 40000000U);
    settings.jpegCopyExif = true;
    settings.format = OutputFormat::AsOriginal; // JPEG sources stay JPEG
    EXPECT_EQ(estimateOutputBytes(items, settings), 41000000U);

    items[0].measured = false; // counts nothing
    items[1].width = 0;        // cannot be resized
    EXPECT_EQ(estimateOutputBytes(items, settings), 32800000U);
    ImageItem png("/p/x.png");
    png.width = png.height = 10;
    png.measured = true;
    EXPECT_EQ(estimateOutputBytes(png, settings), 4000000U);
}

TEST(BatchStart, DiskCheckRefusesOnlyAKnownShortage) {
    EXPECT_FALSE(diskSpaceRefusal(1000, std::nullopt));
    EXPECT_FALSE(diskSpaceRefusal(999, 1000));
    const std::optional<Refusal> refusal = diskSpaceRefusal(1024 + 2048, 2048);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "Not enough free disk space");
    EXPECT_EQ(refusal->detail, "Please free up 1024 Bytes.");
    EXPECT_EQ(diskSpaceRefusal(1000, 1000)->detail, "Please free up 0 Bytes.");

    TempDir dir;
    EXPECT_TRUE(freeBytesOnDrive(dir.path().string()).has_value());
    EXPECT_FALSE(freeBytesOnDrive((dir / "missing" / "x").string()).has_value());
    EXPECT_FALSE(freeBytesOnDrive("").has_value());
}

TEST(BatchStart, DestinationIsNormalizedOrRejected) {
    TempDir dir;
    fs::create_directories(dir / "out");
    const std::string root = dir.path().string();
    EXPECT_EQ(normalizeDestination(root + "/out", ""), root + "/out/");
    EXPECT_EQ(normalizeDestination("  " + root + "//out/./ ", ""), root + "/out/");
    EXPECT_EQ(normalizeDestination("out", root), root + "/out/");
    EXPECT_EQ(normalizeDestination(root + "/missing", ""), "");
    EXPECT_EQ(normalizeDestination("", root), "");
    test::writeFile(dir / "file", "x");
    EXPECT_EQ(normalizeDestination(root + "/file", ""), "");
    const char* home = std::getenv("HOME");
    if (home != nullptr && fs::is_directory(home)) {
        EXPECT_EQ(normalizeDestination("~/", ""),
                  fs::path(home).lexically_normal().string() +
                      (std::string(home).ends_with('/') ? "" : "/"));
    }
}

TEST(BatchStart, CopyIndexCountsEqualResultNames) {
    std::vector<ImageItem> items;
    for (const char* path : {"/a/a.jpg", "/b/A.JPG", "/c/a.jpeg", "/d/a.png", "/e/b.jpg"}) {
        items.emplace_back(path);
    }
    assignCopyIndexes(items, OutputFormat::Jpg);
    // a.png written as JPG would collide with a.jpg: it gets its own number.
    EXPECT_EQ(items[0].copyIndex, 0);
    EXPECT_EQ(items[1].copyIndex, 1);
    EXPECT_EQ(items[2].copyIndex, 2);
    EXPECT_EQ(items[3].copyIndex, 3);
    EXPECT_EQ(items[4].copyIndex, 0);
    assignCopyIndexes(items, OutputFormat::AsOriginal);
    EXPECT_EQ(items[2].copyIndex, 2); // .jpeg is written as .jpg
    EXPECT_EQ(items[3].copyIndex, 0); // stays a PNG
}

class PrepareTest : public ::testing::Test {
protected:
    PrepareTest() : engine_(codec_, observer_) {
        fs::create_directories(dir_ / "out");
        request_.widthText = "640";
        request_.heightText = "480";
        request_.mode = ResizeMode::Fit;
        request_.destinationText = (dir_ / "out").string();
        environment_.freeBytes = [this](const std::string&) { return free_; };
    }
    void add(const std::string& name) {
        const std::string path = (dir_ / name).string();
        test::writeFile(path, "x");
        codec_.setSize(path, {1000, 1000});
        ImageItem item(path);
        item.measured = true;
        item.status = ItemStatus::StatusOk;
        item.message = "old";
        item.copyIndex = 5;
        engine_.items().push_back(std::move(item));
    }

    TempDir dir_;
    FakeImageCodec codec_;
    NullObserver observer_;
    BatchEngine engine_;
    RunRequest request_;
    PrepareEnvironment environment_;
    std::optional<std::uint64_t> free_;
};

TEST_F(PrepareTest, EmptyListDoesNothing) {
    engine_.settings().processedCount = 4;
    EXPECT_EQ(prepareBatch(engine_, request_, environment_).outcome, PrepareOutcome::EmptyList);
    EXPECT_EQ(engine_.settings().processedCount, 4);
}

TEST_F(PrepareTest, RefusedWidthLeavesTheListReset) {
    add("a.jpg");
    engine_.settings().skippedCount = 2;
    request_.widthText = "abc";
    const Preparation result = prepareBatch(engine_, request_, environment_);
    EXPECT_EQ(result.outcome, PrepareOutcome::InvalidSize);
    EXPECT_EQ(result.refusal.text, "Width is invalid.");
    const ImageItem& item = engine_.items()[0];
    EXPECT_EQ(item.status, ItemStatus::StatusUndefined);
    EXPECT_TRUE(item.message.empty());
    EXPECT_EQ(item.copyIndex, 0);
    EXPECT_EQ(item.width, 1000); // measured again
    EXPECT_EQ(engine_.settings().skippedCount, 0);

    request_.mode = ResizeMode::Width;
    request_.widthText = " 12abc";
    request_.heightText = "";
    EXPECT_EQ(prepareBatch(engine_, request_, environment_).outcome, PrepareOutcome::Ready);
    EXPECT_EQ(engine_.settings().widthValue, 12);
    EXPECT_EQ(engine_.settings().heightValue, 1);
}

TEST_F(PrepareTest, DestinationAndDiskSpace) {
    add("a.jpg");
    add("b.png");
    request_.destinationText = (dir_ / "nowhere").string();
    EXPECT_EQ(prepareBatch(engine_, request_, environment_).outcome, PrepareOutcome::NoDestination);

    request_.destinationText = (dir_ / "out").string();
    free_ = 100;
    Preparation result = prepareBatch(engine_, request_, environment_);
    EXPECT_EQ(result.outcome, PrepareOutcome::NotEnoughSpace);
    EXPECT_EQ(result.destination, (dir_ / "out").string() + "/");
    // 480 x 480 x 4 for each, plus the metadata room for the JPEG written from a JPEG.
    EXPECT_EQ(result.neededBytes, 2U * 480 * 480 * 4 + 100000);
    EXPECT_EQ(result.refusal.detail,
              "Please free up " + formatByteCount(result.neededBytes - 100) + ".");

    free_ = std::nullopt; // unknown free space does not block
    result = prepareBatch(engine_, request_, environment_);
    EXPECT_EQ(result.outcome, PrepareOutcome::Ready);
    EXPECT_EQ(engine_.settings().destinationFolder, (dir_ / "out").string() + "/");
    EXPECT_EQ(engine_.settings().widthValue, 640);
}

} // namespace
} // namespace scalora

namespace scalora {
namespace {

// The window side of a start, recorded.
class RecordingHost : public BatchStartHost {
public:
    explicit RecordingHost(BatchEngine& engine) : engine_(engine) {}
    void showRefusal(const Refusal& refusal) override {
        calls.push_back("refusal:" + refusal.text);
    }
    void chooseDestinationFolder() override { calls.push_back("choose"); }
    void setDestinationText(const std::string& text) override { calls.push_back("dest:" + text); }
    void runProgress() override {
        // The modal progress window runs until the worker is done.
        calls.push_back(std::string("progress:") +
                        (engine_.thread() != nullptr ? "started" : "none"));
        engine_.waitForWorker();
    }
    std::vector<std::string> calls;

private:
    BatchEngine& engine_;
};

TEST_F(PrepareTest, StartBatchHandsEachOutcomeToTheWindow) {
    RecordingHost host(engine_);
    startBatch(engine_, request_, host, environment_);
    EXPECT_TRUE(host.calls.empty()); // empty list: nothing at all

    add("a.jpg");
    request_.heightText = "-3";
    startBatch(engine_, request_, host, environment_);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"refusal:Height is invalid."}));

    host.calls.clear();
    request_.heightText = "480";
    request_.destinationText = (dir_ / "nowhere").string();
    startBatch(engine_, request_, host, environment_);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"choose"}));

    host.calls.clear();
    request_.destinationText = (dir_ / "out").string();
    free_ = 1;
    startBatch(engine_, request_, host, environment_);
    const std::string shown = "dest:" + (dir_ / "out").string() + "/";
    EXPECT_EQ(host.calls, (std::vector<std::string>{shown, "refusal:Not enough free disk space"}));

    host.calls.clear();
    free_ = std::nullopt;
    startBatch(engine_, request_, host, environment_);
    EXPECT_EQ(host.calls, (std::vector<std::string>{shown, "progress:started"}));
    EXPECT_EQ(engine_.items()[0].status, ItemStatus::StatusOk);
    EXPECT_TRUE(fs::exists(dir_ / "out" / "a.jpg"));
}

} // namespace
} // namespace scalora
