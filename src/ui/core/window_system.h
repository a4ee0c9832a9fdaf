// The seam between the toolkit and the platform's window system. A backend creates one native
// window per window element, turns platform input into calls on the input router, shows the
// window canvas, and runs the wait of the event loop. Two backends exist: SDL2 for people
// (src/ui/backend/sdl) and a headless one for tests (src/ui/backend/headless).
#pragma once

#include "base/geometry.h"
#include "ui/style/style_ids.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace scalora {

class PixelImage;
class UIWindow;

// Host options of a native window (or'ed bits).
enum UIWindowOption : std::uint32_t {
    kWindowTopmost = 0x10,
    kWindowResizable = 0x20,
    kWindowMinimizeBox = 0x40,
    kWindowMaximizeBox = 0x80,
    kWindowSystemMenu = 0x100,
    kWindowPopup = 0x200, // no caption, no taskbar entry, never takes the focus
};

inline constexpr std::uint32_t kDefaultWindowOptions = kWindowSystemMenu;

// Show parameters a window element hands its native window.
enum class UIShowMode : std::uint8_t {
    Normal = 0,
    NoActivate = 1,
    Minimized = 2,
    Maximized = 3,
};

// One native window. Geometry is in screen pixels; the frame is the window manager's business.
class UINativeWindow {
public:
    virtual ~UINativeWindow() = default;

    virtual void show(UIShowMode mode) = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual std::string title() const = 0;
    // Client area position and size.
    virtual Rect geometry() const = 0;
    virtual void setGeometry(const Rect& rect) = 0;
    virtual void setSizeLimits(Size minimum, Size maximum) = 0;
    virtual void setOpacity(double opacity) = 0;
    virtual void activate() = 0;
    virtual bool isActive() const = 0;
    virtual void minimize() = 0;
    virtual void maximize() = 0;
    virtual void restore() = 0;
    virtual bool isMinimized() const = 0;
    virtual bool isMaximized() const = 0;
    virtual void flash() = 0;
    virtual void setMouseCapture(bool capture) = 0;
    // Shows the style's cursor while the pointer is over the window.
    virtual void setCursor(CursorId cursor) = 0;
    // Icons: straight-alpha ARGB images; any may be null. The large one is for the task bar
    // and window switchers of systems that show more than the big icon.
    virtual void setIcons(const PixelImage* small, const PixelImage* big,
                          const PixelImage* large) = 0;
    // Shows the given part of the window canvas (opaque premultiplied ARGB).
    virtual void present(const PixelImage& canvas, const Rect& dirty) = 0;
    // Where text is being typed (the caret, client coordinates), so that an input method
    // opens its candidate list beside it. Windows without input methods ignore it.
    virtual void setTextInputArea(const Rect& area) { (void)area; }
};

// What a drop carries, as the platform delivers it.
struct UIDropPayload {
    std::vector<std::string> filePaths;
    std::string text;
    bool hasText = false;
};

// Receives the drag notifications of every window (the drag and drop layer implements it).
// Positions are in the window's client coordinates; actions are UIDropAction bits.
class UIDropListener {
public:
    virtual ~UIDropListener() = default;
    virtual void dragEnter(UIWindow& window, Point position, std::uint32_t allowedActions) = 0;
    virtual void dragMove(UIWindow& window, Point position, std::uint32_t allowedActions) = 0;
    virtual void dragLeave(UIWindow& window) = 0;
    // Returns the action taken (kDropNone when refused).
    virtual std::uint32_t drop(UIWindow& window, Point position, const UIDropPayload& data) = 0;
};

// Monitors, for the geometry rules of windows (centring, keeping them on the desktop).
struct UIDisplayInfo {
    Rect bounds;
    Rect workArea;
};

class UIWindowSystem {
public:
    virtual ~UIWindowSystem() = default;

    [[nodiscard]] virtual std::unique_ptr<UINativeWindow> createWindow(UIWindow& owner,
                                                                       std::uint32_t options) = 0;
    // Milliseconds of a monotonic clock; timers run on it.
    virtual std::int64_t nowMs() const = 0;
    // Translates pending platform events into toolkit calls, waiting up to timeoutMs for the
    // first one (0 polls, -1 waits without limit). Returns whether anything was handled.
    virtual bool pumpEvents(std::int64_t timeoutMs) = 0;
    // Called from any thread: makes a waiting pumpEvents return.
    virtual void wake() = 0;
    virtual std::vector<UIDisplayInfo> displays() const = 0;
    // Screen resolution for font sizes.
    virtual double dpi() const = 0;
    virtual void beep() = 0;
};

} // namespace scalora
