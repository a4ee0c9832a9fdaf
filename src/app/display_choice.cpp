#include "app/display_choice.h"

#include "base/strings.h"

#include <cstdlib>

namespace scalora {
namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

DisplayEnvironment currentDisplayEnvironment() {
    return {environmentValue("SDL_VIDEODRIVER"), environmentValue("DISPLAY"),
            environmentValue("WAYLAND_DISPLAY")};
}

std::string videoDriverChoice(const DisplayEnvironment& environment) {
    const std::string requested = trim(environment.videoDriver);
    if (!requested.empty()) {
        return requested;
    }
    // X11 first: drag and drop positions and window placement are complete there, while
    // Wayland hides global window positions from clients.
    std::string drivers;
    if (!trim(environment.x11Display).empty()) {
        drivers = "x11";
    }
    if (!trim(environment.waylandDisplay).empty()) {
        drivers += drivers.empty() ? "wayland" : ",wayland";
    }
    return drivers;
}

} // namespace scalora
