#include "app/image_table.h"

#include "app/image_list.h"
#include "app/image_list_host.h"
#include "app/image_list_texts.h"
#include "app/skin_icons.h"
#include "base/paths.h"
#include "data/translate.h"
#include "exchange/ui_mime_data.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "ui/core/ui_event.h"
#include "ui/widgets/ui_header.h"
#include "ui/widgets/ui_menu.h"
#include "ui/widgets/ui_table.h"

#include <map>
#include <set>
#include <utility>

namespace scalora {
namespace {

// Room for the 48-pixel previews with a margin above and below.
constexpr std::int32_t kRowHeight = 60;
constexpr std::int32_t kStatusColumnWidth = 110;
constexpr std::int32_t kPreviewColumnWidth = 80;
// The name column fills what the others leave, so this is only its least share: small enough
// that the window's default width shows every column without a sideways scroll bar.
constexpr std::int32_t kNameColumnWidth = 160;

constexpr const char* kStatusIconNames[] = {"icon_status_unknown", "icon_status_ok",
                                            "icon_status_error"};

std::shared_ptr<const PixelImage> skinPicture(std::string_view name) {
    return skinIcons(name)[static_cast<std::size_t>(UIButtonIcon::Normal)];
}

ImageTable::PreviewKey previewKey(const ImageItem& item) {
    return {item.path, item.thumbnail.isNull() ? nullptr : item.thumbnail.row(0),
            item.thumbnail.width(), item.thumbnail.height()};
}

std::string shownName(const ImageItem& item, bool fullName) {
    return fullName ? item.path : item.baseName + "." + item.extension;
}

} // namespace

// The rows: the table's keys, double clicks and drops go to the image table.
class ImageTable::Rows final : public UITable {
public:
    explicit Rows(ImageTable& owner) : UITable(nullptr), owner_(owner) {
        setSelectionMode(UISelectionMode::Multiple);
        setClearSelectionOnEmptyPress(true);
        setOption(kAcceptsDrops, true);
    }

protected:
    void keyPressEvent(UIEvent& e) override {
        if (e.key == vk::kDelete) {
            owner_.excludeSelected();
            e.accept();
        } else if (e.key == vk::kReturn) {
            owner_.openSelectedImage();
            e.accept();
        } else {
            UITable::keyPressEvent(e);
        }
    }
    void mouseDoubleClickEvent(UIEvent& e) override {
        if (e.button != kLeftButton) {
            return;
        }
        const std::int32_t row = itemAt(e.position);
        if (row >= 0) {
            owner_.openRow(row, (e.modifiers & kAltModifier) != 0);
        } else {
            owner_.host_.openAddImagesDialog();
        }
    }
    void dragEnterEvent(UIEvent& e) override { acceptFiles(e); }
    void dragMoveEvent(UIEvent& e) override { acceptFiles(e); }
    void dropEvent(UIEvent& e) override {
        if (e.mimeData != nullptr && e.mimeData->hasFilePaths()) {
            owner_.dropPaths(e.mimeData->filePaths());
        }
    }

private:
    static void acceptFiles(UIEvent& e) {
        if (e.mimeData != nullptr && e.mimeData->hasFilePaths()) {
            e.accept();
        }
    }

    ImageTable& owner_;
};

// The context menu, brought up to date with the selection whenever it opens.
class ImageTable::Menu final : public UIMenu {
public:
    explicit Menu(ImageTable& owner) : UIMenu(owner.table()), owner_(owner) {
        addItem({})->command().connect([this] { owner_.excludeSelected(); });
        addItem({})->command().connect([this] { owner_.openSelectedFolder(); });
        addSeparator();
        UIMenuItem* preview = addItem({});
        setItemCheckable(preview, true);
        preview->command().connect(
            [this] { owner_.list_.setShowPreview(!owner_.list_.showPreview()); });
        UIMenuItem* fullName = addItem({});
        setItemCheckable(fullName, true);
        fullName->command().connect(
            [this] { owner_.list_.setShowFullName(!owner_.list_.showFullName()); });
    }

    void popupAt(Point screenPosition) override {
        owner_.updateContextMenu();
        UIMenu::popupAt(screenPosition);
    }

