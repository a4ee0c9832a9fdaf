// The lists gallery of the ui-sandbox on the SDL2 backend under Xvfb with openbox: a real click
// on a table row and the arrow keys move the current row, and the mode list's popup window
// opens below the field and takes the item clicked in it.
#include "e2e_fixture.h"

#include <gtest/gtest.h>
#include <thread>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

// The table's top-left, its header and row heights and the popup's inset, as the gallery
// and the default style place them.
constexpr int kTableX = 12;
constexpr int kFirstRowY = 12 + 1 + 24;
constexpr int kRowHeight = 20;
constexpr int kPopupInset = 2;

class GalleryListsTest : public SandboxTest {
protected:
    GalleryListsTest() : SandboxTest({"xdotool", "import"}, {"--gallery", "lists"}) {}

    void SetUp() override {
        SandboxTest::SetUp();
        if (stopped()) {
            return;
        }
        ASSERT_TRUE(waitForLine(log_, "gallery ready", 30s));
        boxes_ = elementBoxes(readLines(log_));
        ASSERT_EQ(boxes_.count("gallery-mode"), 1u);
    }

    // Runs an xdotool chain on the gallery window until it succeeds (the window may still be
    // mapping); its last exit status.
    int onGallery(const std::vector<std::string>& chain) {
        std::vector<std::string> argv{"xdotool", "search", "--sync", "--name", "Gallery: lists"};
        argv.insert(argv.end(), chain.begin(), chain.end());
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
    int clickAt(int x, int y) {
        return onGallery(
            {"mousemove", "--window", "%1", std::to_string(x), std::to_string(y), "click", "1"});
    }
};

TEST_F(GalleryListsTest, ClicksAndKeysReachTheTableAndTheComboBoxPopup) {
    ASSERT_EQ(onGallery({"windowactivate", "--sync", "%1"}), 0);
    ASSERT_EQ(clickAt(kTableX + 150, kFirstRowY + 6 * kRowHeight + kRowHeight / 2), 0);
    ASSERT_TRUE(waitForLine(log_, "gallery table 6", 20s));
    ASSERT_EQ(session_.run({"xdotool", "key", "--delay", "50", "Down", "End"}, 20s).status, 0);
    ASSERT_TRUE(waitForLine(log_, "gallery table 99999", 20s));
    EXPECT_EQ(
        linesStartingWith(readLines(log_), "gallery table "),
        (std::vector<std::string>{"gallery table 6", "gallery table 7", "gallery table 99999"}));

    const Box mode = boxes_["gallery-mode"];
    ASSERT_EQ(clickAt(mode.x + mode.width / 2, mode.y + mode.height / 2), 0);
    std::this_thread::sleep_for(300ms); // the popup maps
    EXPECT_TRUE(keepScreenshot("gallery_lists_popup.png"));
    const int fifthItem = mode.y + mode.height + kPopupInset + 4 * kRowHeight + kRowHeight / 2;
    ASSERT_EQ(clickAt(mode.x + 30, fifthItem), 0);
    ASSERT_TRUE(waitForLine(log_, "gallery mode 4", 20s));
    EXPECT_TRUE(keepScreenshot("gallery_lists_chosen.png"));
}

} // namespace
} // namespace scalora::test
