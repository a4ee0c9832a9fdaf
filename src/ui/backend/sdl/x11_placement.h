// Exact placement of a top-level window's client area on X11. A window manager honours a
// requested position by putting its frame's corner there (north-west gravity), so a window
// asked for at (x, y) shows its client area the frame's width further right and down unless the
// request is corrected by the frame it actually got.
#pragma once

#include "base/geometry.h"

#include <optional>

struct SDL_Window;

namespace scalora {

// Where an X11 top-level window stands now, in root coordinates.
struct X11Placement {
    Point client;            // the client area's top-left corner
    Point frame;             // the outer corner of the frame, or of the client when unframed
    bool reparented = false; // a window manager has put a frame window around the client
    bool managed = false;    // a window manager runs on the window's screen
};

// Empty when the window is not an X11 window or the server does not answer.
std::optional<X11Placement> x11Placement(SDL_Window* window);

// The position to request for the client window so that its client area lands on `target`
// under the frame it has now.
Point x11RequestFor(Point target, const X11Placement& now);

// Asks the server (and so the window manager) to move the client area to `target`.
void x11MoveClientTo(SDL_Window* window, Point target, const X11Placement& now);

} // namespace scalora
