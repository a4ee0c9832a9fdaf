// Tool tips on the headless backend, whose clock only moves when the test says: the rest
// delay, what hides a tip, the quick follow-up, placement, and the balloon variant.
#include "../core/ui_test_fixture.h"
#include "ui/widgets/ui_balloon_tip.h"
#include "ui/widgets/ui_tool_tip.h"
#include "ui/widgets/ui_tool_tip_tracker.h"

#include <gtest/gtest.h>
#include <memory>

namespace scalora::test {
namespace {

using Tracker = UIToolTipTracker;

class UIToolTipTest : public UITest {
protected:
    void SetUp() override {
        tracker = std::make_unique<Tracker>();
        window = makeWindow({300, 200});
        width = makeChild(window, "width", {10, 10, 80, 30});
        width->setToolTip("Width");
        height = makeChild(window, "height", {100, 10, 80, 30});
        height->setToolTip("Height");
        makeChild(window, "plain", {190, 10, 80, 30});
    }
    void TearDown() override { tracker.reset(); }

    std::string shownText() const {
        const UIToolTip* tip = tracker->visibleTip();
        return tip != nullptr ? tip->text() : std::string();
    }

    std::unique_ptr<Tracker> tracker;
    RecordingWindow* window = nullptr;
    RecordingElement* width = nullptr;
    RecordingElement* height = nullptr;
};

TEST_F(UIToolTipTest, ShowsAfterTheCursorRestsAndHidesOnPress) {
    sys().mouseMove(*window, {20, 20});
    sys().advance(Tracker::kShowDelay - 1);
    // A move starts the rest over.
    sys().mouseMove(*window, {22, 21});
    sys().advance(Tracker::kShowDelay - 1);
    EXPECT_EQ(shownText(), "");
    sys().advance(1);
    ASSERT_EQ(shownText(), "Width");
    // Below the cursor (screen 122, 71) by the fall-back desktopVerticalOffset of 20.
    EXPECT_EQ(tracker->visibleTip()->position(), (Point{122, 91}));
    EXPECT_FALSE(HeadlessWindowSystem::native(*tracker->visibleTip())->isActive());

    sys().mousePress(*window, {22, 21});
    sys().mouseRelease(*window, {22, 21});
    EXPECT_EQ(shownText(), "");
    // It stays away while the pointer stays on the element it was pressed on.
    sys().mouseMove(*window, {24, 21});
    sys().advance(Tracker::kShowDelay * 2);
    EXPECT_EQ(shownText(), "");
    // A key does the same on another element.
    sys().mouseMove(*window, {120, 20});
    sys().advance(Tracker::kShowDelay);
    ASSERT_EQ(shownText(), "Height");
    sys().keyPress(*window, vk::kSpace);
    EXPECT_EQ(shownText(), "");
}

TEST_F(UIToolTipTest, HidesOnLeaveShowsTheNextQuicklyAndTimesOut) {
    sys().mouseMove(*window, {20, 20});
    sys().advance(Tracker::kShowDelay);
    ASSERT_EQ(shownText(), "Width");
    // Onto the next element: the tip goes at once and the next follows after the quick delay.
    sys().mouseMove(*window, {120, 20});
    EXPECT_EQ(shownText(), "");
    sys().advance(Tracker::kQuickShowDelay);
    EXPECT_EQ(shownText(), "Height");
    // Onto an element without a tip, and back after the follow-up stage: the full delay again.
    sys().mouseMove(*window, {200, 20});
    EXPECT_EQ(shownText(), "");
    sys().advance(Tracker::kFollowUpTime);
    sys().mouseMove(*window, {20, 20});
    sys().advance(Tracker::kQuickShowDelay);
    EXPECT_EQ(shownText(), "");
    sys().advance(Tracker::kShowDelay - Tracker::kQuickShowDelay);
    ASSERT_EQ(shownText(), "Width");
    // Its time runs out; a changed tool tip text counts as a new tip.
    sys().advance(Tracker::kDisplayTime);
    EXPECT_EQ(shownText(), "");
    width->setToolTip("Width in pixels");
    sys().mouseMove(*window, {21, 20});
    sys().advance(Tracker::kShowDelay);
    EXPECT_EQ(shownText(), "Width in pixels");
    // Leaving the window hides it.
    sys().pointerLeaves(*window);
    EXPECT_EQ(shownText(), "");
}

TEST_F(UIToolTipTest, StaysInsideTheWorkAreaAndDrawsRoundedCorners) {
    window->setPosition(1100, 700);
    width->setToolTip("A tool tip with a long enough text to reach past the edge");
    sys().mouseMove(*window, {60, 30});
    sys().advance(Tracker::kShowDelay);
    UIToolTip* tip = tracker->visibleTip();
    ASSERT_NE(tip, nullptr);
    // No room below the cursor at (1160, 730) within the 770 pixel work area: above it, and
    // moved left so that the fall-back desktop padding of 4 remains.
    EXPECT_EQ(tip->y() + tip->height(), 730);
    EXPECT_EQ(tip->x() + tip->width(), 1280 - 4);

    // The frame's corners are rounded (diameter 6): the corner pixel is not the border's.
    toolkit().processEvents();
    const PixelImage& shown = HeadlessWindowSystem::native(*tip)->screen();
    const std::uint32_t border = shown.pixel(tip->width() / 2, 0);
    EXPECT_EQ(border, 0xFF767676u);
    EXPECT_NE(shown.pixel(0, 0), border);
    EXPECT_EQ(shown.pixel(0, tip->height() / 2), border);
}

// The balloon is a tool tip with a title and icon: the same fixture serves it.
using UIBalloonTipTest = UIToolTipTest;

TEST_F(UIBalloonTipTest, ShowsTitleAndIconUntilClickedOrTimedOut) {
    auto* balloon = new UIBalloonTip;
    balloon->showBalloon("Width is invalid.", "Minimum: 1.", 3, {400, 300}, 2000);
    ASSERT_TRUE(balloon->isVisible());
    EXPECT_EQ(balloon->position(), (Point{400, 300}));
    const Size withTitle = balloon->size();
    // Pointer activity elsewhere leaves a balloon alone.
    sys().mouseMove(*window, {20, 20});
    sys().mousePress(*window, {20, 20});
    sys().mouseRelease(*window, {20, 20});
    EXPECT_TRUE(balloon->isVisible());
    sys().advance(2000);
    EXPECT_FALSE(balloon->isVisible());

    balloon->showBalloon("", "Minimum: 1.", 0, {400, 300}, 0);
    EXPECT_LT(balloon->height(), withTitle.height);
    EXPECT_LT(balloon->width(), withTitle.width);
    sys().advance(UIBalloonTip::kDefaultTimeout * 2);
    EXPECT_TRUE(balloon->isVisible()) << "no timeout";
    sys().click(*balloon, {5, 5});
    EXPECT_FALSE(balloon->isVisible());
}

} // namespace
} // namespace scalora::test
