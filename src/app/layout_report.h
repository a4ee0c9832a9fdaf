// For the end-to-end tests, which drive the real program with xdotool: where the named parts
// of a window are. While SCALORA_LAYOUT_REPORT names a file, each paint of the window after a
// change appends "element <window>.<name> x y w h [state]" lines (window coordinates, shown
// parts only; the state is what the part shows, for parts that say) and then
// "painted <window>". Otherwise it does nothing.
#pragma once

#include "base/geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace scalora {

class UIElement;
class UIWindow;

class LayoutReport {
public:
    LayoutReport(UIWindow& window, std::string windowName);
    void add(std::string name, const UIElement* element, std::function<std::string()> state = {});

private:
    void painted();

    std::string file_;
    std::string windowName_;
    struct Part {
        std::string name;
        const UIElement* element;
        std::function<std::string()> state;
    };
    std::vector<Part> parts_;
    std::string last_;
};

} // namespace scalora
