// An XML document: a pseudo-element "ROOT" whose children are the file's top-level elements,
// with loading from files or text and saving through the XmlWriter.
#pragma once

#include "data/text_file.h"
#include "data/xml_element.h"

#include <string>
#include <string_view>

namespace scalora {

class XmlDocument {
public:
    XmlDocument() : root_("ROOT") {}

    // Each load clears the document first. On failure the tree holds whatever was parsed before
    // the error and should be ignored.
    [[nodiscard]] bool loadFromFile(const std::string& path,
                                    TextEncoding encoding = TextEncoding::Utf8);
    [[nodiscard]] bool loadFromString(std::string_view text);
    // Writes the document in one step: a failed save leaves any old file untouched.
    [[nodiscard]] bool saveToFile(const std::string& path) const;

    XmlElement& root() { return root_; }
    const XmlElement& root() const { return root_; }
    void clear() { root_.clear(); }
    // Why the last load failed, for diagnostics.
    const std::string& errorText() const { return errorText_; }

private:
    XmlElement root_;
    std::string errorText_;
};

} // namespace scalora
