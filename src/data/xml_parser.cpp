#include "data/xml_parser.h"

#include "base/strings.h"
#include "data/xml_element.h"

#include <cstring>

namespace scalora {

bool isXmlLetterOrDigit(char32_t c) {
    return isLetterOrDigitChar(c);
}

bool isXmlNameChar(char32_t c) {
    return c == '-' || c == '_' || c == '.' || isXmlLetterOrDigit(c);
}

std::size_t findDeclarationEnd(std::string_view text) {
    bool inComment = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!inComment) {
            if (text.substr(i, 4) == "<!--") {
                inComment = true;
            } else if (text[i] == '?' && i + 1 < text.size() && text[i + 1] == '>') {
                return i + 2;
            }
        } else if (text.substr(i, 3) == "-->") {
            inComment = false;
        }
    }
    return std::string_view::npos;
}

XmlParser::XmlParser() {
    const auto add = [this](ParseState state, bool (XmlParser::*step)(int&)) {
        machine_.addState(static_cast<int>(state),
                          [this, step](int& next) { return (this->*step)(next); });
    };
    add(ParseState::BetweenTags, &XmlParser::betweenTags);
    add(ParseState::TagStart, &XmlParser::tagStart);
    add(ParseState::AfterElementName, &XmlParser::afterElementName);
    add(ParseState::ElementContent, &XmlParser::elementContent);
    add(ParseState::TagClose, &XmlParser::tagClose);
    add(ParseState::EndTag, &XmlParser::endTag);
    add(ParseState::Comment, &XmlParser::comment);
    add(ParseState::AttributeGap, &XmlParser::attributeGap);
    add(ParseState::AttributeName, &XmlParser::attributeName);
    add(ParseState::EqualsAndQuote, &XmlParser::equalsAndQuote);
    add(ParseState::AttributeValue, &XmlParser::attributeValue);
}

bool XmlParser::parse(std::string_view text, XmlElement& root) {
    const std::size_t start = findDeclarationEnd(text);
    if (start == std::string_view::npos) {
        errorText_ = "no XML declaration";
        return false;
    }
    text_ = text;
    pos_ = start;
    open_.assign(1, &root);
    current_ = &root;
    built_ = nullptr;
    builtOwner_.reset();
    quote_ = 0;
    nameBuffer_.clear();
    textBuffer_.clear();
    attributeNameBuffer_.clear();
    attributeValueBuffer_.clear();
    const bool ok = machine_.run();
    errorText_ = machine_.errorText();
    // Nothing may point into the caller's tree or text once parsing is over.
    open_.clear();
    current_ = nullptr;
    built_ = nullptr;
    builtOwner_.reset();
    text_ = {};
    return ok;
}

char32_t XmlParser::peek(std::size_t& width) const {
    const auto byte = static_cast<unsigned char>(text_[pos_]);
    if (byte < 0x80) {
        width = 1;
        return byte;
    }
    std::size_t next = pos_;
    const char32_t c = decodeUtf8(text_, next);
    width = next - pos_;
    return c;
}

bool XmlParser::betweenTags(int& next) {
    while (!atEnd()) {
        std::size_t width = 0;
        const char32_t c = peek(width);
        if (c == '<') {
            if (!textBuffer_.empty()) {
                current_->appendText(textBuffer_);
                textBuffer_.clear();
            }
            ++pos_;
            go(next, ParseState::TagStart);
            return true;
        }
        if (!isSpaceChar(c)) {
            return false;
        }
        pos_ += width;
    }
    return true; // the end of the text between tags is the normal end
}

bool XmlParser::tagStart(int& next) {
    while (!atEnd()) {
        std::size_t width = 0;
        const char32_t c = peek(width);
        if (isXmlNameChar(c)) {
            if (built_ == nullptr) {
                builtOwner_ = std::make_unique<XmlElement>();
                built_ = builtOwner_.get();
                nameBuffer_.clear();
                textBuffer_.clear();
            }
            nameBuffer_.append(text_.substr(pos_, width));
            pos_ += width;
        } else if (built_ != nullptr && !nameBuffer_.empty()) {
            go(next, ParseState::AfterElementName);
            return true;
        } else if (c == '/') {
            ++pos_;
            go(next, ParseState::EndTag);
            return true;
        } else if (isSpaceChar(c)) {
            pos_ += width;
        } else if (c == '!') {
            if (pos_ > 0 && text_[pos_ - 1] == '<' && text_.substr(pos_ + 1, 2) == "--") {
                pos_ += 2;
                go(next, ParseState::Comment);
                return true;
            }
            ++pos_;
        } else {
            return false;
        }
    }
    return false;
}

