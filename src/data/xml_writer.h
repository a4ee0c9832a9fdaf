// Writes an XML document the way the program's files look: UTF-8 with byte-order mark, a
// utf-8 declaration, four blanks of indent per level, CRLF line ends, empty elements as
// "<name ... />". Element text is not written.
#pragma once

#include <string>
#include <string_view>

namespace scalora {

class XmlDocument;
class TextFileWriter;

class XmlWriter {
public:
    // Feeds the declaration and every top-level element (not "ROOT" itself) to out.
    static void write(const XmlDocument& document, TextFileWriter& out);
    // The complete file contents.
    static std::string toBytes(const XmlDocument& document);
    [[nodiscard]] static bool writeFile(const XmlDocument& document, const std::string& path);
};

// An attribute value with its quotes. Values are not escaped: one that holds a double quote
// (and no single quote) goes in single quotes so it reads back unchanged; one that holds both
// cannot be written faithfully and is written as "" so the rest of the file stays readable.
std::string quotedAttributeValue(std::string_view value);

} // namespace scalora
