#include "ui/style/ui_style_manager.h"

#include "base/paths.h"
#include "data/resource_locator.h"
#include "ui/style/resource_source.h"

#include <filesystem>
#include <system_error>

namespace scalora {

namespace {

std::string programDirectory() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

} // namespace

std::string locateStyle(std::string_view name, const std::string& moduleDir) {
    // A package folder given as a path loads as loose files (handy while designing a style).
    if (name.find('/') != std::string_view::npos &&
        std::filesystem::is_directory(std::string(name))) {
        return std::string(name);
    }
    return locateResourceFile(moduleDir, name, ".style", "styles");
}

UIStyleManager& UIStyleManager::instance() {
    // Lives until exit: elements may ask for it while they are destroyed at the very end.
    static UIStyleManager* manager = new UIStyleManager();
    return *manager;
}

UIStyleManager::UIStyleManager()
    : moduleDir_(programDirectory()),
      openArchive_([](const std::string& path) -> std::unique_ptr<ResourceSource> {
          return ArchiveSource::open(path);
      }) {}

UIStyleManager::~UIStyleManager() = default;

bool UIStyleManager::loadStyle(std::string_view name) {
    const std::string path = locateStyle(name, moduleDir_);
    if (path.empty()) {
        style_.reset();
        error_ = "no style named \"" + std::string(name) + "\" was found";
        return false;
    }
    return loadStyleFrom(path);
}

bool UIStyleManager::loadStyleFrom(const std::string& path) {
    style_.reset();
    std::error_code ec;
    std::unique_ptr<ResourceSource> source;
    UIStyle::SourceMode mode = UIStyle::SourceMode::ArchiveFile;
    if (std::filesystem::is_directory(path, ec)) {
        source = std::make_unique<FolderSource>(path);
        mode = UIStyle::SourceMode::LooseFolder;
    } else if (openArchive_) {
        source = openArchive_(path);
    }
    if (!source) {
        error_ = "cannot open the style package " + path;
        return false;
    }
    auto style = std::make_unique<UIStyle>();
    const bool ok = style->load(*source, path, mode);
    source.reset(); // the package's files are not needed once read
    if (!ok) {
        error_ = style->errorText();
        return false;
    }
    error_.clear();
    style_ = std::move(style);
    if (loadedHook_) {
        loadedHook_();
    }
    return true;
}

void UIStyleManager::applyStyle(std::string_view styleClass, const UIStyle::PropertySink& property,
                                const UIStyle::SkinSink& skin) const {
    if (style_) {
        style_->applyTo(styleClass, property, skin);
    }
}

void UIStyleManager::setDataSource(std::shared_ptr<const ResourceSource> data) {
    data_ = std::move(data);
    iconSmall_.reset();
    iconBig_.reset();
    iconLarge_.reset();
    if (!data_) {
        return;
    }
    auto readIcon = [this](std::string_view file) -> std::shared_ptr<const PixelImage> {
        std::string bytes;
        auto image = std::make_shared<PixelImage>();
        if (!data_->read("images", file, bytes) ||
            !decodeStyleImage(bytes, *image, StyleImageAlpha::Straight)) {
            return nullptr;
        }
        return image;
    };
    iconSmall_ = readIcon("window_icon_small.png");
    iconBig_ = readIcon("window_icon_big.png");
    iconLarge_ = readIcon("window_icon_large.png");
    // An archive without cursors.xml keeps the system cursors, which is all it promises.
    static_cast<void>(cursors_.load(*data_));
}

const PixelImage* UIStyleManager::windowIcon(bool big) const {
    return big ? iconBig_.get() : iconSmall_.get();
}

} // namespace scalora
