#include "data/xml_document.h"

#include "base/strings.h"
#include "data/xml_parser.h"
#include "data/xml_writer.h"

namespace scalora {

bool XmlDocument::loadFromFile(const std::string& path, TextEncoding encoding) {
    clear();
    if (path.empty()) {
        errorText_ = "no path";
        return false;
    }
    const std::optional<std::string> text = readTextFile(path, encoding);
    if (!text) {
        errorText_ = "cannot read " + path;
        return false;
    }
    return loadFromString(*text);
}

bool XmlDocument::loadFromString(std::string_view text) {
    clear();
    XmlParser parser;
    bool ok = false;
    if (isValidUtf8(text)) {
        ok = parser.parse(text, root_);
    } else {
        const std::string repaired = utf32ToUtf8(utf8ToUtf32(text));
        ok = parser.parse(repaired, root_);
    }
    errorText_ = ok ? std::string() : parser.errorText();
    return ok;
}

bool XmlDocument::saveToFile(const std::string& path) const {
    return !path.empty() && XmlWriter::writeFile(*this, path);
}

} // namespace scalora
