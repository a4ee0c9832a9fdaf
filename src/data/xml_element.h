// The XML tree: elements with a name, collected text, attributes and children, all in document
// order. Duplicate names are kept; every lookup returns the first match.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

struct XmlAttribute {
    std::string name;
    std::string value; // exactly as it stood between the quotes
};

class XmlElement {
public:
    explicit XmlElement(std::string name = {}) : name_(std::move(name)) {}
    // Frees the subtree without recursion, so arbitrarily deep trees cannot exhaust the stack.
    ~XmlElement();
    XmlElement(const XmlElement&) = delete;
    XmlElement& operator=(const XmlElement&) = delete;

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Character data the parser collected for this element; the writer never writes it.
    const std::string& text() const { return text_; }
    void appendText(std::string_view text) { text_ += text; }
    void setText(std::string text) { text_ = std::move(text); }

    const std::vector<XmlAttribute>& attributes() const { return attributes_; }
    void addAttribute(std::string name, std::string value);
    // The value of the first attribute of that name (case-sensitive), or a shared empty string.
    const std::string& attributeValue(std::string_view name) const;
    bool hasAttribute(std::string_view name) const;

    const std::vector<std::unique_ptr<XmlElement>>& children() const { return children_; }
    XmlElement& addChild(std::string name);
    XmlElement& addChild(std::unique_ptr<XmlElement> child);
    // The path is split at "/" with empty pieces skipped; each piece picks the first child of
    // that name (case-sensitive). Nothing when a piece is not found; a path without pieces
    // gives this element.
    const XmlElement* findChild(std::string_view path) const;
    XmlElement* findChild(std::string_view path);

    // Drops text, attributes and children; the name stays.
    void clear();

private:
    static void releaseChildren(std::vector<std::unique_ptr<XmlElement>>& children);

    std::string name_;
    std::string text_;
    std::vector<XmlAttribute> attributes_;
    std::vector<std::unique_ptr<XmlElement>> children_;
};

} // namespace scalora
