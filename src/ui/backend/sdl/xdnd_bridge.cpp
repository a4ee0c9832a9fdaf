#include "ui/backend/sdl/xdnd_bridge.h"

#include "exchange/ui_drag_drop.h"
#include "exchange/xdnd_formats.h"
#include "ui/backend/sdl/sdl_native_window.h"
#include "ui/backend/sdl/sdl_window_system.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace scalora {

struct XdndBridge::Atoms {
    Display* display = nullptr;
    Atom enter = None, position = None, status = None, leave = None, drop = None;
    Atom typeList = None;
    Atom actionCopy = None, actionMove = None, actionLink = None;

    void load(Display* d) {
        if (display == d) {
            return;
        }
        display = d;
        enter = XInternAtom(d, "XdndEnter", False);
        position = XInternAtom(d, "XdndPosition", False);
        status = XInternAtom(d, "XdndStatus", False);
        leave = XInternAtom(d, "XdndLeave", False);
        drop = XInternAtom(d, "XdndDrop", False);
        typeList = XInternAtom(d, "XdndTypeList", False);
        actionCopy = XInternAtom(d, "XdndActionCopy", False);
        actionMove = XInternAtom(d, "XdndActionMove", False);
        actionLink = XInternAtom(d, "XdndActionLink", False);
    }

    std::string name(Atom atom) const {
        if (atom == None) {
            return {};
        }
        char* raw = XGetAtomName(display, atom);
        if (raw == nullptr) {
            return {};
        }
        std::string n(raw);
        XFree(raw);
        return n;
    }

    Atom forAction(std::uint32_t action) const {
        switch (action) {
        case kDropMove:
            return actionMove;
        case kDropLink:
            return actionLink;
        case kDropCopy:
            return actionCopy;
        default:
            return None;
        }
    }
};

namespace {

// The types an XdndEnter offers: three in the message, or the source's XdndTypeList.
std::vector<Atom> offeredTypes(Display* display, const XClientMessageEvent& m, Atom typeList) {
    std::vector<Atom> types;
    if ((m.data.l[1] & 1) == 0) {
        for (int i = 2; i <= 4; ++i) {
            if (m.data.l[i] != None) {
                types.push_back(static_cast<Atom>(m.data.l[i]));
            }
        }
        return types;
    }
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    // A source lists a handful of types; 64 is far beyond any real one.
    constexpr long kMaxTypes = 64;
    if (XGetWindowProperty(display, static_cast<Window>(m.data.l[0]), typeList, 0, kMaxTypes, False,
                           XA_ATOM, &actualType, &format, &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (actualType == XA_ATOM && format == 32) {
            const auto* atoms = reinterpret_cast<const unsigned long*>(data);
            types.assign(atoms, atoms + count);
        }
        XFree(data);
    }
    return types;
}

} // namespace

XdndBridge::XdndBridge(SdlWindowSystem& system, UIDragDrop& dragDrop)
    : system_(system), dragDrop_(dragDrop), atoms_(std::make_unique<Atoms>()) {
    system_.setNativeEventHook([this](const SDL_Event& e) { return handle(e); });
}

XdndBridge::~XdndBridge() {
    system_.setNativeEventHook(nullptr);
}

UIWindow* XdndBridge::windowForX(unsigned long xwindow, bool* popup) const {
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr) {
        return nullptr;
    }
    for (UIWindow* w : tk->windows()) {
        auto* native = dynamic_cast<SdlNativeWindow*>(w->nativeWindow());
        if (native == nullptr) {
            continue;
        }
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (SDL_GetWindowWMInfo(native->sdlWindow(), &info) == SDL_TRUE &&
            info.subsystem == SDL_SYSWM_X11 && info.info.x11.window == xwindow) {
            *popup = w->isPopup();
            return w;
        }
    }
    return nullptr;
}

void XdndBridge::replyStatus(const void* xevent, std::uint32_t action) {
    const auto& m = static_cast<const XEvent*>(xevent)->xclient;
    XEvent reply{};
    reply.xclient.type = ClientMessage;
    reply.xclient.display = m.display;
    reply.xclient.window = static_cast<Window>(m.data.l[0]);
    reply.xclient.message_type = atoms_->status;
    reply.xclient.format = 32;
    reply.xclient.data.l[0] = static_cast<long>(m.window);
    // Bit 0: the drop would be accepted; bit 1: keep sending positions, since acceptance
    // changes from element to element inside the window (so no "quiet" rectangle either).
    reply.xclient.data.l[1] = (action != kDropNone ? 1 : 0) | 2;
    reply.xclient.data.l[4] = static_cast<long>(atoms_->forAction(action));
    XSendEvent(m.display, reply.xclient.window, False, NoEventMask, &reply);
    XFlush(m.display);
}

