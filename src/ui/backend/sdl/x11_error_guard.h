// Keeps Xlib from ending the program over a window that another program destroyed: while the
// guard lives, errors naming a window or drawable that no longer exists are dropped, every
// other error goes to the handler that was there before.
#pragma once

namespace scalora {

class X11ErrorGuard {
public:
    // Installs the handler; it must outlive every X connection opened after it (SDL puts
    // back the handler it found when its video shuts down).
    X11ErrorGuard();
    ~X11ErrorGuard();
    X11ErrorGuard(const X11ErrorGuard&) = delete;
    X11ErrorGuard& operator=(const X11ErrorGuard&) = delete;
};

} // namespace scalora
