// The ui-sandbox on the SDL2 backend under its own Xvfb with openbox, driven by xdotool: a real
// pointer click must reach exactly the element under it, keys must reach the focused element,
// a context menu must open under the pointer without taking the focus, and closing the window
// through the window manager must end the program normally.
#include "e2e_fixture.h"

#include <gtest/gtest.h>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

class SandboxClickTest : public SandboxTest {
protected:
    SandboxClickTest() : SandboxTest({"xdotool", "import"}) {}

    void SetUp() override {
        SandboxTest::SetUp();
        if (stopped()) {
            return;
        }
        ASSERT_EQ(boxes_.count("alpha"), 1u);
        ASSERT_EQ(boxes_.count("beta"), 1u);
    }

    // Moves the pointer to a point of the sandbox window (client coordinates) and clicks.
    int clickAt(int x, int y, int button) {
        return xdotool({"search", "--sync", "--name", "UI Sandbox", "mousemove", "--window", "%1",
                        std::to_string(x), std::to_string(y), "click", std::to_string(button)});
    }

    std::string activeWindow() { return session_.run({"xdotool", "getactivewindow"}, 20s).output; }
};

TEST_F(SandboxClickTest, PointerAndKeysReachTheElementUnderThePointer) {
    const Box alpha = boxes_["alpha"];
    const Box beta = boxes_["beta"];
    // The gap between alpha and beta belongs to the window: no element is clicked.
    const int gapX = alpha.x + alpha.width + (beta.x - alpha.x - alpha.width) / 2;
    const int midY = beta.y + beta.height / 2;
    ASSERT_EQ(clickAt(gapX, midY, 1), 0);
    const int betaX = beta.x + beta.width / 2;
    ASSERT_EQ(clickAt(betaX, midY, 1), 0);
    ASSERT_TRUE(waitForLine(log_, "click ", 20s));
    // The click lands in beta, at the point under the pointer in beta's own coordinates.
    EXPECT_EQ(linesStartingWith(readLines(log_), "click "),
              std::vector<std::string>{"click beta " + std::to_string(betaX - beta.x) + " " +
                                       std::to_string(midY - beta.y) + " button 1"});

    // The click gave beta the keyboard focus; Tab moves it on to gamma, and Space reaches
    // gamma as virtual key 32.
    ASSERT_EQ(xdotool({"key", "--delay", "50", "Tab", "space"}), 0);
    ASSERT_TRUE(waitForLine(log_, "key ", 20s));
    EXPECT_EQ(linesStartingWith(readLines(log_), "key "), std::vector<std::string>{"key gamma 32"});
}

TEST_F(SandboxClickTest, ARightClickOpensTheContextMenuUnderThePointer) {
    const Box alpha = boxes_["alpha"];
    const std::string activeBefore = activeWindow();
    ASSERT_FALSE(activeBefore.empty());
    const int menuX = alpha.x + 30;
    const int menuY = alpha.y + 20;
    ASSERT_EQ(clickAt(menuX, menuY, 3), 0);
    ASSERT_TRUE(waitForLine(log_, "menu shown", 20s));
    // "menu shown X Y native NX NY main native MX MY": the popup's corner (screen
    // coordinates) is at the pointer, and its native window agrees.
    const std::vector<std::string> shown = linesStartingWith(readLines(log_), "menu shown");
    ASSERT_EQ(shown.size(), 1u);
    std::istringstream in(shown[0]);
    std::string w1, w2, w3, w4, w5;
    int x = 0, y = 0, nx = 0, ny = 0, mx = 0, my = 0;
    ASSERT_TRUE(in >> w1 >> w2 >> x >> y >> w3 >> nx >> ny >> w4 >> w5 >> mx >> my) << shown[0];
    EXPECT_EQ(x, mx + menuX);
    EXPECT_EQ(y, my + menuY);
    EXPECT_EQ(nx, x);
    EXPECT_EQ(ny, y);
    // The main window keeps the focus.
    EXPECT_EQ(activeWindow(), activeBefore);

    EXPECT_TRUE(keepScreenshot("sandbox_menu.png"));
}

TEST_F(SandboxClickTest, ClosingTheWindowThroughTheWindowManagerEndsTheProgram) {
    // openbox closes the active window on Alt+F4, asking it politely (WM_DELETE_WINDOW). The
    // keys go through XTest like a user's: sent to the window itself, the key release would
    // find the window already gone.
    ASSERT_EQ(
        xdotool({"search", "--sync", "--name", "UI Sandbox", "windowactivate", "--sync", "%1"}), 0);
    // On a busy machine openbox can miss a key chord that arrives while it is still busy with
    // the activation, so the chord is pressed again while the window is still there.
    int status = -1;
    for (int attempt = 0; attempt < 10 && status < 0; ++attempt) {
        ASSERT_EQ(session_.run({"xdotool", "key", "alt+F4"}, 20s).status, 0);
        const auto end = std::chrono::steady_clock::now() + 3s;
        while (status < 0 && std::chrono::steady_clock::now() < end) {
            status = session_.exitStatus(sandbox_);
            std::this_thread::sleep_for(20ms);
        }
    }
    if (status < 0) {
        status = session_.wait(sandbox_, 1s);
    }
    EXPECT_EQ(status, 0) << readFile(dir_ / "sandbox.out");
    EXPECT_EQ(linesStartingWith(readLines(log_), "quit"), std::vector<std::string>{"quit"});
}

} // namespace
} // namespace scalora::test
