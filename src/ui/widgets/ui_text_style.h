// The text properties a captioned widget shares ("font", "foreground", "shadowForeground",
// "shadowOffset", "disabledForeground", "disabledShadowForeground") and how a caption is drawn
// with them: the shadow first, moved by the shadow offset, then the text.
#pragma once

#include "base/geometry.h"
#include "ui/draw/ui_font.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace scalora {

class Canvas;

struct UITextStyle {
    UIFont font;
    Color foreground = kTransparentColor;
    Color shadowForeground = kTransparentColor;
    Point shadowOffset;
    Color disabledForeground = kTransparentColor;
    Color disabledShadowForeground = kTransparentColor;

    // Parses the property when it is one of the six; false for any other name.
    bool setProperty(const std::string& name, const std::string& value);
    // The text and shadow colours for the enabled or disabled look.
    Color textColor(bool enabled) const { return enabled ? foreground : disabledForeground; }
    Color shadowColor(bool enabled) const {
        return enabled ? shadowForeground : disabledShadowForeground;
    }
};

// Draws text into a rectangle with the alignment flags of Canvas::drawText, the shadow first
// unless its colour is fully transparent.
void drawCaption(Canvas& canvas, const UIFont& font, const Rect& rect, std::string_view text,
                 Color color, Color shadow, Point shadowOffset, std::uint32_t flags);

// The same with the colours of a text style.
void drawCaption(Canvas& canvas, const UITextStyle& style, const Rect& rect, std::string_view text,
                 bool enabled, std::uint32_t flags);

} // namespace scalora
