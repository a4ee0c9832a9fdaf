// UISpinBox: the range, stepping by wheel, buttons (with the held-button repeat) and keys, and
// typed text.
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_spin_box.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UISpinBoxTest : public WidgetTest {
protected:
    UISpinBox* spin(RecordingWindow* w, std::int32_t minimum, std::int32_t maximum) {
        auto* s = place(new UISpinBox(w, minimum, maximum), {10, 10, 80, 24});
        s->valueChanged().connect([this](std::int32_t v) { changes.push_back(v); });
        return s;
    }
    std::vector<std::int32_t> changes;
};

TEST_F(UISpinBoxTest, TheValueStaysInTheRange) {
    RecordingWindow* w = makeWindow();
    UISpinBox* s = spin(w, 0, 10);
    s->setValue(15);
    EXPECT_EQ(s->value(), 10);
    EXPECT_EQ(s->edit().text(), "10");
    s->setValue(-3);
    EXPECT_EQ(s->value(), 0);
    s->setRange(5, 2);
    EXPECT_EQ(s->maximum(), 5);
    EXPECT_EQ(s->value(), 5);
    s->setRange(-100, 100);
    s->setSingleStep(1000000000);
    s->stepBy(3);
    EXPECT_EQ(s->value(), 100);
    // Code changes are not the user's: only stepBy reported.
    EXPECT_EQ(changes, std::vector<std::int32_t>{100});
}

TEST_F(UISpinBoxTest, TheWheelStepsByNotchesOverTheFieldAndTheButtons) {
    RecordingWindow* w = makeWindow();
    UISpinBox* s = spin(w, 0, 10);
    sys().wheel(*w, {20, 20}, 120);
    EXPECT_EQ(s->value(), 1);
    // Half notches add up.
    sys().wheel(*w, {20, 20}, 60);
    EXPECT_EQ(s->value(), 1);
    sys().wheel(*w, {20, 20}, 60);
    EXPECT_EQ(s->value(), 2);
    sys().wheel(*w, {84, 14}, -360);
    EXPECT_EQ(s->value(), 0);
    EXPECT_EQ(changes, (std::vector<std::int32_t>{1, 2, 0}));
}

TEST_F(UISpinBoxTest, AReadOnlyBoxNeitherStepsNorTakesText) {
    RecordingWindow* w = makeWindow();
    UISpinBox* s = spin(w, 0, 10);
    s->setValue(4);
    s->setReadOnly(true);
    EXPECT_TRUE(s->edit().isReadOnly());
    sys().wheel(*w, {20, 20}, 120);
    s->stepBy(2);
    EXPECT_EQ(s->value(), 4);
    EXPECT_EQ(s->buttonState(UISpinBox::Part::Up), SkinState::Disabled);
    s->setReadOnly(false);
    s->stepBy(1);
    EXPECT_EQ(changes, std::vector<std::int32_t>{5});
}

TEST_F(UISpinBoxTest, AHeldButtonRepeatsAfterTheDelay) {
    RecordingWindow* w = makeWindow();
    UISpinBox* s = spin(w, 0, 100);
    const Rect up = s->buttonRect(UISpinBox::Part::Up).translated(10, 10);
    const Point onUp{up.x + up.width / 2, up.y + up.height / 2};
    sys().mousePress(*w, onUp);
    EXPECT_EQ(s->value(), 1);
    EXPECT_EQ(s->buttonState(UISpinBox::Part::Up), SkinState::Pressed);
    EXPECT_TRUE(s->edit().hasFocus());
    sys().advance(399);
    EXPECT_EQ(s->value(), 1);
    sys().advance(1);
    EXPECT_EQ(s->value(), 2);
    sys().advance(60 * 3);
    EXPECT_EQ(s->value(), 5);
    sys().mouseRelease(*w, onUp);
    sys().advance(1000);
    EXPECT_EQ(s->value(), 5);
    // The down button at the minimum shows it cannot step.
    s->setValue(0);
    EXPECT_EQ(s->buttonState(UISpinBox::Part::Down), SkinState::Disabled);
}

TEST_F(UISpinBoxTest, TypedTextIsTakenClampedOrRefusedAndKeysStep) {
    RecordingWindow* w = makeWindow();
    UISpinBox* s = spin(w, 0, 50);
    place(new UISpinBox(w), {10, 50, 80, 24});
    s->edit().setFocus();
    sys().keyPress(*w, vk::kBack);
    sys().typeText(*w, "4x2");
    EXPECT_EQ(s->edit().text(), "42");
    sys().keyPress(*w, vk::kReturn);
    EXPECT_EQ(s->value(), 42);
    sys().typeText(*w, "0");
    sys().keyPress(*w, vk::kReturn);
    EXPECT_EQ(s->value(), 50);
    EXPECT_EQ(s->edit().text(), "50");
    sys().keyPress(*w, vk::kNext);
    EXPECT_EQ(s->value(), 40);
    sys().keyPress(*w, vk::kUp);
    EXPECT_EQ(s->value(), 41);
    // Emptied and left: the old value comes back.
    sys().keyPress(*w, vk::kBack);
    sys().keyPress(*w, vk::kBack);
    sys().keyPress(*w, vk::kTab);
    EXPECT_EQ(s->edit().text(), "41");
    EXPECT_EQ(changes, (std::vector<std::int32_t>{42, 50, 40, 41}));
}

} // namespace
} // namespace scalora::test
