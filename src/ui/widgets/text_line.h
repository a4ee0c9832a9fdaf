// One line of edited text laid out in a font: where each caret stop sits, which stop is
// nearest to a point, and the painting of the line with its selection drawn in the selection
// colours and the input method's composition underlined. The line edit has one; the text
// edit view one per visual line.
#pragma once

#include "base/geometry.h"
#include "ui/widgets/text_boundaries.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class Canvas;
class UIFont;
struct TextColors;

class TextLine {
public:
    void layout(const UIFont& font, std::string_view text);
    const std::string& text() const { return text_; }
    std::int32_t width() const { return offsets_.empty() ? 0 : offsets_.back(); }
    // The pen position of a byte offset of the line (clamped to the line).
    std::int32_t xAt(std::size_t pos) const;
    // The caret stop whose position is nearest to x.
    std::size_t positionAt(std::int32_t x) const;

    struct Paint {
        Point at;                         // the line box's top-left
        std::int32_t height = 0;          // of the line box (selection and caret)
        const TextColors* text = nullptr; // foreground for the text
        const TextColors* selection = nullptr;
        TextRange selected;   // byte range within the line
        TextRange underlined; // the composition, byte range within the line
    };
    void paint(Canvas& canvas, const UIFont& font, const Paint& p) const;

private:
    std::string text_;
    std::vector<std::int32_t> offsets_; // per code point, then the whole advance
    std::vector<std::size_t> starts_;   // byte offset of each code point
};

} // namespace scalora
