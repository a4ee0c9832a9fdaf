// UIToolButton: the drop-down arrow's room and the menu re-arm on its own timer.
#include "ui/core/ui_timers.h"
#include "ui/widgets/ui_drop_down_menu.h"
#include "ui/widgets/ui_tool_button.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class CountingMenu : public UIDropDownMenu {
public:
    void dropDownAt(Point) override { ++openings; }
    int openings = 0;
};

class UIToolButtonTest : public WidgetTest {};

TEST_F(UIToolButtonTest, AMenuAddsTheArrowAndReArmsWithTimer100003) {
    RecordingWindow* w = makeWindow();
    auto* b = place(new UIToolButton(w, "Add"), {10, 10, 60, 30});
    const Size plain = b->sizeHint();
    CountingMenu menu;
    b->setMenu(&menu);
    // The fall-back arrow is 7 pixels wide, after the 4-pixel spacing.
    EXPECT_EQ(b->sizeHint().width, plain.width + 7 + 4);
    sys().click(*w, {20, 20});
    EXPECT_EQ(menu.openings, 1);
    menu.closed().emit();
    EXPECT_TRUE(b->isTimerActive(kToolButtonTimerId));
    EXPECT_FALSE(b->isTimerActive(kButtonRearmTimerId));
    sys().click(*w, {20, 20});
    EXPECT_EQ(menu.openings, 1);
    sys().advance(10);
    sys().click(*w, {20, 20});
    EXPECT_EQ(menu.openings, 2);
    // Reached with Tab, but a click leaves the focus where it was.
    EXPECT_FALSE(b->hasFocus());
    sys().keyPress(*w, vk::kTab);
    EXPECT_TRUE(b->hasFocus());
    b->setMenu(nullptr);
}

} // namespace
} // namespace scalora::test
