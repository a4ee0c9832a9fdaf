// The text of a text edit laid out in lines: paragraphs end at line feeds and, with a wrap
// width, break after the spaces that follow a word (a word wider than the width breaks
// between characters). Positions map to points and back, and the caret moves by lines at the
// column it keeps.
#pragma once

#include "base/geometry.h"
#include "ui/widgets/text_line.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace scalora {

class UIFont;

class TextEditLayout {
public:
    struct Line {
        std::size_t start = 0; // byte offsets into the text; end is before the line feed
        std::size_t end = 0;
        bool wrapped = false; // the paragraph goes on in the next line
        TextLine text;
    };

    // wrapWidth 0 or less: no wrapping.
    void layout(const UIFont& font, std::string_view text, std::int32_t wrapWidth);
    std::size_t lineCount() const { return lines_.size(); }
    const Line& line(std::size_t index) const { return lines_[index]; }
    std::int32_t lineHeight() const { return lineHeight_; }
    // The widest line by all the lines.
    Size size() const;

    // The line a position is on: a position where a wrapped line breaks is at the start of
    // the next line.
    std::size_t lineOf(std::size_t pos) const;
    // The top-left of the caret's box at a position.
    Point pointOf(std::size_t pos) const;
    std::size_t positionAt(Point point) const;
    // The position `lines` lines away (negative: up) nearest to the column x.
    std::size_t linesAway(std::size_t pos, int lines, std::int32_t x) const;

private:
    std::size_t positionInLine(std::size_t index, std::int32_t x) const;
    void wrapParagraph(const UIFont& font, std::string_view text, std::size_t start,
                       std::size_t end, std::int32_t wrapWidth);
    void addLine(const UIFont& font, std::string_view text, std::size_t start, std::size_t end,
                 bool wrapped);

    std::vector<Line> lines_;
    std::int32_t lineHeight_ = 0;
};

} // namespace scalora
