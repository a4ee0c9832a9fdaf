#include "ui/backend/sdl/x11_placement.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <string>

namespace scalora {

namespace {

struct X11Handles {
    ::Display* display = nullptr;
    ::Window window = 0;
};

std::optional<X11Handles> x11Handles(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11) {
        return std::nullopt;
    }
    return X11Handles{info.info.x11.display, info.info.x11.window};
}

bool requestFailed = false;

int noteFailure(::Display*, XErrorEvent*) {
    requestFailed = true;
    return 0;
}

// The frame belongs to the window manager, which may destroy it between two requests: such a
// failure makes the answer empty instead of ending the process in Xlib's default handler.
class TolerateErrors {
public:
    explicit TolerateErrors(::Display* display) : display_(display) {
        XSync(display_, False);
        requestFailed = false;
        previous_ = XSetErrorHandler(noteFailure);
    }
    ~TolerateErrors() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    TolerateErrors(const TolerateErrors&) = delete;
    TolerateErrors& operator=(const TolerateErrors&) = delete;
    bool failed() {
        XSync(display_, False);
        return requestFailed;
    }

private:
    ::Display* display_;
    XErrorHandler previous_ = nullptr;
};

} // namespace

std::optional<X11Placement> x11Placement(SDL_Window* window) {
    const std::optional<X11Handles> x = x11Handles(window);
    if (!x) {
        return std::nullopt;
    }
    TolerateErrors guard(x->display);
    XWindowAttributes attrs;
    if (XGetWindowAttributes(x->display, x->window, &attrs) == 0) {
        return std::nullopt;
    }
    X11Placement p;
    ::Window child = 0;
    if (XTranslateCoordinates(x->display, x->window, attrs.root, 0, 0, &p.client.x, &p.client.y,
                              &child) == 0) {
        return std::nullopt;
    }
    // The frame is the client's ancestor just below the root. Window managers nest a few
    // windows deep at most; the bound only guards against a tree that changes under us.
    constexpr int kMaxDepth = 16;
    ::Window top = x->window;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        ::Window root = 0;
        ::Window parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(x->display, top, &root, &parent, &children, &count) == 0) {
            return std::nullopt;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (parent == 0 || parent == attrs.root) {
            break;
        }
        top = parent;
    }
    p.reparented = top != x->window;
    XWindowAttributes topAttrs = attrs;
    if (p.reparented && XGetWindowAttributes(x->display, top, &topAttrs) == 0) {
        return std::nullopt;
    }
    p.frame = {topAttrs.x, topAttrs.y};
    // A window manager owns the WM_Sn selection of the screen it manages.
    const std::string selection = "WM_S" + std::to_string(XScreenNumberOfScreen(attrs.screen));
    const Atom atom = XInternAtom(x->display, selection.c_str(), False);
    p.managed = atom != None && XGetSelectionOwner(x->display, atom) != None;
    if (guard.failed()) {
        return std::nullopt;
    }
    return p;
}

Point x11RequestFor(Point target, const X11Placement& now) {
    return {target.x - (now.client.x - now.frame.x), target.y - (now.client.y - now.frame.y)};
}

void x11MoveClientTo(SDL_Window* window, Point target, const X11Placement& now) {
    const std::optional<X11Handles> x = x11Handles(window);
    if (!x) {
        return;
    }
    const Point request = x11RequestFor(target, now);
    XMoveWindow(x->display, x->window, request.x, request.y);
    XFlush(x->display);
}

} // namespace scalora
