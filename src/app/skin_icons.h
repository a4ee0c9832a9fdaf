// Button icons cut from a skin image of the current style: its frames in the skin order
// (normal, hovered, pressed, disabled). A skin without a disabled frame gets a faded copy of
// its normal one, so a disabled command never looks available. A missing skin gives no icons.
#pragma once

#include "ui/widgets/ui_button.h"

#include <string_view>

namespace scalora {

class UISkin;

UIButtonIcons iconsFromSkin(const UISkin& skin);
// The skin of that name in the current style.
UIButtonIcons skinIcons(std::string_view skinName);

} // namespace scalora
