#include "app/image_list_texts.h"
#include "app/image_table.h"
#include "exchange/ui_drag_drop.h"
#include "image_list_fixture.h"
#include "ui/core/ui_event.h"
#include "ui/widgets/ui_menu.h"
#include "ui/widgets/ui_table.h"

#include <cstdlib>
#include <filesystem>

namespace scalora::test {
namespace {

namespace fs = std::filesystem;

class ImageTableTest : public ImageListFixture {
protected:
    ImageTableTest() {
        window = makeWindow({640, 420});
        table = new ImageTable(window, *list, host);
        table->setOpener([this](const std::string& path) { opened.push_back(path); });
        table->setGeometry({0, 0, 640, 420});
        table->show();
        toolkit().processEvents();
    }
    void addPictures(int count) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(list->addImage(picture("p" + std::to_string(100 + i) + ".png")));
        }
        table->rebuildView();
        toolkit().processEvents();
    }
    // A point inside a row, in window coordinates.
    Point rowPoint(std::int32_t row) const {
        const Rect r = table->table()->itemRectInView(row);
        const Point origin = table->table()->mapToWindow({0, 0});
        return {origin.x + r.x + 200, origin.y + r.y + r.height / 2};
    }
    std::string menuText(ImageTable::MenuItem which) const {
        return table->contextMenu()->item(static_cast<std::size_t>(which))->text();
    }
    bool menuEnabled(ImageTable::MenuItem which) const {
        return table->contextMenu()->item(static_cast<std::size_t>(which))->isEnabled();
    }

    RecordingWindow* window = nullptr;
    ImageTable* table = nullptr;
    std::vector<std::string> opened;
};

TEST_F(ImageTableTest, ToolTipGivesNameDimensionsAndSize) {
    ImageItem item("/photos/Holiday.JPG");
    item.width = 4000;
    item.height = 3000;
    const std::pair<std::uint64_t, const char*> sizes[] = {
        {1536, "1.5 Kb"}, {1048576, "1024 Kb"}, {2048, "2 Kb"}, {1024, "1024 Bytes"}};
    for (const auto& [bytes, text] : sizes) {
        item.fileSize = bytes;
        EXPECT_EQ(imageToolTip(item, "."),
                  std::string("Name: Holiday.JPG\nDimensions: 4000 x 3000\nSize: ") + text);
    }
    item.status = ItemStatus::StatusError;
    EXPECT_EQ(imageStatusText(item), "Unknown error");
    item.message = "The file is truncated";
    EXPECT_EQ(imageStatusText(item), "The file is truncated");
}

TEST_F(ImageTableTest, ContextMenuFollowsTheSelection) {
    setBool("general/isShowPreview", false);
    addPictures(4);
    UITable* rows = table->table();
    table->updateContextMenu();
    EXPECT_EQ(menuText(ImageTable::MenuItem::Exclude), "Exclude");
    EXPECT_FALSE(menuEnabled(ImageTable::MenuItem::Exclude));
    EXPECT_FALSE(menuEnabled(ImageTable::MenuItem::OpenFolder));

    rows->setCurrentItem(1);
    table->updateContextMenu();
    EXPECT_EQ(menuText(ImageTable::MenuItem::Exclude), "Exclude");
    EXPECT_TRUE(menuEnabled(ImageTable::MenuItem::Exclude));
    EXPECT_TRUE(menuEnabled(ImageTable::MenuItem::OpenFolder));

    rows->select(2);
    rows->select(3);
    // The right button on a selected row opens the menu with the selection kept.
    sys().click(*window, rowPoint(2), kRightButton);
    ASSERT_TRUE(table->contextMenu()->isOpen());
    EXPECT_EQ(menuText(ImageTable::MenuItem::Exclude), "Exclude (3)");
    EXPECT_FALSE(menuEnabled(ImageTable::MenuItem::OpenFolder));
    EXPECT_FALSE(table->contextMenu()->item(3)->isChecked());

    table->contextMenu()->item(0)->command().emit();
    EXPECT_EQ(list->size(), 1u);
    table->contextMenu()->item(4)->command().emit();
    EXPECT_TRUE(list->showFullName());
    EXPECT_EQ(rows->row(0).cells[2].text, list->items()[0].path);
}

