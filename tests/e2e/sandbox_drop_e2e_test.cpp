// The ui-sandbox under its own Xvfb: two real files dragged with the X11 drag protocol over
// a neighbouring element and then onto the sandbox's drop target must reach that target
// (DragEnter, DragMove, Drop with both paths) and nothing else; a drop beside it is refused.
#include "e2e_fixture.h"

#include <gtest/gtest.h>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> dragLines(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (l.rfind("drag-", 0) == 0 || l.rfind("drop ", 0) == 0) {
            out.push_back(l);
        }
    }
    return out;
}

class SandboxDropTest : public SandboxTest {
protected:
    SandboxDropTest() : SandboxTest({"import"}) {}

    void SetUp() override {
        SandboxTest::SetUp();
        if (stopped()) {
            return;
        }
        ASSERT_EQ(boxes_.count("target"), 1u);
        ASSERT_EQ(boxes_.count("alpha"), 1u);
        target_ = boxes_["target"];
        neighbour_ = boxes_["alpha"];
        first_ = dir_ / "holiday photo.jpg";
        second_ = dir_ / "scan 2.tif";
        writeFile(first_, "one");
        writeFile(second_, "two");
    }

    // Drags the two files through points of the window (client coordinates).
    int drag(const std::vector<std::pair<int, int>>& points, const std::string& log) {
        std::vector<std::string> argv{(binDir() / "xdnd_drop_source").string(), "--window",
                                      "UI Sandbox"};
        for (const auto& [x, y] : points) {
            argv.push_back(std::to_string(x));
            argv.push_back(std::to_string(y));
        }
        argv.insert(argv.end(), {"--", first_.string(), second_.string()});
        return session_.wait(session_.spawn(argv, dir_ / log), 30s);
    }

    Box target_;
    Box neighbour_;
    std::filesystem::path first_;
    std::filesystem::path second_;
};

TEST_F(SandboxDropTest, TwoFilesReachTheDropTargetAndNotItsNeighbour) {
    const int cx = target_.x + target_.width / 2;
    const int cy = target_.y + target_.height / 2;
    const int status =
        drag({{neighbour_.x + 10, neighbour_.y + 10}, {cx - 20, cy}, {cx, cy}}, "source.log");
    const std::vector<std::string> source = readLines(dir_ / "source.log");
    ASSERT_EQ(status, 0) << ::testing::PrintToString(source);
    EXPECT_EQ(source.front(), "status 0 none"); // the neighbour takes no drops
    EXPECT_EQ(source.back(), "finished 1 XdndActionCopy");
    ASSERT_TRUE(waitForLine(log_, "drop target", 20s));
    const std::vector<std::string> lines = dragLines(readLines(log_));
    EXPECT_EQ(lines, (std::vector<std::string>{"drag-enter target", "drag-move target",
                                               "drop target file:" + first_.string() +
                                                   " file:" + second_.string()}));
    EXPECT_TRUE(keepScreenshot("sandbox_drop.png"));
}

TEST_F(SandboxDropTest, ADropOnTheNeighbourIsRefusedAndDeliversNothing) {
    EXPECT_EQ(drag({{neighbour_.x + 10, neighbour_.y + 10}}, "source.log"), 2);
    EXPECT_EQ(readLines(dir_ / "source.log").back(), "refused");
    EXPECT_FALSE(waitForLine(log_, "drop target", 300ms));
    EXPECT_TRUE(dragLines(readLines(log_)).empty());
}

} // namespace
} // namespace scalora::test
