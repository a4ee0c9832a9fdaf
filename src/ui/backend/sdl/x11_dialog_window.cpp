#include "ui/backend/sdl/x11_dialog_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace scalora {
namespace {

bool x11Info(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return window != nullptr && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE &&
           info.subsystem == SDL_SYSWM_X11;
}

} // namespace

void x11MarkDialog(SDL_Window* window, SDL_Window* owner) {
    SDL_SysWMinfo self;
    SDL_SysWMinfo above;
    if (!x11Info(window, self) || !x11Info(owner, above)) {
        return;
    }
    ::Display* display = self.info.x11.display;
    const ::Window x11Window = self.info.x11.window;
    XSetTransientForHint(display, x11Window, above.info.x11.window);
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    // Format-32 properties travel as longs in Xlib, whatever their width.
    unsigned long dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, x11Window, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dialog), 1);
    XFlush(display);
}

} // namespace scalora
