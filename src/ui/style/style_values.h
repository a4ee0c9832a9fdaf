// The text syntax of style property values: colours, brushes, fonts, points, sizes, margins,
// integers and floats as models.xml writes them ("12,34,56", "0,0,0|255,255,255",
// "default,9,bold", "4,2,4,2"). Malformed text never fails: each parser falls back to its
// neutral value, so a bad style degrades to plain widgets rather than none.
#pragma once

#include "base/geometry.h"
#include "ui/draw/brush.h"
#include "ui/draw/ui_font.h"

#include <cstdint>
#include <string_view>

namespace scalora {

// "r,g,b" (alpha 255) or "a,r,g,b", fields clamped to 0..255; a text starting with a digit
// is the 32-bit value itself; "transparent" and everything else give kTransparentColor.
Color parseStyleColor(std::string_view text);
// One colour for a solid brush, or colours separated by "|" for a gradient through them.
Brush parseStyleBrush(std::string_view text);
// "family,size,styles" starting from the default font: the family "default" keeps the
// default family, styles may hold "bold" and "underline". Any other field count gives the
// default font unchanged.
UIFont parseStyleFont(std::string_view text);
// "x,y"; anything else (0, 0).
Point parseStylePoint(std::string_view text);
// "width,height"; anything else 0 x 0.
Size parseStyleSize(std::string_view text);
// "left,top,right,bottom"; anything else all zero.
Margins parseStyleMargins(std::string_view text);
// Leading decimal number of the text, as a C runtime reads it; empty gives 0.
std::int32_t parseStyleInteger(std::string_view text);
double parseStyleFloat(std::string_view text);

} // namespace scalora