    UIMenuItem* entry(MenuItem which) const { return item(static_cast<std::size_t>(which)); }

private:
    ImageTable& owner_;
};

ImageTable::ImageTable(UIElement* parent, ImageList& list, ImageListHost& host)
    : UITableView(parent), list_(list), host_(host), alive_(std::make_shared<ImageTable*>(this)),
      opener_([](const std::string& path) { static_cast<void>(openWithDesktop(path)); }) {
    setTable(new Rows(*this));
    header()->addSection({}, kStatusColumnWidth);
    header()->addSection({}, kPreviewColumnWidth);
    header()->addSection({}, kNameColumnWidth);
    header()->setStretchLastSection(true);
    table()->setRowHeight(kRowHeight);
    table()->setBlankImage(skinPicture("drop_arrow"));
    for (std::size_t i = 0; i < std::size(kStatusIconNames); ++i) {
        statusIcons_[i] = skinPicture(kStatusIconNames[i]);
    }
    menu_ = new Menu(*this);
    table()->setContextMenu(menu_);
    // The list may end before or after the table (both belong to the main window), so the
    // connection is never undone from here: it goes quiet when the table ends.
    list_.changed.connect([alive = std::weak_ptr<ImageTable*>(alive_)] {
        if (const auto table = alive.lock()) {
            (*table)->rebuildView();
        }
    });
    retranslate();
}

ImageTable::~ImageTable() = default;

void ImageTable::retranslate() {
    header()->setSectionTitle(static_cast<std::int32_t>(Column::Status),
                              translate("Status", kListHeaderContext));
    header()->setSectionTitle(static_cast<std::int32_t>(Column::Preview),
                              translate("Preview", kListHeaderContext));
    header()->setSectionTitle(static_cast<std::int32_t>(Column::Name),
                              translate("Name", kListHeaderContext));
    table()->setBlankText(translate("Drag images here.", kListWindowContext));
    menu_->setItemText(menu_->entry(MenuItem::OpenFolder),
                       translate("Open image folder", kListMenusContext));
    menu_->setItemText(menu_->entry(MenuItem::ShowPreview),
                       translate("Show preview", kListMenusContext));
    menu_->setItemText(menu_->entry(MenuItem::ShowFullName),
                       translate("Show full path", kListMenusContext));
    updateContextMenu();
    rebuildView();
}

void ImageTable::rebuildView() {
    UITable* rows = table();
    const std::vector<ImageItem>& items = list_.items();

    // Selection and the current row are kept by item, so rows that moved stay selected.
    std::set<std::string> selectedPaths;
    for (const std::int32_t row : rows->selectedItems()) {
        if (static_cast<std::size_t>(row) < shown_.size()) {
            selectedPaths.insert(shown_[static_cast<std::size_t>(row)].path);
        }
    }
    const std::int32_t current = rows->currentItem();
    const std::string currentPath =
        current >= 0 && static_cast<std::size_t>(current) < shown_.size()
            ? shown_[static_cast<std::size_t>(current)].path
            : std::string();
    const Point position = scrollPosition();

    // Previews already shown are shared again rather than copied.
    std::map<PreviewKey, std::shared_ptr<const PixelImage>> previews;
    for (ShownRow& row : shown_) {
        if (row.preview) {
            previews.emplace(row.key, std::move(row.preview));
        }
    }
    const bool fullName = list_.showFullName();
    const bool withPreview = list_.showPreview();
    std::vector<ShownRow> shown;
    shown.reserve(items.size());
    std::vector<UITableRow> built;
    built.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ImageItem& item = items[i];
        ShownRow entry{item.path, previewKey(item), nullptr};
        if (!item.thumbnail.isNull()) {
            const auto found = previews.find(entry.key);
            entry.preview = found != previews.end()
                                ? found->second
                                : std::make_shared<const PixelImage>(item.thumbnail.clone());
        }
        UITableRow row;
        const auto status = static_cast<std::size_t>(item.status);
        row.cells.push_back({imageStatusText(item),
                             status < std::size(statusIcons_) ? statusIcons_[status] : nullptr});
        row.cells.push_back({{}, withPreview ? entry.preview : nullptr});
        row.cells.push_back({shownName(item, fullName), nullptr});
        row.toolTip = imageToolTip(item);
        row.data = static_cast<std::int64_t>(i);
        built.push_back(std::move(row));
        shown.push_back(std::move(entry));
    }
    shown_ = std::move(shown);
    header()->setSectionVisible(static_cast<std::int32_t>(Column::Preview), withPreview);
    rows->setRows(std::move(built));

    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (!currentPath.empty() && shown_[i].path == currentPath) {
            rows->setCurrentItem(static_cast<std::int32_t>(i));
        }
    }
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (selectedPaths.count(shown_[i].path) != 0) {
            rows->select(static_cast<std::int32_t>(i));
        }
    }
    setScrollPosition(position);
}

void ImageTable::setAcceptDrops(bool on) {
    table()->setOption(kAcceptsDrops, on);
}

std::vector<std::size_t> ImageTable::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const std::int32_t row : table()->selectedItems()) {
        rows.push_back(static_cast<std::size_t>(row));
    }
    return rows;
}

UIMenu* ImageTable::contextMenu() const {
    return menu_;
}

void ImageTable::updateContextMenu() {
    const std::size_t selected = selectedRows().size();
    menu_->setItemText(menu_->entry(MenuItem::Exclude), excludeMenuText(selected));
    menu_->setItemEnabled(menu_->entry(MenuItem::Exclude), selected >= 1);
    menu_->setItemEnabled(menu_->entry(MenuItem::OpenFolder), selected == 1);
    menu_->setItemChecked(menu_->entry(MenuItem::ShowPreview), list_.showPreview());
    menu_->setItemChecked(menu_->entry(MenuItem::ShowFullName), list_.showFullName());
}

void ImageTable::setOpener(std::function<void(const std::string&)> opener) {
    opener_ = std::move(opener);
}

void ImageTable::open(const std::string& path) {
    if (!path.empty() && fileExists(path)) {
        opener_(path);
    }
}

void ImageTable::openRow(std::int32_t row, bool result) {
    if (row >= 0 && static_cast<std::size_t>(row) < list_.size()) {
        const ImageItem& item = list_.items()[static_cast<std::size_t>(row)];
        open(result ? item.resultPath : item.path);
    }
}

void ImageTable::openSelectedImage() {
    const std::vector<std::size_t> rows = selectedRows();
    if (rows.size() == 1) {
        openRow(static_cast<std::int32_t>(rows.front()), false);
    }
}

void ImageTable::openSelectedFolder() {
    const std::vector<std::size_t> rows = selectedRows();
    if (rows.size() == 1 && rows.front() < list_.size()) {
        open(withTrailingSeparator(directoryPart(list_.items()[rows.front()].path)));
    }
}

void ImageTable::excludeSelected() {
    const std::vector<std::size_t> rows = selectedRows();
    if (!rows.empty()) {
        list_.excludeSelected(rows);
    }
}

void ImageTable::dropPaths(const std::vector<std::string>& paths) {
    static_cast<void>(list_.addImages(list_.expandPaths(paths)));
}

} // namespace scalora
