// Index: set-up and shutdown; windows; the event wait; windows destroyed by other programs;
// displays, resolution and beep.
#include "ui/backend/sdl/sdl_window_system.h"

#include "ui/backend/sdl/sdl_clipboard_backend.h"
#include "ui/backend/sdl/sdl_cursor_backend.h"
#include "ui/backend/sdl/sdl_native_window.h"
#include "ui/backend/sdl/x11_dialog_window.h"
#include "ui/backend/sdl/x11_display_dpi.h"
#include "ui/backend/sdl/x11_frame_buttons.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/draw/screen_dpi.h"
#include "ui/style/ui_style_manager.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <algorithm>

namespace scalora {

namespace {

// How often a window destroyed by another program is asked again to close while it refuses
// (the main window during a run, until the run is over).
constexpr std::int64_t kVanishedCloseRetryMs = 250;

// A window whose X window another program destroyed is closed as its close box would close
// it. Popups (menus, tool tips) are not: the toolkit keeps and shows them again, so they are
// only given a new X window then.
bool awaitsClose(const SdlNativeWindow& window) {
    return window.hasVanished() && !window.isPopup() && !window.owner().isDead();
}

// The native window of the nearest window above `window` in the element tree, when it has one.
SDL_Window* ownerWindow(const UIWindow& window) {
    for (const UIElement* e = window.parent(); e != nullptr; e = e->parent()) {
        if (e->isWindow()) {
            const auto* native = dynamic_cast<const SdlNativeWindow*>(
                static_cast<const UIWindow*>(e)->nativeWindow());
            return native != nullptr ? native->sdlWindow() : nullptr;
        }
    }
    return nullptr;
}

} // namespace

SdlWindowSystem::SdlWindowSystem() {
    // The toolkit counts clicks itself and quits when the application says so.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Windows are painted through SDL_GetWindowSurface. With framebuffer acceleration SDL
    // 2.26 backs that surface with a renderer texture; on X11 the renderer needs a window made
    // for OpenGL, so SDL destroys and recreates the X window right after its first show. The
    // window id then changes under the window manager, drag and drop and anything else that
    // found the window by id. The plain X11 framebuffer is all we need, so acceleration stays
    // off; the hint must be set before any window takes a surface.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Input method compositions longer than 32 bytes arrive whole (SDL_TEXTEDITING_EXT).
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error_ = SDL_GetError();
        return;
    }
    wakeEvent_ = SDL_RegisterEvents(1);
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    SDL_EventState(SDL_DROPTEXT, SDL_ENABLE);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_StartTextInput();
    UIStyleManager::instance().cursors().setBackend(std::make_unique<SdlCursorBackend>());
    setClipboardBackend(std::make_unique<SdlClipboardBackend>());
    setDisplayDpi(readXftDpi().value_or(0));
    valid_ = true;
}

