// The window system for people: SDL2 windows, one per window element (sdl_native_window.h).
// The event loop waits in SDL_WaitEventTimeout, woken by a user event from any thread; what
// arrives is turned into toolkit input by the event translation (sdl_event_translation.h).
// While it runs, the style's cursors are SDL cursors, the clipboard is SDL's and fonts use
// the display's Xft.dpi. A window destroyed by another program is closed as its close box
// would close it, until it agrees to close; a popup is given a new native window when it is
// shown next.
#pragma once

#include "ui/backend/sdl/sdl_event_translation.h"
#include "ui/backend/sdl/x11_error_guard.h"
#include "ui/core/window_system.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

union SDL_Event;
struct SDL_Window;

namespace scalora {

class SdlNativeWindow;

class SdlWindowSystem : public UIWindowSystem {
public:
    // Initialises SDL's video; check isValid() (false without a display).
    SdlWindowSystem();
    ~SdlWindowSystem() override;
    SdlWindowSystem(const SdlWindowSystem&) = delete;
    SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;
    bool isValid() const { return valid_; }
    const std::string& error() const { return error_; }

    [[nodiscard]] std::unique_ptr<UINativeWindow> createWindow(UIWindow& owner,
                                                               std::uint32_t options) override;
    std::int64_t nowMs() const override;
    bool pumpEvents(std::int64_t timeoutMs) override;
    void wake() override;
    std::vector<UIDisplayInfo> displays() const override;
    double dpi() const override;
    void beep() override;

    // Sees every SDL event first (the drag and drop bridge reads the X11 drag messages here);
    // returning true consumes the event.
    void setNativeEventHook(std::function<bool(const SDL_Event&)> hook) { hook_ = std::move(hook); }
    void setBeepFunction(std::function<void()> beep) { beep_ = std::move(beep); }
    SdlNativeWindow* windowById(std::uint32_t id) const;

private:
    friend class SdlNativeWindow;
    void dispatch(const SDL_Event& event);
    void forget(SdlNativeWindow* window);
    // A new hidden SDL window for the element, as createWindow makes it.
    SDL_Window* createSdlWindow(const UIWindow& owner, std::uint32_t options);
    // Files the window again under the id of the SDL window it has been given.
    void reregister(SdlNativeWindow* window);
    // Marks the window an X DestroyNotify names; false for any other event.
    bool noteDestroyed(const SDL_Event& event);
    // Whether a window destroyed by another program has yet to close.
    bool anyAwaitingClose() const;
    void closeVanished();

    // First, so that it is in place before SDL's video starts and after it stops: errors
    // still queued surface when SDL closes its connections.
    X11ErrorGuard errorGuard_;
    bool valid_ = false;
    std::string error_;
    std::uint32_t wakeEvent_ = 0;
    // When the windows destroyed by other programs were last asked to close; 0 asks at once.
    std::int64_t vanishedCloseMs_ = 0;
    bool closingVanished_ = false;
    std::map<std::uint32_t, SdlNativeWindow*> windows_;
    std::function<bool(const SDL_Event&)> hook_;
    std::function<void()> beep_;
    SdlEventTranslator translator_{*this};
};

} // namespace scalora
