// A drag source for end-to-end tests: drags files over a window with the X11 drag protocol
// (XDND version 5), moving the real pointer with XTest, and drops them at the last point.
//
//   xdnd_drop_source --window TITLE X1 Y1 [X2 Y2 ...] -- FILE...
//
// Points are in the client coordinates of the top-level window whose title is TITLE (the
// window manager may have put it anywhere). For each point it prints the target's answer
// ("status <accepted> <action>"), then "finished <accepted> <action>" after a drop or
// "refused" when the last answer was no. Exit status: 0 dropped, 2 refused, 1 failure.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Atoms {
    Atom aware, enter, position, status, leave, drop, finished, selection, typeList;
    Atom actionCopy, uriList, textPlain, netWmName, utf8;
};

Atoms internAtoms(Display* d) {
    auto a = [d](const char* name) { return XInternAtom(d, name, False); };
    return {a("XdndAware"),    a("XdndEnter"),      a("XdndPosition"),  a("XdndStatus"),
            a("XdndLeave"),    a("XdndDrop"),       a("XdndFinished"),  a("XdndSelection"),
            a("XdndTypeList"), a("XdndActionCopy"), a("text/uri-list"), a("text/plain"),
            a("_NET_WM_NAME"), a("UTF8_STRING")};
}

std::string windowTitle(Display* d, const Atoms& atoms, Window w) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, atoms.netWmName, 0, 256, False, atoms.utf8, &type, &format, &count,
                           &remaining, &data) == Success &&
        data != nullptr) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(d, w, &name) != 0 && name != nullptr) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

bool isViewable(Display* d, Window w) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(d, w, &attributes) != 0 && attributes.map_state == IsViewable;
}

// The first viewable window with that title, depth first.
Window findByTitle(Display* d, const Atoms& atoms, Window w, const std::string& title) {
    if (windowTitle(d, atoms, w) == title && isViewable(d, w)) {
        return w;
    }
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &count) == 0) {
        return None;
    }
    Window found = None;
    for (unsigned int i = 0; i < count && found == None; ++i) {
        found = findByTitle(d, atoms, children[i], title);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

bool isAware(Display* d, const Atoms& atoms, Window w) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const bool aware = XGetWindowProperty(d, w, atoms.aware, 0, 1, False, AnyPropertyType, &type,
                                          &format, &count, &remaining, &data) == Success &&
                       type != None;
    if (data != nullptr) {
        XFree(data);
    }
    return aware;
}

// The XDND-aware window under a root point, searching from the top-level down.
Window awareWindowAt(Display* d, const Atoms& atoms, int x, int y) {
    const Window root = DefaultRootWindow(d);
    Window w = root;
    for (int depth = 0; depth < 16; ++depth) {
        int wx = 0, wy = 0;
        Window child = None;
        if (!XTranslateCoordinates(d, root, w, x, y, &wx, &wy, &child) || child == None) {
            return None;
        }
        if (isAware(d, atoms, child)) {
            return child;
        }
        w = child;
    }
    return None;
}

void sendMessage(Display* d, Window target, Atom type, long l0, long l1, long l2, long l3,
                 long l4) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.display = d;
    e.xclient.window = target;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = l0;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(d, target, False, NoEventMask, &e);
    XFlush(d);
}

std::string uriList(const std::vector<std::string>& files) {
    std::string out;
    for (const std::string& f : files) {
        out += "file://";
        for (unsigned char c : f) {
            if (std::isalnum(c) || std::strchr("/-._~", c) != nullptr) {
                out += static_cast<char>(c);
            } else {
                char buf[4];
                std::snprintf(buf, sizeof buf, "%%%02X", c);
                out += buf;
            }
        }
        out += "\r\n";
    }
    return out;
}

// Serves a selection request for the dragged data.
void answerSelection(Display* d, const Atoms& atoms, const XSelectionRequestEvent& r,
                     const std::string& uris) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = d;
    reply.xselection.requestor = r.requestor;
    reply.xselection.selection = r.selection;
    reply.xselection.target = r.target;
    reply.xselection.time = r.time;
    reply.xselection.property = None;
    const Atom property = r.property != None ? r.property : r.target;
    if (r.target == atoms.uriList || r.target == atoms.textPlain) {
        XChangeProperty(d, r.requestor, property, r.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(uris.data()),
                        static_cast<int>(uris.size()));
        reply.xselection.property = property;
    }
    XSendEvent(d, r.requestor, False, NoEventMask, &reply);
    XFlush(d);
}

