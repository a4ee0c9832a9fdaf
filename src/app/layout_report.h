// For the end-to-end tests, which drive the real program with xdotool: where the named parts
// of a window are. While SCALORA_LAYOUT_REPORT names a file, each paint of the window after a
// change of the parts' places appends "element <window>.<name> x y w h" lines (window
// coordinates, shown parts only) and then "painted <window>". Otherwise it does nothing.
#pragma once

#include "base/geometry.h"

#include <string>
#include <utility>
#include <vector>

namespace scalora {

class UIElement;
class UIWindow;

class LayoutReport {
public:
    LayoutReport(UIWindow& window, std::string windowName);
    void add(std::string name, const UIElement* element);

private:
    void painted();

    std::string file_;
    std::string windowName_;
    std::vector<std::pair<std::string, const UIElement*>> parts_;
    std::string last_;
};

} // namespace scalora
