#include "exchange/ui_mime_data.h"

#include "base/strings.h"

namespace scalora {

const UIMimeData::Entry* UIMimeData::find(std::string_view format) const {
    for (const Entry& e : entries_) {
        if (e.format == format) {
            return &e;
        }
    }
    return nullptr;
}

UIMimeData::Entry& UIMimeData::entryFor(std::string_view format) {
    for (Entry& e : entries_) {
        if (e.format == format) {
            return e;
        }
    }
    entries_.push_back({std::string(format), {}, {}, {}});
    return entries_.back();
}

std::vector<std::string> UIMimeData::formats() const {
    std::vector<std::string> names;
    names.reserve(entries_.size());
    for (const Entry& e : entries_) {
        names.push_back(e.format);
    }
    return names;
}

void UIMimeData::setData(std::string_view format, std::string bytes) {
    Entry& e = entryFor(format);
    e.bytes = std::move(bytes);
    e.paths.clear();
    e.image.reset();
    if (format == kMimeFilePathList) {
        for (std::string& p : split(e.bytes, "\n")) {
            if (!p.empty()) {
                e.paths.push_back(std::move(p));
            }
        }
    }
}

std::string UIMimeData::data(std::string_view format) const {
    const Entry* e = find(format);
    return e != nullptr ? e->bytes : std::string();
}

std::vector<std::string> UIMimeData::filePaths() const {
    const Entry* e = find(kMimeFilePathList);
    return e != nullptr ? e->paths : std::vector<std::string>();
}

void UIMimeData::setFilePaths(std::vector<std::string> paths) {
    Entry& e = entryFor(kMimeFilePathList);
    e.bytes = join(paths, "\n");
    e.paths = std::move(paths);
    e.image.reset();
}

std::shared_ptr<const PixelImage> UIMimeData::image() const {
    const Entry* e = find(kMimeImage);
    return e != nullptr ? e->image : nullptr;
}

void UIMimeData::setImage(PixelImage image) {
    Entry& e = entryFor(kMimeImage);
    e.bytes.clear();
    e.paths.clear();
    e.image = std::make_shared<PixelImage>(std::move(image));
}

} // namespace scalora
