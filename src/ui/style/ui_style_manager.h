// The one style manager of the process: finds and loads the style package that gives every
// widget its look, keeps the current UIStyle, and holds the things that come from the data
// archive instead: the window icons and the cursor set. It knows nothing of elements; the
// element layer applies the style in setStyleClass through applyStyle() and installs the
// hook that lays out and repaints the visible windows after a later load.
#pragma once

#include "ui/style/cursor_set.h"
#include "ui/style/ui_style.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace scalora {

class ResourceSource;

// Where a style of that name is: a name containing "/" is a path used as it is (a ".style"
// file or a package folder); otherwise "<name>.style" beside the program, in its "styles"
// folder, then in the installed share folder (<moduleDir>/../share/halvorn-scalora and its
// "styles" folder). Empty when none exists.
std::string locateStyle(std::string_view name, const std::string& moduleDir);

class UIStyleManager {
public:
    // Opens a package file as a resource source; null when the file is not a package.
    using ArchiveOpener = std::function<std::unique_ptr<ResourceSource>(const std::string& path)>;

    static UIStyleManager& instance();

    UIStyleManager();
    ~UIStyleManager();
    UIStyleManager(const UIStyleManager&) = delete;
    UIStyleManager& operator=(const UIStyleManager&) = delete;

    // Locates a style by name and loads it (loadStyleFrom). False leaves no current style.
    [[nodiscard]] bool loadStyle(std::string_view name);
    // Loads the package at a path: a folder is read as loose files, anything else as a
    // package archive. On success the style becomes current and the loaded hook runs.
    [[nodiscard]] bool loadStyleFrom(const std::string& path);
    // Why the last load failed.
    const std::string& errorText() const { return error_; }

    const UIStyle* style() const { return style_.get(); }
    std::int32_t metric(StyleMetric metric) const { return style_ ? style_->metric(metric) : 0; }
    const PixelImage* standardImage(StandardImage image) const {
        return style_ ? style_->standardImage(image) : nullptr;
    }
    // Hands the current style to one element (nothing when there is none).
    void applyStyle(std::string_view styleClass, const UIStyle::PropertySink& property,
                    const UIStyle::SkinSink& skin) const;
    // Runs after every successful load; the element layer lays out and repaints the
    // visible windows in it.
    void setStyleLoadedHook(std::function<void()> hook) { loadedHook_ = std::move(hook); }

    // The data archive: reads the window icons ("images/window_icon_small.png",
    // "images/window_icon_big.png" and, where the desktop shows larger ones,
    // "images/window_icon_large.png") and the cursors ("cursors/cursors.xml").
    void setDataSource(std::shared_ptr<const ResourceSource> data);
    // Straight alpha, as native windows take them; null when the data archive had none.
    const PixelImage* windowIcon(bool big) const;
    const PixelImage* largeWindowIcon() const { return iconLarge_.get(); }

    CursorSet& cursors() { return cursors_; }
    // The native cursor (see CursorSet::cursor).
    void* cursor(CursorId id) { return cursors_.cursor(id); }

    // For packages and tests: where the program is, and how ".style" files are opened.
    void setModuleDirectory(std::string dir) { moduleDir_ = std::move(dir); }
    const std::string& moduleDirectory() const { return moduleDir_; }
    void setArchiveOpener(ArchiveOpener opener) { openArchive_ = std::move(opener); }

private:
    std::unique_ptr<UIStyle> style_;
    std::string error_;
    std::function<void()> loadedHook_;
    std::shared_ptr<const ResourceSource> data_;
    std::shared_ptr<const PixelImage> iconSmall_;
    std::shared_ptr<const PixelImage> iconBig_;
    std::shared_ptr<const PixelImage> iconLarge_;
    CursorSet cursors_;
    std::string moduleDir_;
    ArchiveOpener openArchive_;
};

} // namespace scalora
