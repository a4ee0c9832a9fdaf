#include "ui/draw/screen_dpi.h"

#include <atomic>

namespace scalora {

namespace {

// The resolution every desktop assumes when none is configured.
constexpr double kDefaultDpi = 96.0;

std::atomic<double> gOverride{0.0};
std::atomic<double> gDisplay{0.0};

} // namespace

double screenDpi() {
    if (const double forced = gOverride.load(); forced > 0) {
        return forced;
    }
    const double display = gDisplay.load();
    return display > 0 ? display : kDefaultDpi;
}

void setScreenDpi(double dpi) {
    gOverride.store(dpi > 0 ? dpi : 0.0);
}

void setDisplayDpi(double dpi) {
    gDisplay.store(dpi > 0 ? dpi : 0.0);
}

} // namespace scalora
