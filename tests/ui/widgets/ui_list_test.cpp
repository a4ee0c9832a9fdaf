// The list: the press rules of multiple selection (anchor, Shift range, Ctrl toggle, the
// right button keeping a selection), the navigation keys with their keypad twins, icon mode,
// tool tips, and that only the items in view are painted.
#include "ui/widgets/ui_list.h"
#include "ui/widgets/ui_list_view.h"
#include "ui/widgets/ui_scroll_bar.h"
#include "widget_test_support.h"

#include <gmock/gmock.h>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;

// A list that counts the items it paints.
class CountingList : public UIList {
public:
    using UIList::UIList;
    int painted = 0;

protected:
    void paintItem(Canvas& canvas, std::int32_t index, const Rect& r) override {
        ++painted;
        UIList::paintItem(canvas, index, r);
    }
};

std::vector<UIListItem> numberedItems(int n) {
    std::vector<UIListItem> items(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        items[static_cast<std::size_t>(i)].text = "Item " + std::to_string(i);
    }
    return items;
}

class UIListTest : public UITest {
protected:
    UIListTest() {
        w = makeWindow({300, 400});
        view = placeWidget<UIListView>(w, Rect{0, 0, 300, 400});
        list = view->list();
        list->setItems(numberedItems(12));
        list->setSelectionMode(UISelectionMode::Multiple);
        list->selectionChanged.connect([this] { ++selectionSignals; });
        toolkit().processEvents();
    }
    // The centre of an item, in window coordinates.
    Point at(std::int32_t index) const {
        const Rect r = list->itemRectInView(index);
        return list->mapToWindow({r.x + r.width / 2, r.y + r.height / 2});
    }
    RecordingWindow* w;
    UIListView* view;
    UIList* list;
    int selectionSignals = 0;
};

TEST_F(UIListTest, ShiftSelectsTheSameRangeAboveAndBelowTheAnchor) {
    sys().click(*w, at(5));
    clickWith(sys(), *w, at(8), vk::kShift);
    EXPECT_THAT(list->selectedItems(), ElementsAre(5, 6, 7, 8));
    clickWith(sys(), *w, at(2), vk::kShift);
    EXPECT_THAT(list->selectedItems(), ElementsAre(2, 3, 4, 5));
    EXPECT_EQ(list->anchorItem(), 5);
    EXPECT_EQ(list->currentItem(), 2);
    // Shift with the keyboard extends from the same anchor.
    keyWith(sys(), *w, vk::kDown, vk::kShift);
    EXPECT_THAT(list->selectedItems(), ElementsAre(3, 4, 5));
}

TEST_F(UIListTest, CtrlTogglesOnlyTheClickedItemAndTheRightButtonKeepsASelection) {
    sys().click(*w, at(1));
    clickWith(sys(), *w, at(3), vk::kControl);
    clickWith(sys(), *w, at(6), vk::kControl);
    EXPECT_THAT(list->selectedItems(), ElementsAre(1, 3, 6));
    clickWith(sys(), *w, at(3), vk::kControl);
    EXPECT_THAT(list->selectedItems(), ElementsAre(1, 6));

    // A right click on one of several selected items keeps them all (for a context menu);
    // a left click, or a right click elsewhere, selects just that item.
    const int before = selectionSignals;
    sys().click(*w, at(6), kRightButton);
    EXPECT_THAT(list->selectedItems(), ElementsAre(1, 6));
    EXPECT_EQ(selectionSignals, before);
    sys().click(*w, at(6));
    EXPECT_THAT(list->selectedItems(), ElementsAre(6));
    sys().click(*w, at(9), kRightButton);
    EXPECT_THAT(list->selectedItems(), ElementsAre(9));

    // Empty space clears only when asked to.
    const Point below = list->mapToWindow({10, list->height() - 5});
    sys().click(*w, below);
    EXPECT_THAT(list->selectedItems(), ElementsAre(9));
    list->setClearSelectionOnEmptyPress(true);
    sys().advance(1000); // not a double click
    sys().click(*w, below);
    EXPECT_TRUE(list->selectedItems().empty());
}

