#include "gallery_lists.h"

#include "imaging/pixel_image.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/widgets/ui_combo_box.h"
#include "ui/widgets/ui_header.h"
#include "ui/widgets/ui_list.h"
#include "ui/widgets/ui_list_view.h"
#include "ui/widgets/ui_scroll_bar.h"
#include "ui/widgets/ui_table.h"
#include "ui/widgets/ui_table_view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>

namespace scalora::sandbox {

namespace {

constexpr std::int32_t kTableRows = 100000;

std::uint8_t channel(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// A round badge of one colour with a soft edge, as the status icons are.
std::shared_ptr<const PixelImage> badge(std::int32_t size, Color color) {
    auto image = std::make_shared<PixelImage>();
    if (!image->allocate(size, size, AlphaKind::Straight)) {
        return nullptr;
    }
    const double r = size / 2.0 - 0.5;
    for (std::int32_t y = 0; y < size; ++y) {
        for (std::int32_t x = 0; x < size; ++x) {
            const double d = std::hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0);
            const double coverage = std::clamp(r - d + 0.5, 0.0, 1.0);
            image->setPixel(
                x, y,
                makeColor(channel(coverage * 255), redOf(color), greenOf(color), blueOf(color)));
        }
    }
    return image;
}

// A little landscape standing in for a photo's thumbnail: sky over hills, in a hue.
std::shared_ptr<const PixelImage> thumbnail(std::int32_t w, std::int32_t h, double hue) {
    auto image = std::make_shared<PixelImage>();
    if (!image->allocate(w, h, AlphaKind::None)) {
        return nullptr;
    }
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            const double hill = h * (0.62 + 0.12 * std::sin(x * 0.15 + hue * 6));
            const double t = static_cast<double>(y) / h;
            const bool ground = y > hill;
            const double r = ground ? 60 + 90 * hue : 120 + 100 * t;
            const double g = ground ? 130 - 40 * t : 170 + 60 * t * hue;
            const double b = ground ? 60 : 230 - 60 * hue;
            image->setPixel(x, y, makeColor(255, channel(r), channel(g), channel(b)));
        }
    }
    return image;
}

const char* const kNames[] = {"harbour", "ridge", "market", "orchard", "station", "beach"};

void fillTable(UITableView& view) {
    UIHeader* header = view.header();
    header->addSection("Status", 56, 40, 80);
    header->addSection("Name", 220, 60);
    header->addSection("Size", 110, 50);
    header->addSection("Folder", 180, 60);
    header->setSortIndicator(1, UISortOrder::Ascending);
    const std::array<std::shared_ptr<const PixelImage>, 3> status{
        badge(12, 0xFF9AA4AE), badge(12, 0xFF2E9E5B), badge(12, 0xFFD23C3C)};
    std::vector<UITableRow> rows(kTableRows);
    for (std::int32_t i = 0; i < kTableRows; ++i) {
        UITableRow& row = rows[static_cast<std::size_t>(i)];
        const std::string name = "IMG_" + std::to_string(10000 + i) + ".JPG";
        row.cells = {
            {"", status[static_cast<std::size_t>(i % 7 == 3   ? 2
                                                 : i % 3 == 0 ? 1
                                                              : 0)]},
            {name, nullptr},
            {std::to_string(1600 + i % 9 * 160) + " x " + std::to_string(1200 + i % 5 * 90),
             nullptr},
            {std::string("/home/ana/Pictures/") + kNames[i % 6], nullptr}};
        row.data = i;
    }
    UITable* table = view.table();
    table->setSelectionMode(UISelectionMode::Multiple);
    table->setRows(std::move(rows));
    table->select(2);
    table->select(4);
    table->setCurrentItem(4);
    table->select(2);
}

void fillLists(UIListView& rows, UIListView& icons) {
    std::vector<UIListItem> items;
    for (std::int32_t i = 0; i < 24; ++i) {
        UIListItem item;
        item.icon = thumbnail(24, 18, (i % 6) / 6.0);
        item.text = std::string(kNames[i % 6]) + " " + std::to_string(i + 1) + ".jpg";
        item.detailedText = std::to_string(200 + i * 37) + " KB";
        items.push_back(item);
    }
    rows.list()->setSelectionMode(UISelectionMode::Multiple);
    rows.list()->setItems(items);
    rows.list()->select(1);
    rows.list()->select(2);
    rows.list()->setCurrentItem(1);
    rows.list()->select(2);
    for (std::int32_t i = 0; i < 24; ++i) {
        items[static_cast<std::size_t>(i)].icon = thumbnail(64, 48, (i % 6) / 6.0);
    }
    icons.list()->setViewMode(UIList::ViewMode::Icon);
    icons.list()->setItems(std::move(items));
    icons.list()->setCurrentItem(3);
}

} // namespace

