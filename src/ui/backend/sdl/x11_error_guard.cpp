#include "ui/backend/sdl/x11_error_guard.h"

#include <X11/Xlib.h>

namespace scalora {

namespace {

// Xlib's handlers take no context, so the one replaced lives here.
XErrorHandler gPrevious = nullptr;

// Xlib's default handler ends the program on any protocol error. A request naming a window
// that has gone is a race, not a fault: SDL wakes its event wait by sending an event to a
// window that can already be destroyed at shutdown, and a window destroyed by another program
// (xdotool windowclose, a session tool) fails every request made for it until the program
// has heard of the destruction, the shared-memory present of its contents first of all. The
// window system closes such a window as its close box would.
int ignoreVanishedWindows(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        return 0;
    }
    return gPrevious != nullptr ? gPrevious(display, error) : 0;
}

} // namespace

X11ErrorGuard::X11ErrorGuard() {
    gPrevious = XSetErrorHandler(ignoreVanishedWindows);
}

X11ErrorGuard::~X11ErrorGuard() {
    XSetErrorHandler(gPrevious);
    gPrevious = nullptr;
}

} // namespace scalora