TEST_F(UIListTest, NavigationKeysAndTheirKeypadTwins) {
    list->setFocus();
    std::vector<std::int32_t> currents;
    list->currentChanged.connect([&](std::int32_t i) { currents.push_back(i); });
    sys().click(*w, at(3));
    clickWith(sys(), *w, at(0), vk::kShift);
    ASSERT_THAT(list->selectedItems(), ElementsAre(0, 1, 2, 3));
    // Home on the current first item does nothing at all.
    const int signals = selectionSignals;
    sys().keyPress(*w, vk::kHome);
    EXPECT_THAT(list->selectedItems(), ElementsAre(0, 1, 2, 3));
    EXPECT_EQ(selectionSignals, signals);
    EXPECT_THAT(currents, ElementsAre(3, 0));

    const struct {
        std::int32_t key;
        std::int32_t current;
    } steps[] = {{vk::kDown, 1},         {vk::kNumpad0 + 2, 2}, {vk::kUp, 1},
                 {vk::kNumpad0 + 8, 0},  {vk::kEnd, 11},        {vk::kNumpad0 + 7, 0},
                 {vk::kNumpad0 + 1, 11}, {vk::kRight, 11},      {vk::kLeft, 11},
                 {vk::kHome, 0}};
    for (const auto& step : steps) {
        sys().keyPress(*w, step.key);
        EXPECT_EQ(list->currentItem(), step.current) << step.key;
        EXPECT_THAT(list->selectedItems(), ElementsAre(step.current)) << step.key;
    }
    keyWith(sys(), *w, 'A', vk::kControl);
    EXPECT_EQ(list->selectedCount(), 12);

    // Icon mode: Left and Right move between cells, Up and Down by a row of them.
    list->setViewMode(UIList::ViewMode::Icon);
    list->setCurrentItem(0);
    toolkit().processEvents();
    const std::int32_t columns = list->itemRect(1).y == list->itemRect(0).y ? 2 : 1;
    ASSERT_GE(columns, 2);
    sys().keyPress(*w, vk::kNumpad0 + 6);
    EXPECT_EQ(list->currentItem(), 1);
    sys().keyPress(*w, vk::kDown);
    EXPECT_GT(list->currentItem(), 1);
    EXPECT_EQ(list->itemRect(list->currentItem()).x, list->itemRect(1).x);
    sys().keyPress(*w, vk::kNumpad0 + 4);
    EXPECT_EQ(list->itemRect(list->currentItem()).x, list->itemRect(0).x);
}

TEST_F(UIListTest, PaintsOnlyTheItemsInViewOfAHundredThousand) {
    auto* big = placeWidget<UIListView>(w, Rect{0, 0, 300, 400});
    auto* counting = new CountingList(nullptr);
    big->setList(counting);
    counting->setItems(numberedItems(100000));
    toolkit().processEvents();
    const int perView = 400 / counting->rowPitch() + 1;
    EXPECT_GT(counting->painted, 0);
    EXPECT_LE(counting->painted, perView);
    counting->painted = 0;
    // Page Down scrolls a page and repaints only what shows.
    counting->setFocus();
    counting->setCurrentItem(0);
    sys().keyPress(*w, vk::kNext);
    toolkit().processEvents();
    EXPECT_LE(counting->painted, 2 * perView);
    EXPECT_GT(big->verticalScrollBar()->value(), 0);
    const std::int32_t current = counting->currentItem();
    EXPECT_GE(counting->itemRectInView(current).y, 0);
    EXPECT_LE(counting->itemRectInView(current).bottom(), counting->height());
    counting->setCurrentItem(99999);
    EXPECT_EQ(big->verticalScrollBar()->value(), big->verticalScrollBar()->maximum());
}

TEST_F(UIListTest, ToolTipIsTheItemsOwnElseTheShortenedText) {
    UIListItem item;
    item.text = std::string(200, 'W');
    list->setItem(0, item);
    item.text = "short";
    item.toolTip = "explained";
    list->setItem(1, item);
    const Point first = list->mapFromWindow(at(0));
    const Point second = list->mapFromWindow(at(1));
    EXPECT_EQ(list->toolTipText(first), std::string(200, 'W'));
    EXPECT_EQ(list->toolTipText(second), "explained");
    EXPECT_EQ(list->toolTipText(list->mapFromWindow(at(2))), "");
}

} // namespace
} // namespace scalora::test