bool XdndBridge::handleClientMessage(const void* xevent) {
    const auto& m = static_cast<const XEvent*>(xevent)->xclient;
    atoms_->load(m.display);
    const Atom type = m.message_type;
    if (type != atoms_->enter && type != atoms_->position && type != atoms_->leave &&
        type != atoms_->drop) {
        return false;
    }
    bool popup = false;
    UIWindow* window = windowForX(m.window, &popup);
    if (window == nullptr || popup) {
        // Popups never take drops; SDL's own reply stands for windows we do not know.
        return false;
    }
    if (type == atoms_->enter) {
        std::vector<std::string> names;
        for (Atom t : offeredTypes(m.display, m, atoms_->typeList)) {
            names.push_back(atoms_->name(t));
        }
        target_ = m.window;
        window_ = window;
        dropPoint_.reset();
        std::vector<std::string> formats = formatsForXdndTypes(names);
        // SDL fetches only files and text; a drag of anything else could never arrive.
        fetchable_ = !formats.empty();
        dragDrop_.setOfferedFormats(std::move(formats));
        dragDrop_.dragEnter(*window, {}, kDropCopy | kDropMove | kDropLink);
    } else if (type == atoms_->position) {
        if (window_ != window) { // a position without an enter: start the drag here
            target_ = m.window;
            window_ = window;
            fetchable_ = true;
            dragDrop_.dragEnter(*window, {}, kDropCopy);
        }
        const int rootX = static_cast<int>((m.data.l[2] >> 16) & 0xFFFF);
        const int rootY = static_cast<int>(m.data.l[2] & 0xFFFF);
        int wx = 0;
        int wy = 0;
        Window child = None;
        XTranslateCoordinates(m.display, DefaultRootWindow(m.display), m.window, rootX, rootY, &wx,
                              &wy, &child);
        lastPosition_ = {wx, wy};
        dragDrop_.dragMove(*window, lastPosition_,
                           actionsForXdndAction(atoms_->name(static_cast<Atom>(m.data.l[4]))));
        replyStatus(xevent, fetchable_ ? dragDrop_.proposedAction() : std::uint32_t{kDropNone});
    } else if (type == atoms_->leave) {
        dragDrop_.dragLeave(*window);
        window_ = nullptr;
        target_ = 0;
    } else { // drop: SDL fetches the data and then reports it; remember where it fell
        dropPoint_ = lastPosition_;
        dropTarget_ = m.window;
        window_ = nullptr;
        target_ = 0;
    }
    // SDL still answers the source and fetches the data itself.
    return false;
}

void XdndBridge::deliverDrop(std::uint32_t sdlWindowId) {
    UIToolkit* tk = UIToolkit::instance();
    SdlNativeWindow* native = system_.windowById(sdlWindowId);
    if (tk == nullptr || native == nullptr || native->isPopup()) {
        data_.take();
        dropPoint_.reset();
        return;
    }
    UIWindow& window = native->owner();
    Point at;
    if (dropPoint_) {
        at = *dropPoint_;
    } else {
        // No drag messages (another window system): the pointer is where the drop fell.
        int gx = 0;
        int gy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        const Rect g = native->geometry();
        at = {gx - g.x, gy - g.y};
    }
    const UIDropPayload payload = data_.take();
    dragDrop_.drop(window, at, payload);
    dropPoint_.reset();
}

bool XdndBridge::handle(const SDL_Event& event) {
    if (data_.collect(event)) {
        return true;
    }
    switch (event.type) {
    case SDL_SYSWMEVENT: {
        const SDL_SysWMmsg* msg = event.syswm.msg;
        if (msg != nullptr && msg->subsystem == SDL_SYSWM_X11 &&
            msg->msg.x11.event.type == ClientMessage) {
            return handleClientMessage(&msg->msg.x11.event);
        }
        return false;
    }
    case SDL_DROPCOMPLETE:
        deliverDrop(event.drop.windowID);
        return true;
    default:
        return false;
    }
}

} // namespace scalora
