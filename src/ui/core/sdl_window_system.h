// The window system for people: SDL2 windows, one per window element. SDL events become
// toolkit input, the window canvas is copied into the window surface, popups (menus, tool
// tips) are borderless windows without a taskbar entry that do not take the focus, and the
// event loop waits in SDL_WaitEventTimeout, woken by a user event from any thread.
#pragma once

#include "ui/core/window_system.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

union SDL_Event;
struct SDL_Cursor;
struct SDL_Window;

namespace scalora {

class SdlWindowSystem;

class SdlNativeWindow : public UINativeWindow {
public:
    SdlNativeWindow(SdlWindowSystem& system, UIWindow& owner, std::uint32_t options,
                    SDL_Window* window);
    ~SdlNativeWindow() override;

    void show(UIShowMode mode) override;
    void hide() override;
    bool isVisible() const override;
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    void setTitle(const std::string& title) override;
    std::string title() const override;
    Rect geometry() const override;
    void setGeometry(const Rect& rect) override;
    void setSizeLimits(Size minimum, Size maximum) override;
    void setOpacity(double opacity) override;
    void activate() override;
    bool isActive() const override;
    void minimize() override;
    void maximize() override;
    void restore() override;
    bool isMinimized() const override;
    bool isMaximized() const override;
    void flash() override;
    void setMouseCapture(bool capture) override;
    void setCursor(int cursorId) override;
    void setIcons(const PixelImage* small, const PixelImage* big) override;
    void present(const PixelImage& canvas, const Rect& dirty) override;

    UIWindow& owner() const { return owner_; }
    SDL_Window* sdlWindow() const { return window_; }
    std::uint32_t windowId() const;
    bool isPopup() const;
    bool isEnabled() const { return enabled_; }
    // Called when the window was mapped or moved: finishes a placement the window manager's
    // frame has thrown off. False while the position is still on its way, so that the
    // toolkit never hears of a place the window only passes through.
    bool settlePlacement(bool mapped);

private:
    void armPlacement();

    SdlWindowSystem& system_;
    UIWindow& owner_;
    std::uint32_t options_;
    SDL_Window* window_;
    bool enabled_ = true;
    // Where the client area belongs: the last position asked for or settled on.
    Point target_;
    bool placing_ = false;
    bool corrected_ = false;
    Point correctedFrom_;
    std::uint64_t placingSinceMs_ = 0;
};

class SdlWindowSystem : public UIWindowSystem {
public:
    // Initialises SDL's video; check isValid() (false without a display).
    SdlWindowSystem();
    ~SdlWindowSystem() override;
    bool isValid() const { return valid_; }
    const std::string& error() const { return error_; }

    std::unique_ptr<UINativeWindow> createWindow(UIWindow& owner, std::uint32_t options) override;
    std::int64_t nowMs() const override;
    bool pumpEvents(std::int64_t timeoutMs) override;
    void wake() override;
    std::vector<UIDisplayInfo> displays() const override;
    double dpi() const override;
    bool setCursorImage(int cursorId, const PixelImage& image, Point hotSpot) override;
    void beep() override;

    // Sees every SDL event first (the drag and drop layer reads the X11 drag messages here);
    // returning true consumes the event.
    void setNativeEventHook(std::function<bool(const SDL_Event&)> hook) { hook_ = std::move(hook); }
    void setBeepFunction(std::function<void()> beep) { beep_ = std::move(beep); }
    SdlNativeWindow* windowById(std::uint32_t id) const;
    SDL_Cursor* cursor(int cursorId);

private:
    friend class SdlNativeWindow;
    void handle(const SDL_Event& event);
    void forget(SdlNativeWindow* window);

    bool valid_ = false;
    std::string error_;
    std::uint32_t wakeEvent_ = 0;
    std::map<std::uint32_t, SdlNativeWindow*> windows_;
    std::map<int, SDL_Cursor*> cursors_;
    std::function<bool(const SDL_Event&)> hook_;
    std::function<void()> beep_;
    // Files and text of the drop in progress, per window id.
    std::uint32_t dropWindow_ = 0;
    std::vector<std::string> dropFiles_;
    std::string dropText_;
    bool dropHasText_ = false;
};

} // namespace scalora
