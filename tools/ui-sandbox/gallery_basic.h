// The sandbox's page of the basic widgets: every button, tool button, check box, link, spin
// box, progress bar, group, picture, line, spacer, box, expander, status bar and size grip in
// each of its states, side by side. Hovered and pressed samples are set so by the page and
// stay so until the pointer passes over them. The golden-image tests render the same page.
#pragma once

#include <functional>
#include <string>

namespace scalora {
class UIWindow;
}

namespace scalora::sandbox {

// Builds the page in a new top-level window (not shown yet). Clicks and changes are reported
// as lines ("clicked OK", "checked Keep dates 1", "value Width 42"); its first paint reports
// "gallery basic ready".
UIWindow* makeBasicGallery(std::function<void(const std::string&)> report);

} // namespace scalora::sandbox