SdlWindowSystem::~SdlWindowSystem() {
    if (valid_) {
        // The style's cursors and the clipboard are SDL's: they go before the video subsystem.
        UIStyleManager::instance().cursors().setBackend(nullptr);
        setClipboardBackend(nullptr);
        setDisplayDpi(0);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

std::unique_ptr<UINativeWindow> SdlWindowSystem::createWindow(UIWindow& owner,
                                                              std::uint32_t options) {
    SDL_Window* window = createSdlWindow(owner, options);
    if (window == nullptr) {
        return nullptr;
    }
    auto native = std::make_unique<SdlNativeWindow>(*this, owner, options, window);
    windows_[native->windowId()] = native.get();
    return native;
}

SDL_Window* SdlWindowSystem::createSdlWindow(const UIWindow& owner, std::uint32_t options) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if ((options & kWindowPopup) != 0) {
        // Borderless, no taskbar entry; menus and tool tips are typed so the window manager
        // leaves them alone.
        flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR;
        flags |= owner.styleClass() == "UIToolTip" || owner.styleClass() == "UIBalloonTip"
                     ? SDL_WINDOW_TOOLTIP
                     : SDL_WINDOW_POPUP_MENU;
    }
    if ((options & kWindowResizable) != 0) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    if ((options & kWindowTopmost) != 0) {
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    }
    const Rect g = owner.geometry();
    SDL_Window* window =
        SDL_CreateWindow("", g.x, g.y, std::max(g.width, 1), std::max(g.height, 1), flags);
    if (window == nullptr) {
        error_ = SDL_GetError();
        return nullptr;
    }
    if ((options & kWindowPopup) == 0) {
        x11SetFrameButtons(window, FrameButtons{.resizable = (options & kWindowResizable) != 0,
                                                .minimize = (options & kWindowMinimizeBox) != 0,
                                                .maximize = (options & kWindowMaximizeBox) != 0});
        if (SDL_Window* above = ownerWindow(owner)) {
            x11MarkDialog(window, above);
        }
    }
    return window;
}

void SdlWindowSystem::reregister(SdlNativeWindow* window) {
    forget(window);
    windows_[window->windowId()] = window;
}

void SdlWindowSystem::forget(SdlNativeWindow* window) {
    for (auto it = windows_.begin(); it != windows_.end(); ++it) {
        if (it->second == window) {
            windows_.erase(it);
            return;
        }
    }
}

SdlNativeWindow* SdlWindowSystem::windowById(std::uint32_t id) const {
    const auto it = windows_.find(id);
    return it != windows_.end() ? it->second : nullptr;
}

std::int64_t SdlWindowSystem::nowMs() const {
    return static_cast<std::int64_t>(SDL_GetTicks64());
}

bool SdlWindowSystem::pumpEvents(std::int64_t timeoutMs) {
    if (!valid_) {
        return false;
    }
    if (anyAwaitingClose()) {
        timeoutMs =
            timeoutMs < 0 ? kVanishedCloseRetryMs : std::min(timeoutMs, kVanishedCloseRetryMs);
    }
    SDL_Event event;
    int got = 0;
    if (timeoutMs < 0) {
        got = SDL_WaitEvent(&event);
    } else if (timeoutMs == 0) {
        got = SDL_PollEvent(&event);
    } else {
        got = SDL_WaitEventTimeout(&event,
                                   static_cast<int>(std::min<std::int64_t>(timeoutMs, 1 << 30)));
    }
    if (got != 0) {
        dispatch(event);
        // Take what else is waiting, but not forever: a flood of motion must not starve
        // painting.
        for (int i = 0; i < 256 && SDL_PollEvent(&event) != 0; ++i) {
            dispatch(event);
        }
    }
    const bool closing = anyAwaitingClose();
    closeVanished();
    return got != 0 || closing;
}

void SdlWindowSystem::dispatch(const SDL_Event& event) {
    if (hook_ && hook_(event)) {
        return;
    }
    if (noteDestroyed(event)) {
        return;
    }
    translator_.translate(event);
}

void SdlWindowSystem::wake() {
    if (!valid_) {
        return;
    }
    SDL_Event event;
    SDL_zero(event);
    event.type = wakeEvent_;
    SDL_PushEvent(&event);
}

// --- windows destroyed by other programs ---

bool SdlWindowSystem::noteDestroyed(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr ||
        event.syswm.msg->subsystem != SDL_SYSWM_X11 ||
        event.syswm.msg->msg.x11.event.type != DestroyNotify) {
        return false;
    }
    // Windows this program destroys are forgotten first, so only a destruction by someone
    // else finds its window here.
    const ::Window gone = event.syswm.msg->msg.x11.event.xdestroywindow.window;
    for (const auto& [id, native] : windows_) {
        if (native->xWindow() == gone && !native->hasVanished()) {
            native->markVanished();
            vanishedCloseMs_ = 0;
            return true;
        }
    }
    return false;
}

bool SdlWindowSystem::anyAwaitingClose() const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [](const auto& entry) { return awaitsClose(*entry.second); });
}

void SdlWindowSystem::closeVanished() {
    const std::int64_t now = nowMs();
    // A close handler may run a loop of its own (a question): it is not asked again meanwhile.
    if (closingVanished_ || !anyAwaitingClose() ||
        (vanishedCloseMs_ != 0 && now - vanishedCloseMs_ < kVanishedCloseRetryMs)) {
        return;
    }
    vanishedCloseMs_ = now;
    closingVanished_ = true;
    // Closing one window can close or destroy others: each is looked up again by its id.
    std::vector<std::uint32_t> ids;
    for (const auto& [id, native] : windows_) {
        if (awaitsClose(*native)) {
            ids.push_back(id);
        }
    }
    UIToolkit* tk = UIToolkit::instance();
    for (const std::uint32_t id : ids) {
        SdlNativeWindow* native = windowById(id);
        if (tk != nullptr && native != nullptr && awaitsClose(*native)) {
            tk->input().closeRequested(&native->owner());
        }
    }
    closingVanished_ = false;
}

// --- displays, resolution, beep ---

std::vector<UIDisplayInfo> SdlWindowSystem::displays() const {
    std::vector<UIDisplayInfo> out;
    const int count = valid_ ? SDL_GetNumVideoDisplays() : 0;
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds;
        SDL_Rect usable;
        if (SDL_GetDisplayBounds(i, &bounds) != 0) {
            continue;
        }
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0) {
            usable = bounds;
        }
        out.push_back(
            {{bounds.x, bounds.y, bounds.w, bounds.h}, {usable.x, usable.y, usable.w, usable.h}});
    }
    return out;
}

double SdlWindowSystem::dpi() const {
    return screenDpi();
}

void SdlWindowSystem::beep() {
    if (beep_) {
        beep_();
    }
}

} // namespace scalora
