// The sandbox's line edits on the SDL2 backend under Xvfb, typed into by xdotool like a user
// would: text of any script arrives intact through the window system's text input.
#include "e2e_fixture.h"

#include <gtest/gtest.h>
#include <thread>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

class SandboxTextTest : public SandboxTest {
protected:
    SandboxTextTest() : SandboxTest({"xdotool", "import"}) {}

    // Retries while the window manager is still reparenting the new window; a chain that
    // fails stops before its click, so retrying is safe.
    int xdotool(const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto end = std::chrono::steady_clock::now() + 20s;
        int status = -1;
        while (std::chrono::steady_clock::now() < end) {
            status = session_.run(argv, 20s).status;
            if (status == 0) {
                break;
            }
            std::this_thread::sleep_for(50ms);
        }
        return status;
    }

    int clickInto(const Box& box) {
        return xdotool({"search", "--sync", "--name", "UI Sandbox", "mousemove", "--window", "%1",
                        std::to_string(box.x + box.width / 2),
                        std::to_string(box.y + box.height / 2), "click", "1"});
    }
};

TEST_F(SandboxTextTest, TypedTextOfAnyScriptArrivesIntact) {
    ASSERT_EQ(boxes_.count("blankedit"), 1u);
    ASSERT_EQ(clickInto(boxes_["blankedit"]), 0);
    ASSERT_EQ(session_.run({"xdotool", "type", "--delay", "60", "Grüße, 東京"}, 30s).status, 0);
    ASSERT_TRUE(waitForLine(log_, "text blankedit Grüße, 東京", 20s))
        << "typed: " << testing::PrintToString(linesStartingWith(readLines(log_), "text "));
    EXPECT_TRUE(keepScreenshot("sandbox_line_edit.png"));
}

} // namespace
} // namespace scalora::test
