#include "ui/backend/sdl/x11_display_dpi.h"

#include "base/strings.h"

#include <X11/Xlib.h>

namespace scalora {

std::optional<double> readXftDpi() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return std::nullopt;
    }
    std::optional<double> dpi;
    if (const char* resources = XResourceManagerString(display)) {
        dpi = parseXftDpi(resources);
    }
    XCloseDisplay(display);
    return dpi;
}

std::optional<double> parseXftDpi(std::string_view resources) {
    for (const std::string& line : split(resources, "\n")) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || trim(line.substr(0, colon)) != "Xft.dpi") {
            continue;
        }
        double value = 0;
        if (parseDouble(trim(line.substr(colon + 1)), value) && value > 0) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace scalora
