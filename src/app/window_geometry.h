// Where a window is remembered and where it reappears: the rules that decide whether a closing
// window's rectangle is worth storing and where a stored one is put back, as pure functions
// over the window, the monitors and the primary work area.
#pragma once

#include "base/geometry.h"

#include <optional>
#include <span>

namespace scalora {

// The stored record: outer rectangle (frame included) in screen pixels. The defaults centre a
// 400 x 500 window on the first run.
struct WindowGeometry {
    std::int32_t left = -1;
    std::int32_t top = -1;
    std::int32_t width = 400;
    std::int32_t height = 500;
    friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

// What to store for a window closing with outerRect: nothing (keep the old values) when its
// top-left corner lies outside the bounding box of all monitors.
std::optional<WindowGeometry> geometryToSave(const Rect& outerRect, std::span<const Rect> monitors);

// Where to put a window with stored geometry: its size is the stored one but at least
// minimumSize; it goes to the stored position when it fits entirely inside the work area, else
// it is centred there, and in a dimension in which it is larger than the area it is aligned to
// the area's left or top edge.
Rect restoredWindowRect(const WindowGeometry& stored, const Rect& workArea, Size minimumSize);

} // namespace scalora
