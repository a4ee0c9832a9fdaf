// The text properties the popups share ("font", "foreground", "shadowForeground",
// "shadowOffset", compared in that order), and drawing a text with its shadow under it.
#pragma once

#include "base/geometry.h"
#include "ui/draw/ui_font.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace scalora {

class Canvas;

struct UITextGroup {
    UIFont font{UIFont::defaultFamily(), 9};
    Color foreground = 0xFF202020;
    Color shadowForeground = kTransparentColor;
    Point shadowOffset{0, 1};

    // Takes the property when it is one of the four; returns whether it was.
    bool setProperty(const std::string& name, const std::string& value);
};

// The text in a rectangle with the canvas's text flags; the shadow (when its colour is not
// fully transparent) first, moved by the offset.
void drawShadowedText(Canvas& canvas, const UIFont& font, const Rect& rect, std::string_view text,
                      Color color, Color shadow, Point shadowOffset, std::uint32_t flags);

} // namespace scalora
