// The size of the primary monitor for the desktop modes, asked of the X server named by
// DISPLAY; a terminal session without a display has none, and the size must then be given.
#pragma once

#include "base/geometry.h"

#include <optional>

namespace scalora {

// The primary monitor's size, else the first lit monitor's, else the whole screen's; nothing
// when no display can be opened.
std::optional<Size> primaryMonitorSize();

} // namespace scalora
