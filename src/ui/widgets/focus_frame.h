// The keyboard focus mark of the widgets: the style's standard image "Focus.png" repeated
// along the four edges of a rectangle (a dotted frame in the default style), or, for a style
// without it, a dotted frame in a colour the widget gives.
#pragma once

#include "base/geometry.h"

namespace scalora {

class Canvas;

void drawFocusFrame(Canvas& canvas, const Rect& rect, Color fallback);

} // namespace scalora
