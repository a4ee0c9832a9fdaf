#include "ui/draw/screen_dpi.h"

#include "base/strings.h"

#include <X11/Xlib.h>
#include <atomic>
#include <mutex>

namespace scalora {

namespace {

// The resolution every desktop assumes when none is configured.
constexpr double kDefaultDpi = 96.0;

std::atomic<double> gOverride{0.0};

double readDisplayDpi() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return kDefaultDpi;
    }
    double dpi = kDefaultDpi;
    if (const char* resources = XResourceManagerString(display)) {
        dpi = parseXftDpi(resources).value_or(kDefaultDpi);
    }
    XCloseDisplay(display);
    return dpi;
}

} // namespace

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

double screenDpi() {
    const double forced = gOverride.load();
    if (forced > 0) {
        return forced;
    }
    static std::once_flag once;
    static double fromDisplay = kDefaultDpi;
    std::call_once(once, [] { fromDisplay = readDisplayDpi(); });
    return fromDisplay;
}

void setScreenDpi(double dpi) {
    gOverride.store(dpi > 0 ? dpi : 0.0);
}

} // namespace scalora
