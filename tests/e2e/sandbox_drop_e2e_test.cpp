// The ui-sandbox under its own Xvfb: two real files dragged with the X11 drag protocol over
// a neighbouring element and then onto the sandbox's drop target must reach that target
// (DragEnter, DragMove, Drop with both paths) and nothing else; a drop beside it is refused.
#include "support/test_support.h"
#include "xvfb_session.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace scalora {
namespace {

using namespace std::chrono_literals;

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

// "element <name> x y w h" from the sandbox's report.
bool elementBox(const std::vector<std::string>& lines, const std::string& name, Box& box) {
    for (const std::string& l : lines) {
        std::istringstream in(l);
        std::string word, n;
        if (in >> word >> n && word == "element" && n == name &&
            in >> box.x >> box.y >> box.width >> box.height) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> dragLines(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (l.rfind("drag-", 0) == 0 || l.rfind("drop ", 0) == 0) {
            out.push_back(l);
        }
    }
    return out;
}

class SandboxDropTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string missing = test::XvfbSession::missingTool({"import"});
            !missing.empty()) {
            GTEST_SKIP() << missing << " is not installed";
        }
        ASSERT_TRUE(session_.start()) << session_.error();
        ASSERT_GT(session_.spawn({(test::binDir() / "ui-sandbox").string()}, dir_ / "sandbox.log"),
                  0);
        ASSERT_TRUE(test::waitForLine(dir_ / "sandbox.log", "ready", 30s))
            << "the sandbox did not start";
        const std::vector<std::string> lines = test::readLines(dir_ / "sandbox.log");
        ASSERT_TRUE(elementBox(lines, "target", target_));
        ASSERT_TRUE(elementBox(lines, "alpha", neighbour_));
        first_ = dir_ / "holiday photo.jpg";
        second_ = dir_ / "scan 2.tif";
        test::writeFile(first_, "one");
        test::writeFile(second_, "two");
    }

    // Drags the two files through points of the window (client coordinates).
    int drag(const std::vector<std::pair<int, int>>& points, const std::string& log) {
        std::vector<std::string> argv{(test::binDir() / "xdnd_drop_source").string(), "--window",
                                      "UI Sandbox"};
        for (const auto& [x, y] : points) {
            argv.push_back(std::to_string(x));
            argv.push_back(std::to_string(y));
        }
        argv.insert(argv.end(), {"--", first_.string(), second_.string()});
        return session_.wait(session_.spawn(argv, dir_ / log), 30s);
    }

    test::TempDir dir_;
    test::XvfbSession session_;
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
    const std::vector<std::string> source = test::readLines(dir_ / "source.log");
    ASSERT_EQ(status, 0) << ::testing::PrintToString(source);
    EXPECT_EQ(source.front(), "status 0 none"); // the neighbour takes no drops
    EXPECT_EQ(source.back(), "finished 1 XdndActionCopy");
    ASSERT_TRUE(test::waitForLine(dir_ / "sandbox.log", "drop target", 20s));
    const std::vector<std::string> lines = dragLines(test::readLines(dir_ / "sandbox.log"));
    EXPECT_EQ(lines, (std::vector<std::string>{"drag-enter target", "drag-move target",
                                               "drop target file:" + first_.string() +
                                                   " file:" + second_.string()}));
    const std::filesystem::path shot = dir_ / "sandbox_drop.png";
    EXPECT_TRUE(session_.screenshot(shot));
    if (const char* keep = std::getenv("SCALORA_KEEP_PNG")) {
        std::filesystem::copy_file(shot, std::filesystem::path(keep) / "sandbox_drop.png",
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

TEST_F(SandboxDropTest, ADropOnTheNeighbourIsRefusedAndDeliversNothing) {
    EXPECT_EQ(drag({{neighbour_.x + 10, neighbour_.y + 10}}, "source.log"), 2);
    EXPECT_EQ(test::readLines(dir_ / "source.log").back(), "refused");
    EXPECT_FALSE(test::waitForLine(dir_ / "sandbox.log", "drop target", 300ms));
    EXPECT_TRUE(dragLines(test::readLines(dir_ / "sandbox.log")).empty());
}

} // namespace
} // namespace scalora
