// Popup menus on the headless backend: placement in the work area, keyboard and mouse through
// submenus, and the rules that close a menu.
#include "popup_test_fixture.h"
#include "ui/style/ui_style_manager.h"
#include "ui/widgets/ui_menu.h"
#include "ui/widgets/ui_menu_bar.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace scalora::test {
namespace {

class UIMenuTest : public StyledUITest {
protected:
    void SetUp() override {
        window = makeWindow({400, 300});
        owner = makeChild(window, "owner", {10, 10, 100, 30});
        menu = new UIMenu(owner);
        menu->closed().connect([this] { ++closedCount; });
    }
    // A menu left open closes while the fixture can still hear it.
    void TearDown() override { toolkit().closePopup(nullptr); }

    // Items: 0 "Open", 1 separator, 2 "Disabled", 3 "More" (submenu "First", "Second"),
    // 4 "Last".
    void fillMenu() {
        menu->addItem("Open")->command().connect([this] { chosen.push_back("Open"); });
        menu->addSeparator();
        menu->setItemEnabled(menu->addItem("Disabled"), false);
        sub = menu->addSubmenu("More");
        sub->addItem("First")->command().connect([this] { chosen.push_back("First"); });
        sub->addItem("Second")->command().connect([this] { chosen.push_back("Second"); });
        menu->addItem("Last")->command().connect([this] { chosen.push_back("Last"); });
    }

    void key(std::int32_t k) { sys().keyPress(*window, k); }

    // The centre of an item in its menu's window coordinates.
    static Point centreOf(const UIMenu& m, std::size_t index) {
        const Rect r = m.itemRect(index);
        return {r.x + r.width / 2, r.y + r.height / 2};
    }

