// UICheckBox: toggling by mouse and keys, and the indicator frame of each state.
#include "ui/widgets/ui_check_box.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UICheckBoxTest : public WidgetTest {};

TEST_F(UICheckBoxTest, ClicksSpaceAndEnterToggleAndEmit) {
    RecordingWindow* w = makeWindow();
    auto* box = place(new UICheckBox(w, "Keep file dates"), {10, 10, 150, 20});
    int clicks = 0;
    box->clicked().connect([&] { ++clicks; });
    EXPECT_FALSE(box->isChecked());
    sys().click(*w, {15, 20});
    EXPECT_TRUE(box->isChecked());
    box->setFocus();
    sys().keyPress(*w, vk::kSpace);
    EXPECT_FALSE(box->isChecked());
    sys().keyPress(*w, vk::kReturn);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(clicks, 3);
    // Without an eight-frame skin, checked shows as frame 4 whatever the mouse does.
    EXPECT_EQ(box->indicatorState(), SkinState::Checked);
    box->setChecked(false);
    sys().mouseMove(*w, {15, 20});
    EXPECT_EQ(box->indicatorState(), SkinState::Hovered);
    EXPECT_EQ(clicks, 3);
}

} // namespace
} // namespace scalora::test