// Waits for a client message of a type to the source window, serving selection requests
// meanwhile. False after the timeout.
bool waitFor(Display* d, const Atoms& atoms, Window source, Atom type, const std::string& uris,
             XClientMessageEvent& out, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        while (XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == SelectionRequest) {
                answerSelection(d, atoms, e.xselectionrequest, uris);
            } else if (e.type == ClientMessage && e.xclient.window == source &&
                       e.xclient.message_type == type) {
                out = e.xclient;
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Windows come and go while the tree is walked (a program may even replace its window right
// after showing it); such errors are expected and must not end the helper.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// The window with that title once it has settled: found twice in a row, 200 ms apart; given
// up after 30 s (a loaded machine can take that long to start a program).
Window findSettledWindow(Display* d, const Atoms& atoms, const std::string& title) {
    Window previous = None;
    for (int attempt = 0; attempt < 150; ++attempt) {
        const Window found = findByTitle(d, atoms, DefaultRootWindow(d), title);
        if (found != None && found == previous) {
            return found;
        }
        previous = found;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return None;
}

std::string atomName(Display* d, Atom a) {
    if (a == None) {
        return "none";
    }
    char* n = XGetAtomName(d, a);
    std::string s = n != nullptr ? n : "?";
    if (n != nullptr) {
        XFree(n);
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    std::string title;
    std::vector<int> coords;
    std::vector<std::string> files;
    bool inFiles = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (inFiles) {
            files.push_back(arg);
        } else if (arg == "--") {
            inFiles = true;
        } else if (arg == "--window" && i + 1 < argc) {
            title = argv[++i];
        } else {
            coords.push_back(std::atoi(arg.c_str()));
        }
    }
    if (title.empty() || coords.size() < 2 || coords.size() % 2 != 0 || files.empty()) {
        std::fprintf(stderr, "usage: xdnd_drop_source --window TITLE X Y [X Y ...] -- FILE...\n");
        return 1;
    }
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Atoms atoms = internAtoms(d);
    const Window root = DefaultRootWindow(d);
    const Window window = findSettledWindow(d, atoms, title);
    if (window == None) {
        std::fprintf(stderr, "no window titled \"%s\"\n", title.c_str());
        return 1;
    }
    const Window source = XCreateSimpleWindow(d, root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, source, PropertyChangeMask);
    XSetSelectionOwner(d, atoms.selection, source, CurrentTime);
    const std::string uris = uriList(files);

    Window target = None;
    bool accepted = false;
    for (std::size_t i = 0; i < coords.size(); i += 2) {
        int rx = 0, ry = 0;
        Window child = None;
        XTranslateCoordinates(d, window, root, coords[i], coords[i + 1], &rx, &ry, &child);
        XTestFakeMotionEvent(d, -1, rx, ry, 0);
        XSync(d, False);
        const Window under = awareWindowAt(d, atoms, rx, ry);
        if (under != target) {
            if (target != None) {
                sendMessage(d, target, atoms.leave, static_cast<long>(source), 0, 0, 0, 0);
            }
            target = under;
            if (target != None) {
                sendMessage(d, target, atoms.enter, static_cast<long>(source), 5L << 24,
                            static_cast<long>(atoms.uriList), static_cast<long>(atoms.textPlain),
                            0);
            }
        }
        if (target == None) {
            std::printf("status 0 none (no drop target)\n");
            accepted = false;
            continue;
        }
        sendMessage(d, target, atoms.position, static_cast<long>(source), 0,
                    (static_cast<long>(rx) << 16) | (ry & 0xFFFF), CurrentTime,
                    static_cast<long>(atoms.actionCopy));
        XClientMessageEvent status{};
        if (!waitFor(d, atoms, source, atoms.status, uris, status, std::chrono::seconds(20))) {
            std::fprintf(stderr, "no status from the target\n");
            return 1;
        }
        // The target may answer more than once per position (toolkit and library both may);
        // the last answer that arrives promptly is the one that holds.
        XClientMessageEvent later{};
        while (
            waitFor(d, atoms, source, atoms.status, uris, later, std::chrono::milliseconds(150))) {
            status = later;
        }
        accepted = (status.data.l[1] & 1) != 0;
        std::printf("status %d %s\n", accepted ? 1 : 0,
                    atomName(d, static_cast<Atom>(status.data.l[4])).c_str());
        std::fflush(stdout);
    }
    if (target == None || !accepted) {
        if (target != None) {
            sendMessage(d, target, atoms.leave, static_cast<long>(source), 0, 0, 0, 0);
        }
        std::printf("refused\n");
        XCloseDisplay(d);
        return 2;
    }
    sendMessage(d, target, atoms.drop, static_cast<long>(source), 0, CurrentTime, 0, 0);
    XClientMessageEvent finished{};
    if (!waitFor(d, atoms, source, atoms.finished, uris, finished, std::chrono::seconds(20))) {
        std::fprintf(stderr, "the target never finished the drop\n");
        return 1;
    }
    std::printf("finished %d %s\n", (finished.data.l[1] & 1) != 0 ? 1 : 0,
                atomName(d, static_cast<Atom>(finished.data.l[2])).c_str());
    XDestroyWindow(d, source);
    XCloseDisplay(d);
    return 0;
}