TEST_F(ImageTableTest, RebuildViewKeepsTheSelectedItemsAndTheScrollPosition) {
    addPictures(30);
    UITable* rows = table->table();
    rows->setCurrentItem(12);
    rows->select(14);
    table->setScrollPosition({0, 300});
    const Point scrolled = table->scrollPosition();
    ASSERT_GT(scrolled.y, 0);

    list->excludeSelected({0, 1}); // the list's signal rebuilds the table
    EXPECT_EQ(rows->rowCount(), 28);
    EXPECT_EQ(rows->selectedItems(), (std::vector<std::int32_t>{10, 12}));
    EXPECT_EQ(rows->currentItem(), 10);
    EXPECT_EQ(table->scrollPosition(), scrolled);
    EXPECT_EQ(rows->row(10).cells[2].text, "p112.png");
}

TEST_F(ImageTableTest, KeysAndDoubleClicksOpenAndExclude) {
    addPictures(3);
    ImageItem& second = engine->items()[1];
    second.resultPath = picture("out/p101.png");

    sys().click(*window, rowPoint(1));
    sys().click(*window, rowPoint(1));
    sys().keyPress(*window, vk::kMenu);
    sys().click(*window, rowPoint(1));
    sys().click(*window, rowPoint(1));
    sys().keyRelease(*window, vk::kMenu);
    sys().keyPress(*window, vk::kReturn);
    EXPECT_EQ(opened, (std::vector<std::string>{list->items()[1].path, second.resultPath,
                                                list->items()[1].path}));

    sys().keyPress(*window, vk::kDelete);
    EXPECT_EQ(list->size(), 2u);
    host.calls.clear();
    const Point empty{320, 400};
    sys().click(*window, empty);
    sys().click(*window, empty);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"add dialog"}));
}

TEST_F(ImageTableTest, ShowsTheHintWhileEmptyAndTakesDroppedFolders) {
    UIDragDrop drops;
    drops.install();
    drops.setOfferedFormats({std::string(kMimeFilePathList)});
    EXPECT_EQ(table->table()->blankText(), "Drag images here.");
    ASSERT_TRUE(sys().saveWindowPng(*window, dir / "empty.png"));
    picture("dropped/a.png");
    picture("dropped/b.png", {480, 960});
    setBool("general/isShowPreview", true);

    UIDropPayload payload;
    payload.filePaths = {(dir / "dropped").string()};
    sys().dragEnter(*window, {300, 200});
    sys().dragMove(*window, {300, 200});
    EXPECT_NE(drops.proposedAction(), kDropNone);
    sys().drop(*window, {300, 200}, payload);
    sys().advance(UIDragDrop::kDropDelayMs + 1);
    EXPECT_EQ(table->table()->rowCount(), 2);

    // Refused while busy; a drop of nothing usable says so.
    table->setAcceptDrops(false);
    sys().dragEnter(*window, {300, 200});
    sys().dragMove(*window, {300, 200});
    EXPECT_EQ(drops.proposedAction(), kDropNone);
    sys().dragLeave(*window);
    table->setAcceptDrops(true);
    payload.filePaths = {(dir / "nothing-here").string()};
    sys().dragEnter(*window, {300, 200});
    sys().dragMove(*window, {300, 200});
    sys().drop(*window, {300, 200}, payload);
    sys().advance(UIDragDrop::kDropDelayMs + 1);
    EXPECT_EQ(messages, (std::vector<std::string>{"Images not found."}));
    ASSERT_TRUE(sys().saveWindowPng(*window, dir / "rows.png"));
    if (const char* keep = std::getenv("SCALORA_KEEP_PNG")) {
        fs::copy_file(dir / "empty.png", fs::path(keep) / "image_table_empty.png",
                      fs::copy_options::overwrite_existing);
        fs::copy_file(dir / "rows.png", fs::path(keep) / "image_table_rows.png",
                      fs::copy_options::overwrite_existing);
    }
}

} // namespace
} // namespace scalora::test
