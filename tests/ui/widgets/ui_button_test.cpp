// UIButton: the state rules as the mouse moves, clicks and keys, checkable toggling, the size
// hint of both icon placements and the menu button's reopen rule.
#include "imaging/pixel_image.h"
#include "ui/core/ui_timers.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_drop_down_menu.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

// Records where it was dropped down; the test closes it as a press outside it would.
class StandInMenu : public UIDropDownMenu {
public:
    void dropDownAt(Point screen) override {
        ++openings;
        at = screen;
    }
    void close() { closed().emit(); }
    int openings = 0;
    Point at;
};

std::shared_ptr<const PixelImage> icon(std::int32_t w, std::int32_t h) {
    auto image = std::make_shared<PixelImage>();
    EXPECT_TRUE(image->allocate(w, h, AlphaKind::Premultiplied));
    image->fill(0xFF336699);
    return image;
}

class UIButtonTest : public WidgetTest {
protected:
    UIButton* button(RecordingWindow* w, std::string text = "OK") {
        auto* b = place(new UIButton(w, std::move(text)), {10, 10, 80, 24});
        b->clicked().connect([this] { ++clicks; });
        return b;
    }
    int clicks = 0;
};

TEST_F(UIButtonTest, APressDraggedOutAndReleasedOutsideGivesNoClickAndShowsHovered) {
    RecordingWindow* w = makeWindow({200, 100});
    UIButton* b = button(w);
    EXPECT_EQ(b->backgroundState(), SkinState::Normal);
    sys().mouseMove(*w, {20, 20});
    EXPECT_EQ(b->backgroundState(), SkinState::Hovered);
    EXPECT_EQ(b->iconState(), UIButtonIcon::Hovered);
    sys().mousePress(*w, {20, 20});
    EXPECT_EQ(b->backgroundState(), SkinState::Pressed);
    EXPECT_EQ(b->iconState(), UIButtonIcon::Pressed);
    // Dragged out: the hover tick notices within 20 ms; still pressed, shown as state 1.
    sys().mouseMove(*w, {150, 80});
    sys().advance(40);
    EXPECT_EQ(b->backgroundState(), SkinState::Hovered);
    sys().mouseRelease(*w, {150, 80});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b->backgroundState(), SkinState::Normal);
    // The same press released inside clicks.
    sys().click(*w, {20, 20});
    EXPECT_EQ(clicks, 1);
    // Only the left button activates.
    sys().click(*w, {20, 20}, kRightButton);
    EXPECT_EQ(clicks, 1);
    b->disable();
    EXPECT_EQ(b->backgroundState(), SkinState::Disabled);
    EXPECT_EQ(b->iconState(), UIButtonIcon::Disabled);
    sys().click(*w, {20, 20});
    EXPECT_EQ(clicks, 1);
}

TEST_F(UIButtonTest, EnterAndSpaceEmitClickedOtherKeysDoNothing) {
    RecordingWindow* w = makeWindow();
    UIButton* b = button(w);
    b->setFocus();
    sys().keyPress(*w, vk::kReturn);
    sys().keyPress(*w, vk::kSpace);
    EXPECT_EQ(clicks, 2);
    for (const std::int32_t key : {vk::kEscape, vk::kDown, std::int32_t{'A'}, vk::kF1}) {
        sys().keyPress(*w, key);
    }
    EXPECT_EQ(clicks, 2);
    // Tab reaches buttons.
    UIButton* other = button(w, "Other");
    sys().keyPress(*w, vk::kTab);
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(UIButtonTest, ACheckableButtonTogglesOnEveryClickAndEmitsEachTime) {
    RecordingWindow* w = makeWindow();
    UIButton* b = button(w);
    b->setCheckable(true);
    std::vector<bool> seen;
    b->clicked().connect([&] { seen.push_back(b->isChecked()); });
    sys().click(*w, {20, 20});
    EXPECT_EQ(b->backgroundState(), SkinState::Checked);
    EXPECT_EQ(b->iconState(), UIButtonIcon::Pressed);
    sys().click(*w, {20, 20});
    b->setFocus();
    sys().keyPress(*w, vk::kSpace);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(clicks, 3);
    // Not checkable: checked from code does not show.
    b->setCheckable(false);
    EXPECT_NE(b->backgroundState(), SkinState::Checked);
}

TEST_F(UIButtonTest, SizeHintAddsIconSpacingAndPaddingAndKeepsTheMinimum) {
    RecordingWindow* w = makeWindow({400, 200});
    UIButton* b = button(w, "A caption wide enough to pass the minimum");
    const Size text = b->textStyle().font.textExtent(b->text());
    // No style: padding 10, 3, 10, 3, spacing 4, minimum 75 x 23.
    EXPECT_EQ(b->sizeHint(), (Size{text.width + 20, std::max(text.height + 6, 23)}));
    b->setIcons({icon(16, 16), icon(20, 12), nullptr, nullptr});
    EXPECT_EQ(b->sizeHint(),
              (Size{text.width + 4 + 20 + 20, std::max(std::max(text.height, 16) + 6, 23)}));
    b->setIconPlacement(UIIconPlacement::Top);
    EXPECT_EQ(b->sizeHint(), (Size{text.width + 20, text.height + 4 + 16 + 6}));
    // A short caption is raised to the minimum size.
    b->setText("OK");
    b->setIcons({});
    EXPECT_EQ(b->sizeHint(), (Size{75, 23}));
}

TEST_F(UIButtonTest, AClickOnTheOpenMenusButtonClosesItWithoutReopening) {
    RecordingWindow* w = makeWindow();
    UIButton* b = button(w, "Menu");
    StandInMenu menu;
    b->setMenu(&menu);
    sys().click(*w, {20, 20});
    EXPECT_EQ(menu.openings, 1);
    // Below the bottom-left corner, on the screen: window (100, 50) + button (10, 10 + 24).
    EXPECT_EQ(menu.at, (Point{110, 84}));
    EXPECT_TRUE(b->isChecked());
    EXPECT_EQ(b->backgroundState(), SkinState::Checked);
    // The press on the button closes the menu first; that press must not reopen it.
    menu.close();
    EXPECT_FALSE(b->isChecked());
    EXPECT_FALSE(b->isArmed());
    EXPECT_TRUE(b->isTimerActive(kButtonRearmTimerId));
    sys().click(*w, {20, 20});
    EXPECT_EQ(menu.openings, 1);
    sys().advance(10);
    EXPECT_TRUE(b->isArmed());
    EXPECT_FALSE(b->isTimerActive(kButtonRearmTimerId));
    sys().click(*w, {20, 20});
    EXPECT_EQ(menu.openings, 2);
    // The keyboard opens it too.
    menu.close();
    sys().advance(10);
    b->setFocus();
    sys().keyPress(*w, vk::kDown);
    EXPECT_EQ(menu.openings, 3);
    b->setMenu(nullptr);
}

} // namespace
} // namespace scalora::test
