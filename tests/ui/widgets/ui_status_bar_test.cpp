// UIStatusBar: its minimum height, its row of elements, and the grip in the corner.
#include "ui/widgets/ui_size_grip.h"
#include "ui/widgets/ui_status_bar.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UIStatusBarTest : public WidgetTest {};

TEST_F(UIStatusBarTest, ElementsFromTheLeftAndTheGripInTheCorner) {
    RecordingWindow* w = makeWindow({300, 200});
    auto* bar = new UIStatusBar(w);
    RecordingElement* text = makeChild(bar, "text", {0, 0, 10, 10});
    bar->addElement(text);
    bar->setSizeGripVisible(true);
    EXPECT_EQ(bar->sizeHint().height, 22);
    place(bar, {0, 178, 300, 22});
    ASSERT_NE(bar->sizeGrip(), nullptr);
    const Rect grip = bar->sizeGrip()->geometry();
    EXPECT_EQ(grip.right(), 300);
    EXPECT_EQ(grip.bottom(), 22);
    EXPECT_EQ(text->x(), 6);
    bar->setSizeGripVisible(false);
    EXPECT_EQ(bar->sizeGrip(), nullptr);
}

} // namespace
} // namespace scalora::test
