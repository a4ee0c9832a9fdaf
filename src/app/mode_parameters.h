// What the width and height fields show for each resize mode, and which of their values a mode
// keeps when the user leaves it: the fields always show the selected mode's own parameters,
// so switching modes and back gives the user's numbers back.
#pragma once

#include "base/geometry.h"
#include "engine/geometry.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace scalora {

class SettingsStore;

// The fields as one mode shows them.
struct ModeFields {
    std::int32_t width = kMinSizeValue;
    std::int32_t height = kMinSizeValue;
    bool widthVisible = true;
    bool heightVisible = true;
    bool readOnly = false;   // the desktop modes show the monitor's size
    bool percentage = false; // the unit behind the fields is "%" instead of "px"
};

// The fields of mode: its stored values clamped to the accepted range, or the desktop's size.
ModeFields modeFields(const SettingsStore& settings, ResizeMode mode, Size desktop);

// Keeps the values the fields show for the mode being left; modes without stored values, and
// no mode at all (before the first is applied), keep nothing.
void storeModeFields(SettingsStore& settings, std::optional<ResizeMode> leaving, std::int32_t width,
                     std::int32_t height);

} // namespace scalora
