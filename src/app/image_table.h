// The table that shows the image list: a status icon and text, the preview, the name or the
// full path per row, a tool tip per row, the hint while the list is empty, and the list's own
// context menu, keys, double clicks and drops. It follows the list's `changed` signal.
#pragma once

#include "ui/core/ui_signal.h"
#include "ui/widgets/ui_table_view.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace scalora {

class ImageList;
class ImageListHost;
class PixelImage;
class UIMenu;

class ImageTable : public UITableView {
public:
    // Columns, in this order.
    enum class Column : std::int32_t { Status = 0, Preview = 1, Name = 2 };
    // The context menu's items, by index in the menu.
    enum class MenuItem : std::size_t {
        Exclude = 0,
        OpenFolder = 1,
        ShowPreview = 3,
        ShowFullName = 4,
    };

    ImageTable(UIElement* parent, ImageList& list, ImageListHost& host);
    ~ImageTable() override;

    // Refills the rows from the list with the current display settings; the selected items
    // stay selected and the scroll position stays where it was.
    void rebuildView();
    // Drops of files on the table (refused while the host is busy).
    void setAcceptDrops(bool on);
    // Header titles, the hint, the menu and the rows' texts in the current language.
    void retranslate();

    std::vector<std::size_t> selectedRows() const;
    UIMenu* contextMenu() const;
    // Brings the context menu's items up to date with the selection (done before it opens).
    void updateContextMenu();
    // How files and folders are opened; the desktop's default application unless replaced
    // (tests replace it).
    void setOpener(std::function<void(const std::string&)> opener);

    // What a shown preview was copied from: the item's path and its picture's pixels.
    struct PreviewKey {
        std::string path;
        const void* pixels = nullptr;
        std::int32_t width = 0;
        std::int32_t height = 0;
        auto operator<=>(const PreviewKey&) const = default;
    };

private:
    struct ShownRow {
        std::string path;
        PreviewKey key;
        std::shared_ptr<const PixelImage> preview;
    };
    class Rows;
    class Menu;
    friend class Rows;
    friend class Menu;

    void openRow(std::int32_t row, bool result);
    void openSelectedImage();
    void openSelectedFolder();
    void excludeSelected();
    void dropPaths(const std::vector<std::string>& paths);
    void open(const std::string& path);

    ImageList& list_;
    ImageListHost& host_;
    Menu* menu_ = nullptr;
    std::shared_ptr<ImageTable*> alive_;
    std::function<void(const std::string&)> opener_;
    std::shared_ptr<const PixelImage> statusIcons_[3];
    std::vector<ShownRow> shown_;
};

} // namespace scalora
