// The scroll bar: the thumb follows the cursor from where it was grabbed and stops at the
// range's ends; arrows and the track step and repeat while held.
#include "ui/widgets/ui_scroll_bar.h"
#include "widget_test_support.h"

namespace scalora::test {
namespace {

class UIScrollBarTest : public UITest {
protected:
    UIScrollBarTest() {
        w = makeWindow({100, 300});
        bar = placeWidget<UIScrollBar>(w, Rect{0, 0, 17, 300}, UIScrollBar::Orientation::Vertical);
        bar->setRange(0, 1000);
        bar->setPageSize(100);
        bar->setSingleStep(10);
        toolkit().processEvents();
    }
    RecordingWindow* w;
    UIScrollBar* bar;
};

TEST_F(UIScrollBarTest, ThumbDraggedToTheEndGivesTheMaximumAndBeyondStaysThere) {
    std::vector<std::int32_t> values;
    bar->valueChanged.connect([&](std::int32_t v) { values.push_back(v); });
    const Rect thumb = bar->thumbRect();
    ASSERT_FALSE(thumb.isEmpty());
    // Grab near the thumb's top: moving 40 pixels moves the thumb 40 pixels, not to the cursor.
    const Point grab{8, thumb.y + 3};
    sys().mousePress(*w, grab);
    EXPECT_TRUE(bar->isDragging());
    sys().mouseMove(*w, {8, grab.y + 40});
    EXPECT_NEAR(bar->thumbRect().y, thumb.y + 40, 1);
    const std::int32_t trackEnd = 300 - 17;
    sys().mouseMove(*w, {8, trackEnd - (thumb.height - 3)});
    EXPECT_EQ(bar->value(), 1000);
    sys().mouseMove(*w, {8, 600});
    EXPECT_EQ(bar->value(), 1000);
    sys().mouseMove(*w, {8, -300});
    EXPECT_EQ(bar->value(), 0);
    sys().mouseRelease(*w, {8, -300});
    EXPECT_FALSE(bar->isDragging());
    EXPECT_EQ(values.back(), 0);
}

TEST_F(UIScrollBarTest, ArrowsAndTrackStepAndRepeatWhileHeld) {
    const Point downArrow{8, 295};
    sys().mousePress(*w, downArrow);
    EXPECT_EQ(bar->value(), 10);
    sys().advance(250); // before the repeat delay
    EXPECT_EQ(bar->value(), 10);
    sys().advance(200); // the delay, then 50 ms steps
    EXPECT_GT(bar->value(), 20);
    sys().mouseRelease(*w, downArrow);
    const std::int32_t released = bar->value();
    sys().advance(500);
    EXPECT_EQ(bar->value(), released);

    // A held press on the track pages toward the cursor and stops under it.
    bar->setValue(0);
    const Point track{8, 250};
    sys().mousePress(*w, track);
    EXPECT_EQ(bar->value(), 100);
    sys().advance(3000);
    const Rect thumb = bar->thumbRect();
    EXPECT_TRUE(thumb.contains(track) || thumb.bottom() > track.y) << thumb.y;
    EXPECT_LT(bar->value(), 1000);
    sys().mouseRelease(*w, track);

    // The wheel steps three lines a notch.
    bar->setValue(500);
    sys().wheel(*w, {8, 150}, -120);
    EXPECT_EQ(bar->value(), 530);
}

} // namespace
} // namespace scalora::test
