#include "ui/widgets/text_line.h"

#include "base/strings.h"
#include "ui/draw/canvas.h"
#include "ui/draw/ui_font.h"
#include "ui/widgets/text_edit_style.h"

#include <algorithm>
#include <cstdlib>

namespace scalora {

void TextLine::layout(const UIFont& font, std::string_view text) {
    text_.assign(text);
    font.codePointOffsets(text_, offsets_);
    starts_.clear();
    std::size_t pos = 0;
    while (pos < text_.size()) {
        starts_.push_back(pos);
        decodeUtf8(text_, pos);
    }
}

std::int32_t TextLine::xAt(std::size_t pos) const {
    if (offsets_.empty()) {
        return 0;
    }
    const auto it = std::lower_bound(starts_.begin(), starts_.end(), pos);
    return offsets_[static_cast<std::size_t>(it - starts_.begin())];
}

std::size_t TextLine::positionAt(std::int32_t x) const {
    std::size_t best = 0;
    std::int32_t bestDistance = std::abs(x - xAt(0));
    std::size_t stop = 0;
    while (stop < text_.size()) {
        stop = nextCaretStop(text_, stop);
        const std::int32_t distance = std::abs(x - xAt(stop));
        if (distance < bestDistance) {
            best = stop;
            bestDistance = distance;
        } else if (xAt(stop) > x) {
            break; // positions only grow from here
        }
    }
    return best;
}

void TextLine::paint(Canvas& canvas, const UIFont& font, const Paint& p) const {
    canvas.drawText(font, p.at, text_, p.text->foreground);
    if (p.selected.end > p.selected.start && p.selection != nullptr) {
        const std::int32_t x0 = xAt(p.selected.start);
        const std::int32_t x1 = xAt(p.selected.end);
        const Rect box{p.at.x + x0, p.at.y, std::max(x1 - x0, 1), p.height};
        canvas.fillRect(box, p.selection->background);
        const Canvas::State saved = canvas.saveState();
        canvas.clipTo(box);
        canvas.drawText(font, p.at, text_, p.selection->foreground);
        canvas.restoreState(saved);
    }
    if (p.underlined.end > p.underlined.start) {
        const std::int32_t y = p.at.y + font.metrics().ascent + 1;
        canvas.drawLine({p.at.x + xAt(p.underlined.start), y},
                        {p.at.x + xAt(p.underlined.end) - 1, y}, p.text->foreground);
    }
}

} // namespace scalora
