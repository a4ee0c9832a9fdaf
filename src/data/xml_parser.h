// The XML parser: a single pass over UTF-8 text by an eleven-state machine, building the tree
// under a given root element. It covers the subset the program's files use: a declaration,
// nested elements, quoted attributes, comments and element text; no entities, CDATA or DOCTYPE.
#pragma once

#include "data/command_machine.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class XmlElement;

enum class ParseState {
    BetweenTags = 0,
    TagStart = 1,
    AfterElementName = 2,
    ElementContent = 3,
    TagClose = 4,
    EndTag = 5,
    Comment = 6,
    AttributeGap = 7,
    AttributeName = 8,
    EqualsAndQuote = 9,
    AttributeValue = 10,
};

// Where the element grammar starts: just past the "?>" that ends the declaration, with "?>"
// inside comments ignored; npos when there is none.
std::size_t findDeclarationEnd(std::string_view text);

// Character classes of the grammar: letters and digits by Unicode, plus "-", "_" and ".".
bool isXmlLetterOrDigit(char32_t c);
bool isXmlNameChar(char32_t c);

class XmlParser {
public:
    XmlParser();
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    // Appends the elements of text (valid UTF-8) to root. On failure root keeps what was
    // built so far; callers treat the tree as unusable.
    [[nodiscard]] bool parse(std::string_view text, XmlElement& root);
    const std::string& errorText() const { return errorText_; }

private:
    bool betweenTags(int& next);
    bool tagStart(int& next);
    bool afterElementName(int& next);
    bool elementContent(int& next);
    bool tagClose(int& next);
    bool endTag(int& next);
    bool comment(int& next);
    bool attributeGap(int& next);
    bool attributeName(int& next);
    bool equalsAndQuote(int& next);
    bool attributeValue(int& next);

    bool atEnd() const { return pos_ >= text_.size(); }
    // The character at the current position and its length in bytes.
    char32_t peek(std::size_t& width) const;
    static void go(int& next, ParseState state) { next = static_cast<int>(state); }

    CommandMachine machine_;
    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<XmlElement*> open_;
    XmlElement* current_ = nullptr;
    XmlElement* built_ = nullptr;
    std::unique_ptr<XmlElement> builtOwner_; // set until the built element joins the tree
    char quote_ = 0;
    std::string nameBuffer_;
    std::string textBuffer_;
    std::string attributeNameBuffer_;
    std::string attributeValueBuffer_;
    std::string errorText_;
};

} // namespace scalora
