// Drops two real files with the X11 drag protocol onto one of two neighbouring drop targets
// of a real SDL window under Xvfb, and checks which element saw which drag events.
#include "e2e_fixture.h"

#include <gtest/gtest.h>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

// The event names of the drag lines ("left DragMove 50,90" -> "left DragMove").
std::vector<std::string> eventsOf(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        const std::size_t second = l.find(' ', l.find(' ') + 1);
        if (l.find(" Drag") != std::string::npos || l.find(" Drop") != std::string::npos) {
            out.push_back(l.substr(0, second));
        }
    }
    return out;
}

class XdndDropTest : public XvfbTest {
protected:
    void SetUp() override {
        startSession({"import"});
        if (stopped()) {
            return;
        }
        target_ = session_.spawn({(binDir() / "xdnd_drop_target").string()}, dir_ / "target.log");
        ASSERT_GT(target_, 0);
        ASSERT_TRUE(waitForLine(dir_ / "target.log", "ready", 30s))
            << "the drop target did not start";
        first_ = dir_ / "first photo.jpg";
        second_ = dir_ / "second.png";
        writeFile(first_, "one");
        writeFile(second_, "two");
    }

    int runSource(std::vector<std::string> points, const std::string& log) {
        std::vector<std::string> argv{(binDir() / "xdnd_drop_source").string(), "--window",
                                      "Scalora drop target"};
        argv.insert(argv.end(), points.begin(), points.end());
        argv.push_back("--");
        argv.push_back(first_.string());
        argv.push_back(second_.string());
        const pid_t source = session_.spawn(argv, dir_ / log);
        return session_.wait(source, 30s);
    }

    pid_t target_ = -1;
    std::filesystem::path first_;
    std::filesystem::path second_;
};

TEST_F(XdndDropTest, TwoFilesDroppedOnOneElementReachOnlyThatElement) {
    // Over the right element first, then onto the left one, dropping at (80, 110) of the
    // window: the left element's (70, 100).
    const int status = runSource({"300", "100", "60", "100", "80", "110"}, "source.log");
    const std::vector<std::string> source = readLines(dir_ / "source.log");
    ASSERT_EQ(status, 0) << ::testing::PrintToString(source);
    EXPECT_EQ(source.back(), "finished 1 XdndActionCopy");
    EXPECT_EQ(source[0], "status 1 XdndActionCopy");

    ASSERT_TRUE(waitForLine(dir_ / "target.log", "left path", 20s));
    ASSERT_TRUE(waitForLine(dir_ / "target.log", "left path " + second_.string(), 20s));
    const std::vector<std::string> lines = readLines(dir_ / "target.log");
    EXPECT_EQ(
        eventsOf(lines),
        (std::vector<std::string>{"right DragEnter", "right DragMove", "right DragLeave",
                                  "left DragEnter", "left DragMove", "left DragMove", "left Drop"}))
        << ::testing::PrintToString(lines);
    EXPECT_EQ(linesStartingWith(lines, "left Drop"),
              (std::vector<std::string>{"left Drop 70,100"}));
    EXPECT_EQ(linesStartingWith(lines, "left path"),
              (std::vector<std::string>{"left path " + first_.string(),
                                        "left path " + second_.string()}));
    EXPECT_TRUE(linesStartingWith(lines, "right Drop").empty());
    EXPECT_TRUE(keepScreenshot("xdnd_drop.png"));
}

TEST_F(XdndDropTest, ADropBesideTheTargetsIsRefused) {
    // (210, 100) is the window's own background between the two elements.
    EXPECT_EQ(runSource({"210", "100"}, "source.log"), 2);
    EXPECT_EQ(readLines(dir_ / "source.log").back(), "refused");
    // Nothing reached either element; give a stray event the time to show up.
    EXPECT_FALSE(waitForLine(dir_ / "target.log", "Drop", 300ms));
    EXPECT_TRUE(eventsOf(readLines(dir_ / "target.log")).empty());
}

} // namespace
} // namespace scalora::test
