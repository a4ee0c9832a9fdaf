// Which display connection the window system may use. SDL falls back to an invisible
// off-screen driver when no display is reachable, which would leave the program running with
// no window at all; so the drivers are chosen from the environment, and a user who wants a
// particular driver (SDL_VIDEODRIVER) gets exactly that one.
#pragma once

#include <string>

namespace scalora {

struct DisplayEnvironment {
    std::string videoDriver;    // SDL_VIDEODRIVER
    std::string x11Display;     // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
};

DisplayEnvironment currentDisplayEnvironment();

// The comma-separated driver list for SDL's video driver hint, best first; empty when there
// is no display to connect to.
std::string videoDriverChoice(const DisplayEnvironment& environment);

} // namespace scalora
