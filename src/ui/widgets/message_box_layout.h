// Where everything of a message box goes: the icon left of the text, the wrapped text and its
// detail, the "Do not show again." box under them, and the row of buttons at the bottom right.
// A long text wraps at a comfortable width first; when the box would then be taller than the
// work area, the text gets wider, up to the width of the work area; the box never grows
// beyond the work area less the desktop padding (the text is cut off at its bottom then).
#pragma once

#include "base/geometry.h"
#include "ui/draw/ui_font.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scalora {

struct MessageBoxLayoutInput {
    std::string text;
    std::string detail; // a second paragraph under the text; empty for none
    UIFont font;
    std::int32_t iconSize = 0; // edge length; 0 for no icon
    std::vector<Size> buttonSizes;
    Size checkBoxSize; // empty for no check box
    Margins margins{9, 9, 9, 9};
    std::int32_t spacing = 6;
    Rect workArea;
    std::int32_t desktopPadding = 8;
};

struct MessageBoxLayout {
    Size size; // of the box's client area
    Rect icon;
    Rect text;
    Rect detail;
    Rect checkBox;
    std::vector<Rect> buttons; // in the order of buttonSizes
    std::int32_t textWrapWidth = 0;
};

// The width a text first wraps at, in pixels.
inline constexpr std::int32_t kMessageBoxTextWidth = 360;
// The narrowest box, so a short message still reads as a dialog.
inline constexpr std::int32_t kMessageBoxMinimumWidth = 220;

MessageBoxLayout layoutMessageBox(const MessageBoxLayoutInput& in);

} // namespace scalora
