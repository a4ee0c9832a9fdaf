#include "ui/style/cursor_set.h"

#include "base/strings.h"
#include "data/xml_document.h"
#include "ui/style/resource_source.h"
#include "ui/style/ui_style.h"

namespace scalora {

namespace {

bool validId(std::int32_t id) {
    return id >= 1 && id <= kCursorCount;
}

} // namespace

CursorSet::CursorSet() {
    for (std::int32_t id = 1; id <= kCursorCount; ++id) {
        looks_[static_cast<std::size_t>(id)].system = systemCursorFor(id);
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
        const std::int32_t id = cursorIdForName(name);
        CursorLook& look = looks_[static_cast<std::size_t>(id)];
        look.image = std::move(image);
        look.hotspot = {parseLeadingInt(entry->attributeValue("hotspotX")),
                        parseLeadingInt(entry->attributeValue("hotspotY"))};
        if (void*& native = native_[static_cast<std::size_t>(id)]; native && backend_) {
            backend_->destroyCursor(native);
            native = nullptr;
        }
    }
    return true;
}

const CursorLook& CursorSet::look(std::int32_t id) const {
    return looks_[static_cast<std::size_t>(validId(id) ? id : 1)];
}

void CursorSet::setBackend(std::unique_ptr<CursorBackend> backend) {
    releaseNative();
    backend_ = std::move(backend);
}

void* CursorSet::cursor(std::int32_t id) {
    if (!backend_) {
        return nullptr;
    }
    const auto i = static_cast<std::size_t>(validId(id) ? id : 1);
    if (native_[i] == nullptr) {
        const CursorLook& s = looks_[i];
        native_[i] = s.image ? backend_->createImageCursor(*s.image, s.hotspot)
                             : backend_->createSystemCursor(s.system);
    }
    return native_[i];
}

void CursorSet::releaseNative() {
    for (void*& native : native_) {
        if (native != nullptr && backend_) {
            backend_->destroyCursor(native);
        }
        native = nullptr;
    }
}

} // namespace scalora
