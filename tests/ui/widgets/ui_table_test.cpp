// The table: columns follow the header, selection works as in the list, and of 100,000 rows
// only those in view are painted, also after scrolling by a page.
#include "ui/widgets/ui_header.h"
#include "ui/widgets/ui_scroll_bar.h"
#include "ui/widgets/ui_table.h"
#include "ui/widgets/ui_table_view.h"
#include "widget_test_support.h"

#include <gmock/gmock.h>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;

class CountingTable : public UITable {
public:
    using UITable::UITable;
    std::vector<std::int32_t> painted;

protected:
    void paintRow(Canvas& canvas, std::int32_t index, const Rect& r) override {
        painted.push_back(index);
        UITable::paintRow(canvas, index, r);
    }
};

std::vector<UITableRow> numberedRows(int n) {
    std::vector<UITableRow> rows(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        rows[static_cast<std::size_t>(i)].cells = {{"ok", nullptr},
                                                   {"IMG_" + std::to_string(i) + ".JPG", nullptr}};
    }
    return rows;
}

class UITableTest : public UITest {
protected:
    UITableTest() {
        w = makeWindow({400, 300});
        view = placeWidget<UITableView>(w, Rect{0, 0, 400, 300});
        table = new CountingTable(nullptr);
        view->setTable(table);
        view->header()->addSection("Status", 60);
        view->header()->addSection("Name", 200);
        table->setSelectionMode(UISelectionMode::Multiple);
        table->setRows(numberedRows(100000));
        toolkit().processEvents();
    }
    Point at(std::int32_t row) const {
        const Rect r = table->itemRectInView(row);
        return table->mapToWindow({100, r.y + r.height / 2});
    }
    RecordingWindow* w;
    UITableView* view;
    CountingTable* table;
};

TEST_F(UITableTest, PaintsOnlyTheRowsInViewAlsoAfterAPageDown) {
    // Rows cut at the top and the bottom count too.
    const std::int32_t perView =
        (table->height() + table->rowHeight() - 1) / table->rowHeight() + 1;
    EXPECT_FALSE(table->painted.empty());
    EXPECT_LE(static_cast<std::int32_t>(table->painted.size()), perView);
    table->painted.clear();
    UIScrollBar* bar = view->verticalScrollBar();
    bar->setValue(bar->value() + bar->pageSize());
    toolkit().processEvents();
    ASSERT_FALSE(table->painted.empty());
    EXPECT_LE(static_cast<std::int32_t>(table->painted.size()), perView);
    EXPECT_EQ(table->painted.front(), bar->value() / table->rowHeight());
}

TEST_F(UITableTest, SelectsLikeTheListAndFollowsTheHeadersColumns) {
    sys().click(*w, at(4));
    clickWith(sys(), *w, at(1), vk::kShift);
    EXPECT_THAT(table->selectedItems(), ElementsAre(1, 2, 3, 4));
    clickWith(sys(), *w, at(3), vk::kControl);
    EXPECT_THAT(table->selectedItems(), ElementsAre(1, 2, 4));
    sys().click(*w, at(2), kRightButton);
    EXPECT_THAT(table->selectedItems(), ElementsAre(1, 2, 4));

    // The last column stretches to the view; a wider first column pushes the second along
    // and, once they no longer fit, brings the horizontal bar.
    UIHeader* header = view->header();
    EXPECT_EQ(header->sectionPosition(1), 60);
    EXPECT_EQ(header->sectionPosition(1) + header->sectionSize(1), table->width());
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    header->setSectionWidth(0, 500);
    toolkit().processEvents();
    EXPECT_EQ(header->sectionPosition(1), 500);
    EXPECT_TRUE(view->horizontalScrollBar()->isVisible());
    view->horizontalScrollBar()->setValue(50);
    EXPECT_EQ(header->offset(), 50);
    table->setFocus();
    sys().keyPress(*w, vk::kRight);
    EXPECT_EQ(header->offset(), 50 + table->scrollStep().width);
}

} // namespace
} // namespace scalora::test
