#include "engine/geometry.h"
#include "engine/process_item.h"
#include "fake_image_codec.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using test::FakeImageCodec;
using test::TempDir;

class ProcessItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dir_ / "in");
        fs::create_directories(dir_ / "out");
        settings_.destinationFolder = (dir_ / "out").string() + "/";
        settings_.format = OutputFormat::AsOriginal;
        settings_.mode = ResizeMode::Width;
        settings_.widthValue = 100;
        settings_.heightValue = 1;
    }
    // A source file the fake codec knows as width x height.
    ImageItem source(const std::string& name, Size size = {400, 200}) {
        const std::string path = (dir_ / "in" / name).string();
        test::writeFile(path, "pixels");
        codec_.setSize(path, size);
        ImageItem item(path);
        item.width = size.width;
        item.height = size.height;
        item.measured = true;
        return item;
    }
    std::string out(const std::string& name) const { return (dir_ / "out" / name).string(); }

    TempDir dir_;
    FakeImageCodec codec_;
    BatchSettings settings_;
};

TEST_F(ProcessItemTest, WritesTheResultUnderTheFormatsExtension) {
    ImageItem item = source("A.JPEG", {400, 200});
    ASSERT_TRUE(processItem(settings_, item, codec_));
    EXPECT_EQ(item.resultPath, out("A.jpg"));
    EXPECT_TRUE(item.message.empty());
    EXPECT_EQ(test::readFile(out("A.jpg")), "100x50");

    settings_.format = OutputFormat::Png;
    ImageItem tif = source("photo.tif");
    tif.copyIndex = 2;
    ASSERT_TRUE(processItem(settings_, tif, codec_));
    EXPECT_EQ(tif.resultPath, out("photo_copy2.png"));

    // The options and sizes reach the codec layer as the run set them.
    settings_.allowRewrite = false;
    settings_.saveOriginalFileDate = false;
    settings_.jpegQuality = 77;
    settings_.jpegCopyExif = false;
    settings_.mode = ResizeMode::DesktopKeepProportions;
    settings_.desktopSize = {1920, 1080};
    ImageItem square = source("sq.png", {1000, 1000});
    ASSERT_TRUE(processItem(settings_, square, codec_));
    const FakeImageCodec::ResizeCall call = codec_.calls().back();
    EXPECT_EQ(call.target, (Size{1080, 1080}));
    EXPECT_EQ(call.canvas, (Size{1920, 1080}));
    EXPECT_EQ(call.sourceSize, (Size{1000, 1000}));
    EXPECT_EQ(call.source, square.path);
    EXPECT_FALSE(call.options.allowRewrite);
    EXPECT_FALSE(call.options.keepFileDates);
    EXPECT_EQ(call.options.jpegQuality, 77);
    EXPECT_FALSE(call.options.copyMetadata);
}

TEST_F(ProcessItemTest, RefusalsCarryTheirReason) {
    ImageItem gone = source("gone.jpg");
    fs::remove(gone.path);
    EXPECT_FALSE(processItem(settings_, gone, codec_));
    EXPECT_EQ(gone.message, "Source file does not exist");

    ImageItem item = source("a.jpg");
    settings_.allowRewrite = false;
    test::writeFile(out("a.jpg"), "earlier result");
    EXPECT_FALSE(processItem(settings_, item, codec_));
    EXPECT_EQ(item.message, "Rewriting is not allowed in options");
    EXPECT_EQ(test::readFile(out("a.jpg")), "earlier result");
    EXPECT_TRUE(item.resultPath.empty());

    settings_.allowRewrite = true;
    item.message.clear();
    EXPECT_TRUE(processItem(settings_, item, codec_));
    EXPECT_EQ(test::readFile(out("a.jpg")), "100x50");

    // The same file under the result's name (a hard link) is never written onto itself.
    ImageItem linked = source("b.jpg");
    ASSERT_EQ(::link(linked.path.c_str(), out("b.jpg").c_str()), 0);
    EXPECT_FALSE(processItem(settings_, linked, codec_));
    EXPECT_EQ(linked.message, "Unable to write file on itself");
    EXPECT_EQ(test::readFile(linked.path), "pixels");

    fs::remove_all(dir_ / "out");
    ImageItem late = source("c.jpg");
    EXPECT_FALSE(processItem(settings_, late, codec_));
    EXPECT_EQ(late.message, "Destination folder does not exist");
}

TEST_F(ProcessItemTest, WriteFailuresNameTheResultAndTheSystemsReason) {
    ImageItem item = source("a.jpg");
    codec_.writeError = EROFS;
    EXPECT_FALSE(processItem(settings_, item, codec_));
    EXPECT_EQ(item.message, "Unable to write " + out("a.jpg") + ": Read-only file system");
    EXPECT_EQ(item.writeError, EROFS);
    codec_.writeError = 0;
    EXPECT_TRUE(processItem(settings_, item, codec_));
    EXPECT_EQ(item.writeError, 0);
}

TEST_F(ProcessItemTest, GivesUpWithoutAMessage) {
    // Inside the destination or below it: never processed, file untouched.
    fs::create_directories(dir_ / "out" / "sub");
    test::writeFile(out("sub/x.jpg"), "keep");
    codec_.setSize(out("sub/x.jpg"), {10, 10});
    ImageItem inside(out("sub/x.jpg"));
    EXPECT_FALSE(processItem(settings_, inside, codec_));
    EXPECT_TRUE(inside.message.empty());
    EXPECT_EQ(test::readFile(out("sub/x.jpg")), "keep");
    // ... also when reached through a link to the destination.
    fs::create_directory_symlink(dir_ / "out", dir_ / "alias");
    ImageItem viaLink((dir_ / "alias" / "sub" / "x.jpg").string());
    codec_.setSize(viaLink.path, {10, 10});
    EXPECT_FALSE(processItem(settings_, viaLink, codec_));
    EXPECT_TRUE(viaLink.message.empty());
    EXPECT_TRUE(codec_.calls().empty());

    // A folder "out" does not catch "outside".
    fs::create_directories(dir_ / "outside");
    test::writeFile(dir_ / "outside" / "y.jpg", "y");
    ImageItem outside((dir_ / "outside" / "y.jpg").string());
    codec_.setSize(outside.path, {10, 10});
    EXPECT_TRUE(processItem(settings_, outside, codec_));

    // No format for the extension, a collapsed size, a failed write: each gives up with an
    // empty message.
    ImageItem gif = source("anim.gif");
    EXPECT_FALSE(processItem(settings_, gif, codec_));
    EXPECT_TRUE(gif.message.empty());

    ImageItem broken = source("broken.png", {300, 300});
    codec_.setSize(broken.path, {});
    EXPECT_FALSE(processItem(settings_, broken, codec_));
    EXPECT_EQ(broken.width, 0); // the new measurement is kept
    FakeImageCodec other;
    EXPECT_FALSE(processItem(settings_, broken, other));           // does not open at all
    EXPECT_EQ(broken.message, "The file is not a readable image"); // replaced since it was added

    ImageItem fine = source("fine.png");
    codec_.failWrites = true;
    EXPECT_FALSE(processItem(settings_, fine, codec_));
    EXPECT_TRUE(fine.resultPath.empty());
    EXPECT_TRUE(fine.message.empty());
}

} // namespace
} // namespace scalora
