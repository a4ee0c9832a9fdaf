#include "data/xml_writer.h"

#include "data/text_file.h"
#include "data/xml_document.h"

#include <vector>

namespace scalora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kIndentPerLevel = 4;

void writeStartTag(const XmlElement& element, std::size_t depth, TextFileWriter& out) {
    std::string line(depth * kIndentPerLevel, ' ');
    line += '<';
    line += element.name();
    for (const XmlAttribute& attribute : element.attributes()) {
        line += ' ';
        line += attribute.name;
        line += '=';
        line += quotedAttributeValue(attribute.value);
    }
    line += element.children().empty() ? " />" : ">";
    line += kLineEnd;
    out.write(line);
}

void writeEndTag(const XmlElement& element, std::size_t depth, TextFileWriter& out) {
    std::string line(depth * kIndentPerLevel, ' ');
    line += "</";
    line += element.name();
    line += '>';
    line += kLineEnd;
    out.write(line);
}

} // namespace

std::string quotedAttributeValue(std::string_view value) {
    const bool hasDouble = value.find('"') != std::string_view::npos;
    const bool hasSingle = value.find('\'') != std::string_view::npos;
    if (hasDouble && hasSingle) {
        return "\"\"";
    }
    const char quote = hasDouble ? '\'' : '"';
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += quote;
    quoted += value;
    quoted += quote;
    return quoted;
}

void XmlWriter::write(const XmlDocument& document, TextFileWriter& out) {
    out.write("<?xml version=\"1.0\" encoding=\"");
    out.write("utf-8");
    out.write("\"?>");
    out.write(kLineEnd);

    // An explicit stack instead of recursion: depth is only limited by memory.
    struct Frame {
        const XmlElement* element;
        std::size_t nextChild;
    };
    std::vector<Frame> stack;
    const auto& top = document.root().children();
    for (const auto& topElement : top) {
        stack.push_back({topElement.get(), 0});
        writeStartTag(*topElement, 0, out);
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const auto& children = frame.element->children();
            if (frame.nextChild < children.size()) {
                const XmlElement* child = children[frame.nextChild++].get();
                writeStartTag(*child, stack.size(), out);
                if (!child->children().empty()) {
                    stack.push_back({child, 0});
                }
                continue;
            }
            if (!children.empty()) {
                writeEndTag(*frame.element, stack.size() - 1, out);
            }
            stack.pop_back();
        }
    }
}

std::string XmlWriter::toBytes(const XmlDocument& document) {
    TextFileWriter out(TextEncoding::Utf8);
    write(document, out);
    return out.bytes();
}

bool XmlWriter::writeFile(const XmlDocument& document, const std::string& path) {
    TextFileWriter out(TextEncoding::Utf8);
    write(document, out);
    return out.saveTo(path);
}

} // namespace scalora