bool XmlParser::afterElementName(int& next) {
    if (atEnd()) {
        return false;
    }
    std::size_t width = 0;
    const char32_t c = peek(width);
    if (isSpaceChar(c)) {
        go(next, ParseState::AttributeGap);
        return true;
    }
    if (c == '/' || c == '>') {
        go(next, ParseState::TagClose);
        return true;
    }
    return false;
}

bool XmlParser::elementContent(int& next) {
    const std::size_t lt = text_.find('<', pos_);
    if (lt == std::string_view::npos) {
        pos_ = text_.size();
        return false;
    }
    textBuffer_.append(text_.substr(pos_, lt - pos_));
    pos_ = lt + 1;
    current_->appendText(textBuffer_);
    textBuffer_.clear();
    built_ = nullptr;
    go(next, ParseState::TagStart);
    return true;
}

bool XmlParser::tagClose(int& next) {
    bool selfClosing = false;
    while (!atEnd()) {
        std::size_t width = 0;
        const char32_t c = peek(width);
        if (c == '/') {
            selfClosing = true;
            ++pos_;
        } else if (isSpaceChar(c)) {
            pos_ += width;
        } else if (c == '>') {
            if (current_ == nullptr || built_ == nullptr || builtOwner_ == nullptr) {
                return false;
            }
            built_->setName(nameBuffer_);
            current_->addChild(std::move(builtOwner_));
            ++pos_;
            if (selfClosing) {
                built_ = nullptr;
                go(next, ParseState::BetweenTags);
            } else {
                open_.push_back(built_);
                current_ = built_;
                go(next, ParseState::ElementContent);
            }
            return true;
        } else {
            return false;
        }
    }
    return false;
}

bool XmlParser::endTag(int& next) {
    while (!atEnd()) {
        std::size_t width = 0;
        const char32_t c = peek(width);
        if (isXmlNameChar(c) || isSpaceChar(c) || c == '/') {
            pos_ += width;
        } else if (c == '>') {
            // The pseudo-root is never closed; the end tag's name is not compared.
            if (open_.size() <= 1) {
                return false;
            }
            open_.pop_back();
            current_ = open_.back();
            ++pos_;
            go(next, ParseState::BetweenTags);
            return true;
        } else {
            return false;
        }
    }
    return false;
}

bool XmlParser::comment(int& next) {
    while (!atEnd()) {
        const std::size_t gt = text_.find('>', pos_);
        if (gt == std::string_view::npos) {
            pos_ = text_.size();
            return false;
        }
        pos_ = gt + 1;
        // The two characters before ">" may be those of the opener itself ("<!-->").
        if (gt >= 2 && text_[gt - 1] == '-' && text_[gt - 2] == '-') {
            go(next, ParseState::BetweenTags);
            return true;
        }
    }
    return false;
}

bool XmlParser::attributeGap(int& next) {
    while (!atEnd()) {
        std::size_t width = 0;
        const char32_t c = peek(width);
        if (isSpaceChar(c)) {
            pos_ += width;
        } else if (isXmlLetterOrDigit(c)) {
            go(next, ParseState::AttributeName);
            return true;
        } else if (c == '/' || c == '>') {
            go(next, ParseState::TagClose);
            return true;
        } else {
            return false;
        }
    }
    return false;
}

bool XmlParser::attributeName(int& next) {
    while (!atEnd()) {
        std::size_t width = 0;
        const char32_t c = peek(width);
        if (!isXmlNameChar(c)) {
            if (attributeNameBuffer_.empty()) {
                return false;
            }
            go(next, ParseState::EqualsAndQuote);
            return true;
        }
        attributeNameBuffer_.append(text_.substr(pos_, width));
        pos_ += width;
    }
    return false;
}

bool XmlParser::equalsAndQuote(int& next) {
    bool sawEquals = false;
    while (!atEnd()) {
        std::size_t width = 0;
        const char32_t c = peek(width);
        if (c == '=') {
            sawEquals = true;
            ++pos_;
        } else if (isSpaceChar(c)) {
            pos_ += width;
        } else if ((c == '"' || c == '\'') && sawEquals) {
            quote_ = static_cast<char>(c);
            ++pos_;
            go(next, ParseState::AttributeValue);
            return true;
        } else {
            return false;
        }
    }
    return false;
}

bool XmlParser::attributeValue(int& next) {
    const std::size_t end = text_.find(quote_, pos_);
    if (end == std::string_view::npos) {
        pos_ = text_.size();
        return false;
    }
    attributeValueBuffer_.append(text_.substr(pos_, end - pos_));
    pos_ = end;
    if (attributeNameBuffer_.empty() || built_ == nullptr) {
        return false;
    }
    built_->addAttribute(std::move(attributeNameBuffer_), std::move(attributeValueBuffer_));
    attributeNameBuffer_.clear();
    attributeValueBuffer_.clear();
    quote_ = 0;
    ++pos_;
    go(next, ParseState::AttributeGap);
    return true;
}

} // namespace scalora
