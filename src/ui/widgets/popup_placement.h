// Where popups (menus, tool tips, balloon tips) go on the screen: the work area of the monitor
// that holds a point, and the rules that keep a popup inside it with a margin, flipping a
// menu above its anchor or to the left of its parent menu when it does not fit.
#pragma once

#include "base/geometry.h"

#include <cstdint>

namespace scalora {

// The work area (without panels and docks) of the monitor that holds the point, else of the
// first monitor the window system lists, else the fall-back desktop.
Rect workAreaAt(Point screenPoint);

// Moves the rectangle (never resizes it) so that at least `padding` pixels remain to each
// edge of the work area; a rectangle too large for that keeps its left or top edge at the
// padding.
Rect keepInside(const Rect& popup, const Rect& workArea, std::int32_t padding);

// What a menu opens from, which decides where it goes when it does not fit.
enum class PopupAnchor {
    Point,  // a context menu at the cursor: above the point when it does not fit below
    Below,  // a drop-down under a button or bar title: above the anchor rectangle instead
    SideOf, // a submenu beside its item: to the left of the anchor rectangle instead
};

// The rectangle of a popup of `size` opened at `at`:
// - Point: its top-left at the point;
// - Below: its top-left at the point (the caller passes the anchor's bottom-left);
// - SideOf: its top-left at the point (the caller passes the anchor's top-right).
// When it would cross the bottom (Point, Below) or the right edge (SideOf) of the work area
// less the padding, it flips to the other side of the point or anchor if it fits there; then
// it is kept inside the work area with keepInside.
Rect placePopup(Size size, Point at, const Rect& anchor, PopupAnchor kind, const Rect& workArea,
                std::int32_t padding);

} // namespace scalora
