// Text drawing of the canvas: glyph coverage from the font's cache, blended source-over
// with the text colour's alpha, plus underline and strike-out, alignment in a rectangle,
// eliding and word wrapping.
#include "base/strings.h"
#include "ui/draw/canvas.h"
#include "ui/draw/font_face.h"
#include "ui/draw/pixel_ops.h"
#include "ui/draw/ui_font.h"

#include <algorithm>
#include <vector>

namespace scalora {

std::vector<std::string> wrapTextLines(const UIFont& font, std::string_view text,
                                       std::int32_t width) {
    std::vector<std::string> lines;
    for (const std::string& paragraph : split(text, "\n")) {
        std::string para = paragraph;
        if (!para.empty() && para.back() == '\r') {
            para.pop_back();
        }
        std::u32string rest = utf8ToUtf32(para);
        if (rest.empty()) {
            lines.emplace_back();
            continue;
        }
        while (!rest.empty()) {
            if (font.textWidth(utf32ToUtf8(rest)) <= width) {
                lines.push_back(utf32ToUtf8(rest));
                break;
            }
            // The longest prefix that fits (at least one character, so wrapping ends).
            std::size_t fit = 1;
            while (fit < rest.size() &&
                   font.textWidth(utf32ToUtf8(rest.substr(0, fit + 1))) <= width) {
                ++fit;
            }
            std::size_t cut = fit;
            const std::size_t space = rest.substr(0, fit + 1).find_last_of(U' ');
            if (space != std::u32string::npos && space > 0) {
                cut = space;
            }
            std::u32string line = rest.substr(0, cut);
            while (!line.empty() && line.back() == U' ') {
                line.pop_back();
            }
            lines.push_back(utf32ToUtf8(line));
            rest.erase(0, cut);
            while (!rest.empty() && rest.front() == U' ') {
                rest.erase(0, 1);
            }
        }
    }
    return lines;
}

std::int32_t Canvas::drawText(const UIFont& font, Point at, std::string_view text, Color color) {
    FontFace* face = font.face();
    if (face == nullptr || text.empty()) {
        return 0;
    }
    thread_local std::vector<FontFace::PlacedGlyph> placed;
    placed.clear();
    const std::int32_t advance = face->layoutUtf8(text, &placed);
    const std::uint32_t alpha = alphaOf(color);
    if (isNull() || alpha == 0) {
        return advance;
    }
    const std::uint32_t opaque = color | 0xFF000000u;
    const std::int32_t baseX = at.x + origin_.x;
    const std::int32_t baseline = at.y + origin_.y + face->ascent();
    for (const Rect& c : clip_.rects()) {
        for (const FontFace::PlacedGlyph& pg : placed) {
            const FontFace::Glyph& g = *pg.glyph;
            const Rect box{baseX + pg.x + g.left, baseline - g.top, g.width, g.height};
            const Rect r = box.intersected(c);
            for (std::int32_t y = r.top(); y < r.bottom(); ++y) {
                const std::uint8_t* cov =
                    g.coverage.data() + static_cast<std::size_t>(y - box.y) * g.width - box.x;
                std::uint32_t* row = image_.row(y);
                for (std::int32_t x = r.x; x < r.right(); ++x) {
                    const std::uint32_t k = pixel::mul255(cov[x], alpha);
                    if (k != 0) {
                        row[x] = pixel::blend(pixel::premultiply((k << 24) | (opaque & 0xFFFFFF)),
                                              row[x]);
                    }
                }
            }
        }
    }
    const std::int32_t thickness = face->lineThickness();
    if (font.isUnderline()) {
        fillRect({at.x, at.y + face->ascent() + face->underlinePosition() - (thickness + 1) / 2 + 1,
                  advance, thickness},
                 color);
    }
    if (font.isStrikeout()) {
        fillRect({at.x, at.y + face->ascent() - face->strikeoutPosition() - thickness / 2, advance,
                  thickness},
                 color);
    }
    return advance;
}

void Canvas::drawText(const UIFont& font, const Rect& rect, std::string_view text, Color color,
                      std::uint32_t flags) {
    if (rect.isEmpty() || text.empty()) {
        return;
    }
    std::vector<std::string> lines;
    if ((flags & kTextWordWrap) != 0) {
        lines = wrapTextLines(font, text, rect.width);
    } else {
        lines.emplace_back(text);
    }
    if ((flags & kTextElideRight) != 0) {
        for (std::string& line : lines) {
            line = font.elidedText(line, rect.width);
        }
    }
    const std::int32_t lineHeight = font.lineHeight();
    const auto total = static_cast<std::int32_t>(lines.size()) * lineHeight;
    std::int32_t y = rect.y;
    if ((flags & kAlignVCenter) != 0) {
        y = rect.y + (rect.height - total) / 2;
    } else if ((flags & kAlignBottom) != 0) {
        y = rect.bottom() - total;
    }
    const State saved = saveState();
    clipTo(rect);
    for (const std::string& line : lines) {
        std::int32_t x = rect.x;
        if ((flags & (kAlignHCenter | kAlignRight)) != 0) {
            const std::int32_t w = font.textWidth(line);
            x = (flags & kAlignHCenter) != 0 ? rect.x + (rect.width - w) / 2 : rect.right() - w;
        }
        drawText(font, Point{x, y}, line, color);
        y += lineHeight;
    }
    restoreState(saved);
}

} // namespace scalora