    RecordingWindow* window = nullptr;
    RecordingElement* owner = nullptr;
    UIMenu* menu = nullptr;
    UIMenu* sub = nullptr;
    int closedCount = 0;
    std::vector<std::string> chosen;
};

TEST_F(UIMenuTest, StaysInsideTheWorkAreaWithDesktopPadding) {
    fillMenu();
    // The headless screen is 1280 x 800 with a work area of 1280 x 770; without a style the
    // desktop padding is 4.
    menu->popup({1270, 100});
    toolkit().processEvents();
    ASSERT_TRUE(menu->isOpen());
    EXPECT_EQ(menu->x() + menu->width(), 1280 - 4);
    EXPECT_EQ(menu->y(), 100);
    // Near the bottom it opens above the point instead of covering it.
    menu->popup({300, 760});
    EXPECT_EQ(menu->x(), 300);
    EXPECT_EQ(menu->y() + menu->height(), 760);

    // A submenu with no room on the right opens to the left of its menu.
    menu->popup({1270, 100});
    menu->setHoveredIndex(3);
    key(vk::kRight);
    ASSERT_TRUE(sub->isOpen());
    EXPECT_EQ(sub->x() + sub->width(), menu->x());
    EXPECT_GE(sub->x(), 4);
}

TEST_F(UIMenuTest, DropsDownFromABarAndOpensAboveItWhenThereIsNoRoomBelow) {
    auto* bar = new UIMenuBar(window);
    bar->setGeometry({0, 0, 400, 24});
    bar->show();
    UIMenu* file = bar->addMenu("File");
    file->addItem("Quit");
    window->setPosition(100, 760);
    bar->openMenu(0);
    ASSERT_TRUE(file->isOpen());
    // Above the bar, not above the point under it (which would cover the bar).
    EXPECT_EQ(file->y() + file->height(), 760);
    EXPECT_EQ(toolkit().popupOwner(), bar);
}

TEST_F(UIMenuTest, KeyboardWalksItemsAndSubmenus) {
    fillMenu();
    menu->popup({50, 50});
    // Keys reach the open menu although the owner's window keeps the focus.
    key(vk::kDown);
    EXPECT_EQ(menu->hoveredIndex(), 0);
    // The separator and the disabled item are skipped.
    key(vk::kDown);
    EXPECT_EQ(menu->hoveredIndex(), 3);
    key(vk::kEnd);
    EXPECT_EQ(menu->hoveredIndex(), 4);
    key(vk::kDown);
    EXPECT_EQ(menu->hoveredIndex(), 0) << "wraps around";
    key(vk::kUp);
    EXPECT_EQ(menu->hoveredIndex(), 4);
    key(vk::kHome);
    key(vk::kDown);
    EXPECT_EQ(menu->hoveredIndex(), 3);

    key(vk::kRight);
    ASSERT_TRUE(sub->isOpen());
    EXPECT_EQ(sub->hoveredIndex(), 0);
    key(vk::kDown);
    EXPECT_EQ(sub->hoveredIndex(), 1);
    key(vk::kLeft);
    EXPECT_FALSE(sub->isOpen());
    EXPECT_TRUE(menu->isOpen());
    EXPECT_EQ(menu->hoveredIndex(), 3);
    key(vk::kRight);
    key(vk::kEscape);
    EXPECT_FALSE(sub->isOpen()) << "Escape closes one level";
    EXPECT_TRUE(menu->isOpen());

    key(vk::kRight);
    key(vk::kEnd);
    key(vk::kReturn);
    EXPECT_EQ(chosen, std::vector<std::string>{"Second"});
    EXPECT_FALSE(sub->isOpen());
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(closedCount, 1);
    EXPECT_EQ(toolkit().popup(), nullptr);
    // The owner never saw the keys.
    for (const std::string& entry : logOf("owner")) {
        EXPECT_NE(entry, "KeyPress");
    }
}

TEST_F(UIMenuTest, MouseOpensSubmenusAndChoosesOnRelease) {
    fillMenu();
    menu->popup({50, 50});
    toolkit().processEvents();
    sys().mouseMove(*menu, centreOf(*menu, 3));
    ASSERT_TRUE(sub->isOpen());
    // Pressing and releasing on a separator or a disabled item keeps the menu open.
    sys().click(*menu, centreOf(*menu, 1));
    sys().click(*menu, centreOf(*menu, 2));
    EXPECT_TRUE(menu->isOpen());
    EXPECT_TRUE(chosen.empty());
    sys().mouseMove(*menu, centreOf(*menu, 3));
    sys().mouseMove(*sub, centreOf(*sub, 0));
    sys().click(*sub, centreOf(*sub, 0));
    EXPECT_EQ(chosen, std::vector<std::string>{"First"});
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(closedCount, 1);
}

TEST_F(UIMenuTest, ClosesWithItsOwnerOnAnOutsidePressAndOnEscape) {
    fillMenu();
    // Disabling the owner.
    menu->popup({50, 50});
    ASSERT_EQ(toolkit().popupOwner(), owner);
    owner->disable();
    EXPECT_FALSE(menu->isOpen());
    owner->enable();
    // Disabling an ancestor of the owner.
    menu->popup({50, 50});
    window->disable();
    EXPECT_FALSE(menu->isOpen());
    window->enable();
    // Hiding the owner, with a submenu open.
    menu->popup({50, 50});
    menu->setHoveredIndex(3);
    key(vk::kRight);
    ASSERT_TRUE(sub->isOpen());
    owner->hide();
    EXPECT_FALSE(menu->isOpen());
    EXPECT_FALSE(sub->isOpen());
    owner->show();
    // A press in the owner's window, outside the menu.
    menu->popup({50, 50});
    sys().mousePress(*window, {300, 200});
    sys().mouseRelease(*window, {300, 200});
    EXPECT_FALSE(menu->isOpen());
    // Escape.
    menu->popup({50, 50});
    key(vk::kEscape);
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(closedCount, 5);
    EXPECT_TRUE(chosen.empty());
}

TEST_F(UIMenuTest, RadioItemsOfAGroupExcludeEachOther) {
    UIMenuItem* a = menu->addItem("A");
    UIMenuItem* b = menu->addItem("B");
    menu->addSeparator();
    UIMenuItem* c = menu->addItem("C");
    for (UIMenuItem* i : {a, b, c}) {
        menu->setItemRadio(i, true);
    }
    menu->setItemChecked(a, true);
    menu->setItemChecked(c, true);
    menu->setItemChecked(b, true);
    EXPECT_FALSE(a->isChecked());
    EXPECT_TRUE(b->isChecked());
    EXPECT_TRUE(c->isChecked()) << "another group, beyond the separator";
    // Choosing a checked radio item keeps it checked; a check item toggles.
    UIMenuItem* check = menu->addItem("Check");
    menu->setItemCheckable(check, true);
    menu->popup({50, 50});
    key(vk::kEnd);
    key(vk::kReturn);
    EXPECT_TRUE(check->isChecked());
    menu->popup({50, 50});
    menu->setHoveredIndex(menu->indexOf(b));
    key(vk::kReturn);
    EXPECT_TRUE(b->isChecked());
}

TEST_F(UIMenuTest, DrawsTheHoveredItemOnItsSkinWithMarksAndArrows) {
    const PixelImage* info =
        UIStyleManager::instance().standardImage(StandardImage::InformationSmall);
    ASSERT_NE(info, nullptr);
    menu->addItem("Add images...", std::make_shared<PixelImage>(info->clone()));
    menu->setItemChecked(menu->addItem("Show preview"), true);
    menu->addSeparator();
    UIMenuItem* names = menu->addItem("File names");
    menu->setItemRadio(names, true);
    menu->setItemChecked(names, true);
    menu->setItemRadio(menu->addItem("Full paths"), true);
    menu->setItemEnabled(menu->addItem("Remove"), false);
    menu->addSubmenu("Sort by")->addItem("Name");
    menu->popup({40, 40});
    menu->setHoveredIndex(0);
    toolkit().processEvents();
    ASSERT_TRUE(keepPng(*menu, "menu.png"));

    const PixelImage& shown = HeadlessWindowSystem::native(*menu)->screen();
    auto at = [&](std::size_t item, std::int32_t dx) {
        const Rect r = menu->itemRect(item);
        return shown.pixel(r.right() - dx, r.y + r.height / 2);
    };
    // The hovered item's background differs from a plain item's at the same spot.
    EXPECT_NE(at(0, 3), at(4, 3));
    // The check and radio marks are dark in the icon column; the unchecked radio is blank.
    auto darkest = [&](std::size_t item) {
        const Rect r = menu->itemRect(item);
        std::uint32_t best = 255;
        for (std::int32_t y = r.y; y < r.bottom(); ++y) {
            for (std::int32_t x = r.x; x < r.x + 30; ++x) {
                best = std::min<std::uint32_t>(best, (shown.pixel(x, y) >> 8) & 0xFF);
            }
        }
        return best;
    };
    EXPECT_LT(darkest(1), 100u);
    EXPECT_LT(darkest(3), 100u);
    EXPECT_GT(darkest(4), 200u);
}

} // namespace
} // namespace scalora::test
