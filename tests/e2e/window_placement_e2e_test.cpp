// The program under its own Xvfb with openbox: a main window closed and opened again comes
// back with its client area exactly where it was, however often it is restarted, although the
// window manager frames it with a title bar and borders; and it carries the program's icons.
#include "e2e_fixture.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <vector>

// Xlib defines macros (None, Bool...) that clash with GoogleTest's names, so it comes last.
#include <X11/Xlib.h>

namespace scalora {
namespace {

using namespace std::chrono_literals;

// Windows come and go while the tree is walked; a window gone meanwhile is simply skipped.
int ignoreErrors(::Display*, XErrorEvent*) {
    return 0;
}

struct Origin {
    int x = 0;
    int y = 0;
    friend bool operator==(const Origin&, const Origin&) = default;
};

// The viewable window titled `title` below `w`, or 0.
::Window findViewable(::Display* d, ::Window w, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) != 0 && name != nullptr) {
        const bool match = title == name;
        XFree(name);
        XWindowAttributes a;
        if (match && XGetWindowAttributes(d, w, &a) != 0 && a.map_state == IsViewable) {
            return w;
        }
    }
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    ::Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            found = findViewable(d, children[i], title);
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    return found;
}

Origin clientOrigin(::Display* d, ::Window w) {
    Origin o;
    ::Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &o.x, &o.y, &child);
    return o;
}

// The integer value of one item of config.dat, found by its name.
std::optional<int> storedValue(const std::string& text, const std::string& name) {
    const std::string key = "name=\"" + name + "\" value=\"";
    const std::size_t at = text.find(key);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const char* start = text.c_str() + at + key.size();
    const long value = std::strtol(start, &end, 10);
    if (end == start || *end != '"') {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// The sizes of the icons in a window's _NET_WM_ICON, in their order.
std::vector<std::pair<long, long>> iconSizes(::Display* d, ::Window w) {
    std::vector<std::pair<long, long>> sizes;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(d, "_NET_WM_ICON", False);
    if (XGetWindowProperty(d, w, property, 0, 1L << 20, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success ||
        data == nullptr) {
        return sizes;
    }
    const auto* words = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long at = 0; format == 32 && at + 2 <= count;) {
        const auto width = static_cast<long>(words[at]);
        const auto height = static_cast<long>(words[at + 1]);
        sizes.emplace_back(width, height);
        at += 2 + static_cast<unsigned long>(width * height);
    }
    XFree(data);
    return sizes;
}

// What the program stored as the main window's left and top.
std::optional<Origin> storedOrigin(const std::filesystem::path& config) {
    const std::string text = test::readFile(config);
    const std::optional<int> left = storedValue(text, "windowMainLeft");
    const std::optional<int> top = storedValue(text, "windowMainTop");
    if (!left || !top) {
        return std::nullopt;
    }
    return Origin{*left, *top};
}

class WindowPlacementTest : public test::XvfbTest {
protected:
    void SetUp() override {
        if (!session_.start()) {
            GTEST_SKIP() << "no X session: " << session_.error();
        }
        display_ = XOpenDisplay(session_.display().c_str());
        ASSERT_NE(display_, nullptr);
        XSetErrorHandler(ignoreErrors);
        // The program's settings and its single-instance socket stay in the test's folder.
        std::filesystem::create_directories(dir_ / "config");
        std::filesystem::create_directories(dir_ / "run");
        ::chmod((dir_ / "run").c_str(), 0700);
        ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (dir_ / "run").c_str(), 1);
    }

    void TearDown() override {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }

    // The main window as it is now: SDL may replace the X window once after showing it.
    ::Window mainWindow() { return findViewable(display_, DefaultRootWindow(display_), kTitle); }

    // Starts the program and waits for its main window to be on the screen.
    bool open(pid_t& pid, const std::string& log) {
        pid = session_.spawn({(test::binDir() / "scalora").string()}, dir_ / log);
        for (int i = 0; i < 300 && pid > 0; ++i) {
            if (mainWindow() != 0) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    // Polls the client area until it stands at `wanted` or the time is up.
    bool reaches(Origin wanted) {
        for (int i = 0; i < 100; ++i) {
            if (const ::Window w = mainWindow(); w != 0 && clientOrigin(display_, w) == wanted) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    // Closes the window as its close box does and waits for the program to end. A request
    // that reached the X window SDL was just replacing is lost, so it is repeated until the
    // program has ended.
    int close(pid_t pid) {
        for (int i = 0; i < 100; ++i) {
            if (const ::Window w = mainWindow(); w != 0) {
                XEvent e{};
                e.xclient.type = ClientMessage;
                e.xclient.window = w;
                e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
                e.xclient.format = 32;
                e.xclient.data.l[0] =
                    static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
                e.xclient.data.l[1] = CurrentTime;
                XSendEvent(display_, w, False, NoEventMask, &e);
                XFlush(display_);
            }
            for (int j = 0; j < 10; ++j) {
                if (const int status = session_.exitStatus(pid); status >= 0) {
                    return status;
                }
                std::this_thread::sleep_for(20ms);
            }
        }
        return session_.wait(pid, 1s);
    }

    std::filesystem::path config() const { return dir_ / "config" / kTitle / "config.dat"; }

    static constexpr const char* kTitle = "Halvorn Scalora";
    ::Display* display_ = nullptr;
};

TEST_F(WindowPlacementTest, ClosedAndReopenedWindowKeepsItsPlace) {
    pid_t pid = -1;
    ASSERT_TRUE(open(pid, "first.log")) << test::readFile(dir_ / "first.log");
    // The title bar and the task bar each find the icon drawn for their size.
    const std::vector<std::pair<long, long>> icons{{16, 16}, {32, 32}, {48, 48}};
    EXPECT_EQ(iconSizes(display_, mainWindow()), icons);
    ASSERT_EQ(close(pid), 0);
    const std::optional<Origin> stored = storedOrigin(config());
    ASSERT_TRUE(stored.has_value()) << test::readFile(config());

    for (int run = 0; run < 2; ++run) {
        const std::string log = "run" + std::to_string(run) + ".log";
        ASSERT_TRUE(open(pid, log)) << test::readFile(dir_ / log);
        EXPECT_TRUE(reaches(*stored))
            << "run " << run << ": stored " << stored->x << "," << stored->y;
        ASSERT_EQ(close(pid), 0);
        const std::optional<Origin> again = storedOrigin(config());
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->x, stored->x) << "run " << run;
        EXPECT_EQ(again->y, stored->y) << "run " << run;
    }
}

} // namespace
} // namespace scalora
