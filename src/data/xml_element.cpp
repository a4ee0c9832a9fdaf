#include "data/xml_element.h"

#include <utility>

namespace scalora {

// Moves the children into a work list and frees each element only after its own children were
// moved out, so no destructor call ever nests inside another.
void XmlElement::releaseChildren(std::vector<std::unique_ptr<XmlElement>>& children) {
    std::vector<std::unique_ptr<XmlElement>> pending = std::move(children);
    children.clear();
    while (!pending.empty()) {
        std::unique_ptr<XmlElement> element = std::move(pending.back());
        pending.pop_back();
        for (auto& child : element->children_) {
            pending.push_back(std::move(child));
        }
        element->children_.clear();
    }
}

XmlElement::~XmlElement() {
    if (!children_.empty()) {
        releaseChildren(children_);
    }
}

void XmlElement::addAttribute(std::string name, std::string value) {
    attributes_.push_back({std::move(name), std::move(value)});
}

const std::string& XmlElement::attributeValue(std::string_view name) const {
    static const std::string kEmpty;
    for (const XmlAttribute& attribute : attributes_) {
        if (attribute.name == name) {
            return attribute.value;
        }
    }
    return kEmpty;
}

bool XmlElement::hasAttribute(std::string_view name) const {
    for (const XmlAttribute& attribute : attributes_) {
        if (attribute.name == name) {
            return true;
        }
    }
    return false;
}

XmlElement& XmlElement::addChild(std::string name) {
    return addChild(std::make_unique<XmlElement>(std::move(name)));
}

XmlElement& XmlElement::addChild(std::unique_ptr<XmlElement> child) {
    children_.push_back(std::move(child));
    return *children_.back();
}

const XmlElement* XmlElement::findChild(std::string_view path) const {
    const XmlElement* element = this;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const std::string_view piece = path.substr(pos, end - pos);
        pos = end + 1;
        if (piece.empty()) {
            continue;
        }
        const XmlElement* found = nullptr;
        for (const auto& child : element->children_) {
            if (child->name_ == piece) {
                found = child.get();
                break;
            }
        }
        if (found == nullptr) {
            return nullptr;
        }
        element = found;
    }
    return element;
}

XmlElement* XmlElement::findChild(std::string_view path) {
    return const_cast<XmlElement*>(std::as_const(*this).findChild(path));
}

void XmlElement::clear() {
    text_.clear();
    attributes_.clear();
    releaseChildren(children_);
}

} // namespace scalora
