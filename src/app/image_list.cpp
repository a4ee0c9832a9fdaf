#include "app/image_list.h"

#include "app/image_list_host.h"
#include "app/image_list_texts.h"
#include "app/ordered_work.h"
#include "app/settings_access.h"
#include "base/product.h"
#include "base/strings.h"
#include "data/settings_store.h"
#include "data/translate.h"
#include "engine/batch_engine.h"
#include "engine/file_gatherer.h"
#include "engine/image_format_handler.h"
#include "platform/file_system.h"
#include "ui/widgets/ui_message_box.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <set>
#include <thread>
#include <utility>

namespace scalora {
namespace {

constexpr std::string_view kUseSubfoldersKey = "general/isUseSubfolders";
constexpr std::string_view kShowPreviewKey = "general/isShowPreview";
constexpr std::string_view kShowFullNameKey = "general/isShowFullName";

// Previews are decoded on up to this many threads besides the UI thread's waiting.
constexpr unsigned kMaxPreviewThreads = 4;
// How long adding waits for a preview before it gives the window a turn.
constexpr std::chrono::milliseconds kLongestStill{40};

unsigned previewThreads() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxPreviewThreads);
}

} // namespace

struct ImageList::Prepared {
    ImageItem item;
    FileIdentity identity;
    bool opened = false;
};

ImageList::ImageList(BatchEngine& engine, SettingsStore& settings, ImageListHost& host)
    : engine_(engine), settings_(settings), host_(host) {}

std::vector<std::string> ImageList::expandPaths(const std::vector<std::string>& paths) const {
    GatherOptions options;
    options.recursive = readBoolSetting(settings_, kUseSubfoldersKey);
    options.destinationText = host_.destinationText();
    options.cwd = currentDirectory();
    return gatherImageFiles(paths, options);
}

ImageList::Prepared ImageList::prepare(const std::string& path, bool withPreview) const {
    Prepared p{ImageItem(path), {}, false};
    const std::optional<FileStatus> status = fileStatus(p.item.path);
    if (!status || status->kind != FileKind::RegularFile ||
        !isAcceptedImageExtension(p.item.extension)) {
        return p;
    }
    p.identity = status->identity;
    const std::optional<Size> size = engine_.codec().measure(p.item.path);
    if (!size) {
        return p;
    }
    p.item.width = size->width;
    p.item.height = size->height;
    p.item.fileSize = status->size;
    if (withPreview) {
        p.item.thumbnail = engine_.codec().makeThumbnail(p.item.path);
    }
    p.item.measured = true;
    p.opened = true;
    return p;
}

void ImageList::syncIdentities() {
    const std::vector<ImageItem>& items = engine_.items();
    if (identities_.size() == items.size()) {
        return;
    }
    identities_.clear();
    listed_.clear();
    for (const ImageItem& item : items) {
        const std::optional<FileStatus> status = fileStatus(item.path);
        identities_.push_back(status ? status->identity : FileIdentity{});
        listed_.insert(identities_.back());
    }
}

bool ImageList::commit(Prepared prepared) {
    // The same file is listed once, whatever name it comes by (a hard link, a symbolic one).
    syncIdentities();
    if (!prepared.opened || !listed_.insert(prepared.identity).second) {
        return false;
    }
    engine_.items().push_back(std::move(prepared.item));
    identities_.push_back(prepared.identity);
    return true;
}

bool ImageList::addImage(const std::string& path) {
    return commit(prepare(path, showPreview()));
}

int ImageList::addImages(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        showMessage(translate("Images not found.", kListMessagesContext));
        return 0;
    }
    host_.beginBusy();
    const bool withPreview = showPreview();
    OrderedWork<Prepared> work(
        paths.size(), [&](std::size_t i) { return prepare(paths[i], withPreview); },
        previewThreads());
    int count = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!host_.turnEventLoop()) {
            return count;
        }
        // A large photo without a usable EXIF thumbnail takes a while to preview: the window
        // keeps painting meanwhile.
        while (!work.waitFor(i, kLongestStill)) {
            if (!host_.turnEventLoop()) {
                return count;
            }
        }
        if (commit(work.take(i))) {
            ++count;
            host_.setBusyProgress(static_cast<double>(count) / static_cast<double>(paths.size()) *
                                  100.0);
            host_.updateCounter();
        }
    }
    changed.emit();
    host_.updateCommands();
    host_.endBusy();
    return count;
}

void ImageList::excludeSelected(const std::vector<std::size_t>& rows) {
    syncIdentities();
    std::vector<ImageItem>& items = engine_.items();
    std::vector<bool> drop(items.size(), false);
    for (const std::size_t row : rows) {
        if (row < items.size()) {
            drop[row] = true;
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!drop[i]) {
            if (kept != i) {
                items[kept] = std::move(items[i]);
                identities_[kept] = identities_[i];
            }
            ++kept;
        }
    }
    items.resize(kept);
    identities_.resize(kept);
    listed_ = std::set<FileIdentity>(identities_.begin(), identities_.end());
    changed.emit();
    host_.updateCounter();
    host_.updateCommands();
}

void ImageList::clear() {
    engine_.items().clear();
    identities_.clear();
    listed_.clear();
    changed.emit();
    host_.updateCounter();
    host_.updateCommands();
}

std::size_t ImageList::size() const {
    return engine_.items().size();
}

const std::vector<ImageItem>& ImageList::items() const {
    return engine_.items();
}

bool ImageList::showPreview() const {
    return readBoolSetting(settings_, kShowPreviewKey);
}

bool ImageList::showFullName() const {
    return readBoolSetting(settings_, kShowFullNameKey);
}

void ImageList::setShowPreview(bool on) {
    settings_.set(kShowPreviewKey, SettingValue(on));
    if (!on) {
        changed.emit();
        return;
    }
    std::vector<std::size_t> missing;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < engine_.items().size(); ++i) {
        const ImageItem& item = engine_.items()[i];
        if (!item.path.empty() && item.thumbnail.isNull()) {
            missing.push_back(i);
            paths.push_back(item.path);
        }
    }
    host_.beginBusy();
    OrderedWork<PixelImage> work(
        paths.size(), [&](std::size_t i) { return engine_.codec().makeThumbnail(paths[i]); },
        previewThreads());
    for (std::size_t i = 0; i < missing.size(); ++i) {
        if (!host_.turnEventLoop()) {
            return;
        }
        PixelImage thumbnail = work.take(i);
        std::vector<ImageItem>& items = engine_.items();
        if (missing[i] < items.size() && items[missing[i]].path == paths[i]) {
            items[missing[i]].thumbnail = std::move(thumbnail);
        }
        host_.setBusyProgress(static_cast<double>(i + 1) / static_cast<double>(missing.size()) *
                              100.0);
    }
    changed.emit();
    host_.endBusy();
}

void ImageList::setShowFullName(bool on) {
    settings_.set(kShowFullNameKey, SettingValue(on));
    changed.emit();
}

void ImageList::setMessageHandler(std::function<void(const std::string&)> handler) {
    messageHandler_ = std::move(handler);
}

void ImageList::showMessage(const std::string& text) {
    if (messageHandler_) {
        messageHandler_(text);
        return;
    }
    UIMessageBox box(host_.ownerWindow(), static_cast<std::int32_t>(UIMessageBoxIcon::Information),
                     std::string(kProductName), text, UIMessageBoxButton::Ok);
    box.run();
}

} // namespace scalora
