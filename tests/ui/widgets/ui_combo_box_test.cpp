// The combo box: the wheel and the keys change the current item within the list's ends;
// the popup opens on a press or Alt+Down, takes an item by click or Enter, and closes unchanged
// on Escape or a press outside it. Its field is a read-only line edit that follows the current
// item and never takes the focus from it.
#include "ui/widgets/ui_combo_box.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_list.h"
#include "ui/widgets/ui_list_view.h"
#include "widget_test_support.h"

#include <gmock/gmock.h>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;

class UIComboBoxTest : public UITest {
protected:
    UIComboBoxTest() {
        w = makeWindow({300, 300});
        combo = placeWidget<UIComboBox>(w, Rect{10, 10, 160, 24});
        combo->setItems({"As original", "JPG", "PNG", "TIF", "BMP"});
        combo->setCurrentIndex(1);
        combo->currentChanged.connect([this](std::int32_t i) { changes.push_back(i); });
        combo->setFocus();
        toolkit().processEvents();
    }
    // An item of the open popup, in the main window's coordinates.
    Point popupItem(std::int32_t index) {
        UIList* list = combo->popupView()->list();
        const Rect r = list->itemRectInView(index);
        const Point inPopup = list->mapToWindow({r.x + 10, r.y + r.height / 2});
        UIWindow* popup = combo->popupWindow();
        return {popup->x() + inPopup.x - w->x(), popup->y() + inPopup.y - w->y()};
    }
    RecordingWindow* w;
    UIComboBox* combo;
    std::vector<std::int32_t> changes;
};

TEST_F(UIComboBoxTest, WheelAndKeysChangeTheCurrentItemWithinTheEnds) {
    toolkit().clearFocus();
    sys().keyPress(*w, vk::kTab); // the keyboard reaches it
    ASSERT_TRUE(combo->hasFocus());
    const Point over{50, 20};
    sys().wheel(*w, over, -120);
    sys().wheel(*w, over, -120);
    EXPECT_EQ(combo->currentIndex(), 3);
    sys().wheel(*w, over, -360);
    EXPECT_EQ(combo->currentIndex(), 4);
    sys().wheel(*w, over, 120);
    EXPECT_EQ(combo->currentText(), "TIF");
    sys().keyPress(*w, vk::kHome);
    sys().keyPress(*w, vk::kUp);
    sys().keyPress(*w, vk::kNumpad0 + 2);
    EXPECT_THAT(changes, ElementsAre(2, 3, 4, 3, 0, 1));
    EXPECT_FALSE(combo->isPopupVisible());
}

TEST_F(UIComboBoxTest, FieldIsAReadOnlyLineEditShowingTheCurrentItem) {
    UILineEdit* field = combo->lineEdit();
    ASSERT_NE(field, nullptr);
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_FALSE(field->hasFrame());
    EXPECT_TRUE(field->isElided());
    EXPECT_EQ(field->geometry(), combo->textRect());
    EXPECT_EQ(field->text(), "JPG");
    sys().keyPress(*w, vk::kDown);
    EXPECT_EQ(field->text(), "PNG");
    combo->setItems({"Width & Height", "Width (Keep proportions)", "Height (Keep proportions)"});
    EXPECT_EQ(field->text(), "Height (Keep proportions)");
    combo->setCurrentIndex(-1);
    EXPECT_EQ(field->text(), "");
    // A press on the field is the combo box's: it opens the list and keeps the focus.
    sys().click(*w, {30, 20});
    EXPECT_TRUE(combo->isPopupVisible());
    EXPECT_TRUE(combo->hasFocus());
    EXPECT_FALSE(field->hasFocus());
}

TEST_F(UIComboBoxTest, PopupTakesAClickedItemAndClosesUnchangedOutside) {
    sys().click(*w, {50, 20});
    ASSERT_TRUE(combo->isPopupVisible());
    EXPECT_GE(combo->popupWindow()->y(), w->y() + 34); // below the field
    EXPECT_EQ(combo->popupView()->list()->currentItem(), 1);
    // The pointer highlights, a click takes the item.
    sys().mouseMove(*w, popupItem(3));
    EXPECT_EQ(combo->popupView()->list()->currentItem(), 3);
    sys().click(*w, popupItem(3));
    EXPECT_FALSE(combo->isPopupVisible());
    EXPECT_EQ(combo->currentIndex(), 3);

    // A press outside closes it; Escape too; nothing changes.
    sys().click(*w, {50, 20});
    ASSERT_TRUE(combo->isPopupVisible());
    sys().click(*w, {250, 250});
    EXPECT_FALSE(combo->isPopupVisible());
    keyWith(sys(), *w, vk::kDown, vk::kMenu);
    ASSERT_TRUE(combo->isPopupVisible());
    sys().keyPress(*w, vk::kDown);
    sys().keyPress(*w, vk::kEscape);
    EXPECT_FALSE(combo->isPopupVisible());
    EXPECT_EQ(combo->currentIndex(), 3);

    // Keys in the open list move its highlight; Enter takes it.
    sys().keyPress(*w, vk::kF1 + 3);
    ASSERT_TRUE(combo->isPopupVisible());
    sys().keyPress(*w, vk::kDown);
    sys().keyPress(*w, vk::kReturn);
    EXPECT_FALSE(combo->isPopupVisible());
    EXPECT_EQ(combo->currentIndex(), 4);
    EXPECT_THAT(changes, ElementsAre(3, 4));
}

} // namespace
} // namespace scalora::test
