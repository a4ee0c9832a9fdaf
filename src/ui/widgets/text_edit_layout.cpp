#include "ui/widgets/text_edit_layout.h"

#include "base/strings.h"
#include "ui/draw/ui_font.h"

#include <algorithm>

namespace scalora {

namespace {

bool spaceAt(std::string_view text, std::size_t pos) {
    return isSpaceChar(decodeUtf8(text, pos));
}

} // namespace

void TextEditLayout::layout(const UIFont& font, std::string_view text, std::int32_t wrapWidth) {
    lines_.clear();
    lineHeight_ = font.lineHeight();
    std::size_t start = 0;
    for (;;) {
        const std::size_t feed = text.find('\n', start);
        const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
        wrapParagraph(font, text, start, end, wrapWidth);
        if (feed == std::string_view::npos) {
            break;
        }
        start = feed + 1;
    }
}

void TextEditLayout::addLine(const UIFont& font, std::string_view text, std::size_t start,
                             std::size_t end, bool wrapped) {
    Line line;
    line.start = start;
    line.end = end;
    line.wrapped = wrapped;
    line.text.layout(font, text.substr(start, end - start));
    lines_.push_back(std::move(line));
}

void TextEditLayout::wrapParagraph(const UIFont& font, std::string_view text, std::size_t start,
                                   std::size_t end, std::int32_t wrapWidth) {
    const std::string_view paragraph = text.substr(start, end - start);
    TextLine whole;
    whole.layout(font, paragraph);
    if (wrapWidth <= 0 || whole.width() <= wrapWidth) {
        addLine(font, text, start, end, false);
        return;
    }
    // Offsets within the paragraph; widths of a line are differences of pen positions.
    std::size_t lineStart = 0;
    std::size_t pos = 0;
    while (pos < paragraph.size()) {
        // One segment: a word and the spaces after it.
        std::size_t wordEnd = pos;
        while (wordEnd < paragraph.size() && !spaceAt(paragraph, wordEnd)) {
            wordEnd = nextCaretStop(paragraph, wordEnd);
        }
        std::size_t segmentEnd = wordEnd;
        while (segmentEnd < paragraph.size() && spaceAt(paragraph, segmentEnd)) {
            segmentEnd = nextCaretStop(paragraph, segmentEnd);
        }
        const std::int32_t left = whole.xAt(lineStart);
        if (whole.xAt(wordEnd) - left <= wrapWidth) {
            pos = segmentEnd;
            continue;
        }
        if (pos > lineStart) {
            addLine(font, text, start + lineStart, start + pos, true);
            lineStart = pos;
            continue;
        }
        // A word wider than the line: as many characters as fit, at least one.
        std::size_t cut = nextCaretStop(paragraph, lineStart);
        while (cut < wordEnd) {
            const std::size_t next = nextCaretStop(paragraph, cut);
            if (whole.xAt(next) - left > wrapWidth) {
                break;
            }
            cut = next;
        }
        addLine(font, text, start + lineStart, start + cut, true);
        lineStart = pos = cut;
    }
    addLine(font, text, start + lineStart, end, false);
}

Size TextEditLayout::size() const {
    std::int32_t width = 0;
    for (const Line& line : lines_) {
        width = std::max(width, line.text.width());
    }
    return {width, lineHeight_ * static_cast<std::int32_t>(lines_.size())};
}

std::size_t TextEditLayout::lineOf(std::size_t pos) const {
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), pos,
                                        [](std::size_t p, const Line& l) { return p < l.start; });
    return after == lines_.begin() ? 0 : static_cast<std::size_t>(after - lines_.begin()) - 1;
}

Point TextEditLayout::pointOf(std::size_t pos) const {
    if (lines_.empty()) {
        return {};
    }
    const std::size_t index = lineOf(pos);
    const Line& line = lines_[index];
    return {line.text.xAt(std::min(pos, line.end) - line.start),
            lineHeight_ * static_cast<std::int32_t>(index)};
}

std::size_t TextEditLayout::positionInLine(std::size_t index, std::int32_t x) const {
    const Line& line = lines_[index];
    std::size_t pos = line.start + line.text.positionAt(x);
    // The break of a wrapped line belongs to the next line: stay before it.
    if (line.wrapped && pos >= line.end && line.end > line.start) {
        pos = line.start + previousCaretStop(line.text.text(), line.end - line.start);
    }
    return pos;
}

std::size_t TextEditLayout::positionAt(Point point) const {
    if (lines_.empty() || lineHeight_ <= 0) {
        return 0;
    }
    const std::int32_t row = std::max(point.y, 0) / lineHeight_;
    const std::size_t index = std::min(static_cast<std::size_t>(row), lines_.size() - 1);
    return positionInLine(index, point.x);
}

std::size_t TextEditLayout::linesAway(std::size_t pos, int lines, std::int32_t x) const {
    if (lines_.empty()) {
        return pos;
    }
    const auto last = static_cast<std::int64_t>(lines_.size()) - 1;
    const std::int64_t target =
        std::clamp(static_cast<std::int64_t>(lineOf(pos)) + lines, std::int64_t{0}, last);
    return positionInLine(static_cast<std::size_t>(target), x);
}

} // namespace scalora
