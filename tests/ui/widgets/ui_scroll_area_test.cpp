// The scroll area: bars only when the content does not fit, content moved under the
// viewport by the bars and the wheel, and scrolling that makes a rectangle visible.
#include "ui/widgets/ui_scroll_area.h"
#include "ui/widgets/ui_scroll_bar.h"
#include "widget_test_support.h"

namespace scalora::test {
namespace {

class Sheet : public UIElement {
public:
    Sheet(UIElement* parent, Size size) : UIElement(parent), size_(size) { setStyleClass("Sheet"); }
    Size sizeHint() const override { return size_; }

private:
    Size size_;
};

using UIScrollAreaTest = UITest;

TEST_F(UIScrollAreaTest, ShowsBarsOnlyWhenNeededAndScrollsByWheelAndToARect) {
    RecordingWindow* w = makeWindow({300, 300});
    auto* area = placeWidget<UIScrollArea>(w, Rect{0, 0, 200, 200});
    auto* sheet = new Sheet(nullptr, {400, 600});
    area->setContent(sheet);
    toolkit().processEvents();
    const std::int32_t t = area->verticalScrollBar()->thickness();
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(area->corner()->isVisible());
    EXPECT_EQ(area->viewportSize(), (Size{200 - t, 200 - t}));
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 600 - (200 - t));

    // The wheel over the content scrolls three steps a notch; Shift turns it sideways.
    sys().wheel(*w, {50, 50}, -120);
    EXPECT_EQ(area->scrollPosition(), (Point{0, 60}));
    EXPECT_EQ(sheet->position(), (Point{0, -60}));
    sys().keyPress(*w, vk::kShift);
    sys().wheel(*w, {50, 50}, -240);
    sys().keyRelease(*w, vk::kShift, kShiftModifier);
    EXPECT_EQ(area->scrollPosition(), (Point{120, 60}));

    // Scrolled as little as possible: below the view, the rectangle ends at its bottom.
    area->ensureVisible({70, 400, 50, 20});
    EXPECT_EQ(area->scrollPosition(), (Point{70, 420 - (200 - t)}));
    area->ensureVisible({0, 10, 10, 10});
    EXPECT_EQ(area->scrollPosition(), (Point{0, 10}));

    // Content that fits needs no bars.
    area->setContent(new Sheet(nullptr, {100, 100}));
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_EQ(area->viewportSize(), (Size{200, 200}));
    EXPECT_EQ(area->scrollPosition(), (Point{0, 0}));
}

} // namespace
} // namespace scalora::test
