// A filled rectangle with rounded corners and a one-pixel outline, anti-aliased at the
// corners: the frame of tool tips and balloon tips.
#pragma once

#include "base/geometry.h"
#include "ui/draw/brush.h"

#include <cstdint>

namespace scalora {

class Canvas;

// Fills the rectangle (origin-relative) with the brush inside corners of the given diameter
// and outlines it one pixel wide with the pen; a pen or fill colour with alpha 0 draws
// nothing. A diameter below 2 gives square corners; it is capped at the shorter side.
void drawRoundedFrame(Canvas& canvas, const Rect& rect, std::int32_t diameter, const Brush& fill,
                      Color pen);

} // namespace scalora
