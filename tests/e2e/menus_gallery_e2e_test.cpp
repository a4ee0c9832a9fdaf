// The menus page of the ui-sandbox under Xvfb with openbox, driven by xdotool: a context menu
// opens at the pointer without taking the focus, is walked with the keyboard into a submenu
// and reports the choice; near the right edge of the screen it opens moved left; a tool bar's
// drop-down button opens its menu and closes it again; a message box runs modally and reports
// its result; a tool tip and a balloon tip show. Screenshots of each are kept for looking at.
#include "e2e_fixture.h"

#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

class MenusGalleryTest : public SandboxTest {
protected:
    MenusGalleryTest()
        : SandboxTest({"xdotool", "import", "xprop"}, {"--gallery", "menus"}, "menus ready") {}

    void SetUp() override {
        SandboxTest::SetUp();
        if (stopped()) {
            return;
        }
        ASSERT_EQ(boxes_.count("menus.context"), 1u);
        // The window id once it is mapped and managed; later commands use it directly.
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (window_.empty() && std::chrono::steady_clock::now() < end) {
            const CommandResult r =
                session_.run({"xdotool", "search", "--sync", "--name", "Menus Gallery"}, 20s);
            std::istringstream(r.output) >> window_;
            std::this_thread::sleep_for(50ms);
        }
        ASSERT_FALSE(window_.empty());
        ASSERT_EQ(xdotool({"windowactivate", "--sync", window_}), 0);
    }

    // Moves the pointer to a point of the gallery window (client coordinates), then clicks.
    int clickAt(int x, int y, int button) {
        return xdotool({"mousemove", "--window", window_, std::to_string(x), std::to_string(y),
                        "click", std::to_string(button)});
    }
    std::string activeWindow() { return session_.run({"xdotool", "getactivewindow"}, 20s).output; }
    // The last "menus menu open X Y W H" line as a box.
    Box openedMenu() {
        Box b;
        const std::vector<std::string> lines =
            linesStartingWith(readLines(log_), "menus menu open");
        if (!lines.empty()) {
            std::istringstream in(lines.back().substr(std::string("menus menu open").size()));
            in >> b.x >> b.y >> b.width >> b.height;
        }
        return b;
    }

    std::string window_;
};

TEST_F(MenusGalleryTest, ContextMenuTakesTheKeysIntoASubmenuAndReportsTheChoice) {
    const Box context = boxes_["menus.context"];
    const std::string activeBefore = activeWindow();
    ASSERT_EQ(clickAt(context.x + 40, context.y + 20, 3), 0);
    ASSERT_TRUE(waitForLine(log_, "menus menu open", 20s));
    EXPECT_EQ(activeWindow(), activeBefore) << "the menu took the focus";

    // Items: Add images, Add folder, -, Show preview, File names, Full paths, -, Sort by >,
    // Remove selected (disabled), Exclude all images. End, Up (over the disabled item), Right
    // into the submenu, Down to its second item.
    ASSERT_EQ(xdotool({"key", "--delay", "80", "End", "Up", "Right", "Down"}), 0);
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(keepScreenshot("menus_context_menu.png"));
    EXPECT_TRUE(linesStartingWith(readLines(log_), "menus command").empty());
    ASSERT_EQ(xdotool({"key", "Return"}), 0);
    ASSERT_TRUE(waitForLine(log_, "menus menu closed", 20s));
    EXPECT_EQ(linesStartingWith(readLines(log_), "menus command"),
              std::vector<std::string>{"menus command Size"});
}

TEST_F(MenusGalleryTest, AMenuNearTheRightEdgeOpensMovedLeftAndClosesOnAnOutsideClick) {
    const Box context = boxes_["menus.context"];
    const int x = context.x + context.width - 5;
    ASSERT_EQ(clickAt(x, context.y + 20, 3), 0);
    ASSERT_TRUE(waitForLine(log_, "menus menu open", 20s));
    const Box menu = openedMenu();
    // The gallery window ends at 1140 on a 1280 pixel screen; the menu is wider than the rest
    // and keeps the default style's desktop padding of 4 to the edge.
    EXPECT_EQ(menu.x + menu.width, 1280 - 4);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(keepScreenshot("menus_right_edge.png"));
    ASSERT_EQ(clickAt(10, boxes_["menus.balloon"].y + 5, 1), 0);
    ASSERT_TRUE(waitForLine(log_, "menus menu closed", 20s));
    EXPECT_TRUE(linesStartingWith(readLines(log_), "menus command").empty());
}

TEST_F(MenusGalleryTest, ToolTipAndBalloonTipShow) {
    const Box height = boxes_["menus.height"];
    ASSERT_EQ(xdotool({"mousemove", "--window", window_, std::to_string(height.x + 30),
                       std::to_string(height.y + 20)}),
              0);
    std::this_thread::sleep_for(1500ms);
    EXPECT_TRUE(keepScreenshot("menus_tool_tip.png"));
    const Box balloon = boxes_["menus.balloon"];
    ASSERT_EQ(clickAt(balloon.x + 30, balloon.y + 20, 1), 0);
    ASSERT_TRUE(waitForLine(log_, "menus balloon shown", 20s));
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(keepScreenshot("menus_balloon_tip.png"));
}

TEST_F(MenusGalleryTest, AToolBarDropDownOpensBelowItsButtonAndClosesOnASecondPress) {
    ASSERT_EQ(boxes_.count("menus.tool.Sort"), 1u);
    const Box sort = boxes_["menus.tool.Sort"];
    ASSERT_EQ(clickAt(sort.x + sort.width / 2, sort.y + sort.height / 2, 1), 0);
    ASSERT_TRUE(waitForLine(log_, "menus menu open", 20s));
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(keepScreenshot("menus_tool_bar.png"));
    ASSERT_EQ(clickAt(sort.x + sort.width / 2, sort.y + sort.height / 2, 1), 0);
    ASSERT_TRUE(waitForLine(log_, "menus menu closed", 20s));
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(linesStartingWith(readLines(log_), "menus menu open").size(), 1u)
        << "the press that closed the menu opened it again";
}

TEST_F(MenusGalleryTest, AMessageBoxRunsModallyAndReportsTheButtonAndTheCheckBox) {
    const Box message = boxes_["menus.message"];
    ASSERT_EQ(clickAt(message.x + 30, message.y + 20, 1), 0);
    ASSERT_TRUE(waitForLine(log_, "menus message open", 20s));
    const CommandResult box =
        session_.run({"xdotool", "search", "--sync", "--name", "^Resize$"}, 20s);
    ASSERT_EQ(box.status, 0);
    const std::string boxWindow = box.output.substr(0, box.output.find('\n'));
    ASSERT_EQ(xdotool({"windowactivate", "--sync", boxWindow}), 0);
    // A message box's frame offers move and close only: no minimize, maximize or resize.
    const CommandResult hints = session_.run({"xprop", "-id", boxWindow, "_MOTIF_WM_HINTS"}, 20s);
    EXPECT_NE(hints.output.find("= 0x3, 0x24, 0x1a"), std::string::npos) << hints.output;
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(keepScreenshot("menus_message_box.png"));
    // Yes has the focus; Tab past No and Cancel to the check box, Space ticks it, and Enter
    // there takes the default button.
    ASSERT_EQ(xdotool({"key", "--delay", "80", "Tab", "Tab", "Tab", "space", "Return"}), 0);
    ASSERT_TRUE(waitForLine(log_, "menus message result", 20s));
    EXPECT_EQ(linesStartingWith(readLines(log_), "menus message result"),
              std::vector<std::string>{"menus message result 1024 checked"});
}

} // namespace
} // namespace scalora::test
