#include "ui/style/cursor_set.h"

#include "base/strings.h"
#include "data/xml_document.h"
#include "ui/style/resource_source.h"
#include "ui/style/ui_style.h"

namespace scalora {

std::size_t CursorSet::indexOf(CursorId id) {
    return static_cast<std::size_t>(isCursorInTable(id) ? id : CursorId::Arrow);
}

CursorSet::CursorSet() {
    for (std::size_t i = 1; i < looks_.size(); ++i) {
        looks_[i].system = systemCursorFor(static_cast<CursorId>(i));
    }
}

CursorSet::~CursorSet() {
    releaseNative();
}

bool CursorSet::load(const ResourceSource& data) {
    std::string bytes;
    XmlDocument doc;
    if (!data.read("cursors", "cursors.xml", bytes) || !doc.loadFromString(bytes)) {
        return false;
    }
    const XmlElement* root = doc.root().findChild("cursors");
    if (root == nullptr) {
        return false;
    }
    for (const auto& entry : root->children()) {
        const std::string& name = entry->attributeValue("name");
        std::string png;
        auto image = std::make_shared<PixelImage>();
        if (name.empty() || !data.read("cursors", name + ".png", png) ||
            !decodeStyleImage(png, *image, StyleImageAlpha::Straight)) {
            continue; // an entry without its image keeps the id's system cursor
        }
        const std::size_t id = indexOf(cursorIdForName(name));
        CursorLook& look = looks_[id];
        look.image = std::move(image);
        look.hotspot = {parseLeadingInt(entry->attributeValue("hotspotX")),
                        parseLeadingInt(entry->attributeValue("hotspotY"))};
        releaseNative(id);
    }
    return true;
}

bool CursorSet::setImage(CursorId id, const PixelImage& image, Point hotspot) {
    if (!isCursorInTable(id) || image.isNull()) {
        return false;
    }
    const std::size_t i = indexOf(id);
    looks_[i].image = std::make_shared<const PixelImage>(image.clone());
    looks_[i].hotspot = hotspot;
    releaseNative(i);
    return true;
}

const CursorLook& CursorSet::look(CursorId id) const {
    return looks_[indexOf(id)];
}

void CursorSet::setBackend(std::unique_ptr<CursorBackend> backend) {
    releaseNative();
    backend_ = std::move(backend);
}

void* CursorSet::cursor(CursorId id) {
    if (!backend_) {
        return nullptr;
    }
    const std::size_t i = indexOf(id);
    if (native_[i] == nullptr) {
        const CursorLook& s = looks_[i];
        native_[i] = s.image ? backend_->createImageCursor(*s.image, s.hotspot)
                             : backend_->createSystemCursor(s.system);
    }
    return native_[i];
}

void CursorSet::releaseNative() {
    for (std::size_t i = 0; i < native_.size(); ++i) {
        releaseNative(i);
    }
}

void CursorSet::releaseNative(std::size_t index) {
    if (void*& native = native_[index]; native != nullptr) {
        if (backend_) {
            backend_->destroyCursor(native);
        }
        native = nullptr;
    }
}

} // namespace scalora
