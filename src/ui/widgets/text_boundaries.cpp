#include "ui/widgets/text_boundaries.h"

#include "base/strings.h"

#include <algorithm>

namespace scalora {

namespace {

// Code points that attach to the character before them: combining marks of the common
// blocks, variation selectors, the zero-width joiner and emoji skin-tone modifiers.
bool attachesToPrevious(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x0483 && c <= 0x0489) ||
           (c >= 0x0591 && c <= 0x05BD) || (c >= 0x0610 && c <= 0x061A) ||
           (c >= 0x064B && c <= 0x065F) || (c >= 0x0900 && c <= 0x0903) ||
           (c >= 0x093A && c <= 0x094F) || (c >= 0x1AB0 && c <= 0x1AFF) ||
           (c >= 0x1DC0 && c <= 0x1DFF) || (c >= 0x20D0 && c <= 0x20FF) ||
           (c >= 0x3099 && c <= 0x309A) || (c >= 0xFE00 && c <= 0xFE0F) ||
           (c >= 0xFE20 && c <= 0xFE2F) || c == 0x200D || (c >= 0x1F3FB && c <= 0x1F3FF) ||
           (c >= 0xE0100 && c <= 0xE01EF);
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Start of the code point that contains the byte before pos.
std::size_t previousCodePoint(std::string_view text, std::size_t pos) {
    if (pos == 0) {
        return 0;
    }
    std::size_t p = pos - 1;
    while (p > 0 && isContinuationByte(text[p])) {
        --p;
    }
    return p;
}

char32_t codePointAt(std::string_view text, std::size_t pos) {
    return pos < text.size() ? decodeUtf8(text, pos) : U'\0';
}

enum class CharClass { Word, Space, Other };

CharClass classOf(char32_t c) {
    if (isWordCharacter(c)) {
        return CharClass::Word;
    }
    return isSpaceChar(c) ? CharClass::Space : CharClass::Other;
}

} // namespace

bool isWordCharacter(char32_t c) {
    return c == U'_' || isLetterOrDigitChar(c);
}

std::size_t nextCaretStop(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return text.size();
    }
    decodeUtf8(text, pos);
    bool joined = false;
    while (pos < text.size()) {
        std::size_t next = pos;
        const char32_t c = decodeUtf8(text, next);
        if (!joined && !attachesToPrevious(c)) {
            break;
        }
        // After a joiner the next character belongs to the same sequence.
        joined = c == 0x200D;
        pos = next;
    }
    return pos;
}

std::size_t previousCaretStop(std::string_view text, std::size_t pos) {
    pos = std::min(pos, text.size());
    while (pos > 0) {
        pos = previousCodePoint(text, pos);
        if (!attachesToPrevious(codePointAt(text, pos))) {
            const std::size_t before = previousCodePoint(text, pos);
            // A character right after a joiner is part of the sequence before it.
            if (pos == 0 || codePointAt(text, before) != 0x200D) {
                break;
            }
        }
    }
    return pos;
}

std::size_t snapToCaretStop(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return text.size();
    }
    std::size_t stop = 0;
    while (stop < pos) {
        const std::size_t next = nextCaretStop(text, stop);
        if (next > pos) {
            break;
        }
        stop = next;
    }
    return stop;
}

std::size_t nextWordEnd(std::string_view text, std::size_t pos) {
    pos = std::min(pos, text.size());
    while (pos < text.size() && !isWordCharacter(codePointAt(text, pos))) {
        pos = nextCaretStop(text, pos);
    }
    while (pos < text.size() && isWordCharacter(codePointAt(text, pos))) {
        pos = nextCaretStop(text, pos);
    }
    return pos;
}

std::size_t previousWordStart(std::string_view text, std::size_t pos) {
    pos = std::min(pos, text.size());
    while (pos > 0) {
        const std::size_t before = previousCaretStop(text, pos);
        if (isWordCharacter(codePointAt(text, before))) {
            break;
        }
        pos = before;
    }
    while (pos > 0) {
        const std::size_t before = previousCaretStop(text, pos);
        if (!isWordCharacter(codePointAt(text, before))) {
            break;
        }
        pos = before;
    }
    return pos;
}

TextRange wordRangeAt(std::string_view text, std::size_t pos) {
    pos = snapToCaretStop(text, pos);
    if (text.empty()) {
        return {};
    }
    // At the end, or between two classes, a click takes the character before the point.
    if (pos == text.size()) {
        pos = previousCaretStop(text, pos);
    }
    const CharClass cls = classOf(codePointAt(text, pos));
    if (cls == CharClass::Other) {
        return {pos, nextCaretStop(text, pos)};
    }
    std::size_t start = pos;
    while (start > 0) {
        const std::size_t before = previousCaretStop(text, start);
        if (classOf(codePointAt(text, before)) != cls) {
            break;
        }
        start = before;
    }
    std::size_t end = pos;
    while (end < text.size() && classOf(codePointAt(text, end)) == cls) {
        end = nextCaretStop(text, end);
    }
    return {start, end};
}

} // namespace scalora
