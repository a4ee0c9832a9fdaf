// Small painting rules several widgets share: text with its optional shadow, the keyboard
// focus frame drawn from the style's focus image, and fitting an image into a box.
#pragma once

#include "base/geometry.h"

#include <cstdint>
#include <string_view>

namespace scalora {

class Canvas;
class PixelImage;
class UIFont;

// A colour counts as drawn when it is not fully transparent ("transparent" turns a part off).
constexpr bool isDrawnColor(Color color) {
    return alphaOf(color) != 0;
}

// Draws the shadow first (when its colour is drawn), moved by the offset, then the text.
void drawShadowedText(Canvas& canvas, const UIFont& font, const Rect& rect, std::string_view text,
                      Color color, Color shadow, Point shadowOffset, std::uint32_t flags);

// The keyboard focus frame just inside the rectangle: the style's focus image repeated along
// the four edges, or a dotted line in the fall-back colour when the style has no such image.
void drawFocusFrame(Canvas& canvas, const Rect& rect, Color fallback);

// The largest size of the image's proportions that fits in the box, never larger than the
// image itself (icons are shrunk to fit, never blown up).
Size fittedImageSize(Size image, Size box);

// Draws an image centred in the box, shrunk to fit when it is larger.
void drawImageCentred(Canvas& canvas, const PixelImage& image, const Rect& box);

} // namespace scalora
