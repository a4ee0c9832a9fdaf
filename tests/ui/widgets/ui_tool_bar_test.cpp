// The tool bar on the headless backend: the row of buttons, separators and padding, and a
// drop-down button's menu with its re-arm.
#include "../core/ui_test_fixture.h"
#include "ui/widgets/ui_menu.h"
#include "ui/widgets/ui_tool_bar.h"
#include "ui/widgets/ui_tool_button.h"

#include <gtest/gtest.h>

namespace scalora::test {
namespace {

class UIToolBarTest : public UITest {
protected:
    void SetUp() override {
        window = makeWindow({400, 200});
        bar = new UIToolBar(window);
        bar->show();
    }
    void place() {
        const Size hint = bar->sizeHint();
        bar->setGeometry({0, 0, 400, hint.height});
        toolkit().processEvents();
    }
    RecordingWindow* window = nullptr;
    UIToolBar* bar = nullptr;
};

TEST_F(UIToolBarTest, LaysButtonsOutInARowWithSpacingSeparatorsAndPadding) {
    UIToolButton* add = bar->addButton("Add");
    UIToolButton* clear = bar->addButton("Clear");
    bar->addSeparator();
    UIToolButton* resize = bar->addButton("Resize");
    place();
    // Without a style: padding 4, 3, 4, 3; button spacing 2; interval 9.
    EXPECT_EQ(add->x(), 4);
    EXPECT_EQ(clear->x(), add->geometry().right() + 2);
    EXPECT_EQ(resize->x(), clear->geometry().right() + 2 + bar->intervalThickness() + 2);
    EXPECT_EQ(bar->height(), add->height() + 6);
    EXPECT_EQ(add->y(), 3);
    EXPECT_EQ(add->size(), add->sizeHint());
}

TEST_F(UIToolBarTest, ADropDownButtonOpensItsMenuFromTheBarAndReArmsAfterClosing) {
    auto* menu = new UIMenu(window);
    menu->addItem("Add images...");
    menu->addItem("Add folder...");
    int closed = 0;
    menu->closed().connect([&closed] { ++closed; });
    bar->addButton("Options");
    UIToolButton* add = bar->addMenuButton(menu, "Add");
    place();
    const Rect r = add->windowRect();
    const Point inside{r.x + r.width / 2, r.y + r.height / 2};

    sys().mousePress(*window, inside);
    sys().mouseRelease(*window, inside);
    ASSERT_TRUE(menu->isOpen());
    EXPECT_EQ(toolkit().popupOwner(), add);
    // Below the button's bottom-left corner.
    EXPECT_EQ(menu->position(), (Point{window->x() + r.x, window->y() + r.bottom()}));
    EXPECT_TRUE(add->isChecked());

    // A press on the button closes the menu and does not open it again.
    sys().mousePress(*window, inside);
    sys().mouseRelease(*window, inside);
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(add->isChecked());
    // Once re-armed, the next press opens it; near the bottom of the screen it opens above
    // the bar.
    sys().advance(10);
    window->setPosition(100, 740);
    place();
    sys().mousePress(*window, inside);
    ASSERT_TRUE(menu->isOpen());
    EXPECT_EQ(menu->y() + menu->height(), window->y() + r.y);
    // Disabling the tool bar closes it.
    bar->disable();
    EXPECT_FALSE(menu->isOpen());
    add->setMenu(nullptr);
}

} // namespace
} // namespace scalora::test