ListsGallery buildListsGallery(UIWindow& window) {
    auto* table = new UITableView(&window);
    table->setGeometry({12, 12, 600, 390});
    fillTable(*table);

    auto* rows = new UIListView(&window);
    rows->setGeometry({624, 12, 324, 200});
    auto* icons = new UIListView(&window);
    icons->setGeometry({624, 224, 324, 324});
    fillLists(*rows, *icons);

    auto* empty = new UIListView(&window);
    empty->setGeometry({12, 414, 290, 134});
    empty->list()->setBlankText("Drag images here.");

    auto* horizontal = new UIScrollBar(&window, UIScrollBar::Orientation::Horizontal);
    horizontal->setGeometry({314, 414, 298, horizontal->thickness()});
    horizontal->setRange(0, 100);
    horizontal->setPageSize(25);
    horizontal->setValue(40);
    auto* vertical = new UIScrollBar(&window, UIScrollBar::Orientation::Vertical);
    vertical->setGeometry({314, 440, vertical->thickness(), 108});
    vertical->setRange(0, 1000);
    vertical->setPageSize(100);
    vertical->setValue(1000);
    auto* disabledBar = new UIScrollBar(&window, UIScrollBar::Orientation::Horizontal);
    disabledBar->setGeometry({340, 440, 272, disabledBar->thickness()});

    auto* mode = new UIComboBox(&window);
    mode->setItems({"Width & Height", "Width (Keep proportions)", "Height (Keep proportions)",
                    "Fit (Keep proportions)", "Percentage", "Desktop",
                    "Desktop (Keep proportions)"});
    mode->setCurrentIndex(3);
    mode->setGeometry({340, 472, 220, mode->sizeHint().height});
    auto* format = new UIComboBox(&window);
    format->setItems({"As original", "JPG", "PNG", "TIF", "BMP"});
    format->setCurrentIndex(1);
    format->setGeometry({340, 508, 120, format->sizeHint().height});
    auto* off = new UIComboBox(&window);
    off->setItems({"Disabled and too long to show"});
    off->setCurrentIndex(0);
    off->setGeometry({470, 508, 90, off->sizeHint().height});
    off->disable();

    for (UIElement* e : window.children()) {
        if (!e->isWindow()) {
            e->show();
        }
    }
    table->table()->setFocus();
    return {table, mode};
}

namespace {
class GalleryWindow : public UIWindow {
public:
    GalleryWindow() : UIWindow(nullptr, kDefaultWindowOptions | kWindowMinimizeBox) {
        setStyleClass("UIWindow");
    }

protected:
    void closeEvent(UIEvent&) override {
        if (UIToolkit* tk = UIToolkit::instance()) {
            tk->quit(0);
        }
    }
};
} // namespace

UIWindow* openListsGallery(std::function<void(const std::string&)> report) {
    auto* window = new GalleryWindow;
    window->setTitle("Gallery: lists, tables and scrolling");
    window->setGeometry({40, 40, kListsGallerySize.width, kListsGallerySize.height});
    const ListsGallery page = buildListsGallery(*window);
    page.mode->currentChanged.connect(
        [report](std::int32_t index) { report("gallery mode " + std::to_string(index)); });
    page.table->table()->currentChanged.connect(
        [report](std::int32_t row) { report("gallery table " + std::to_string(row)); });
    auto announced = std::make_shared<bool>(false);
    window->signal(UIEventType::Paint).connect([report, announced, page](UIEvent&) {
        if (*announced) {
            return;
        }
        *announced = true;
        const Rect r = page.mode->windowRect();
        report("element gallery-mode " + std::to_string(r.x) + " " + std::to_string(r.y) + " " +
               std::to_string(r.width) + " " + std::to_string(r.height));
        report("gallery ready");
    });
    window->show();
    return window;
}

} // namespace scalora::sandbox
