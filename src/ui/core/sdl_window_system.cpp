// Index: native window operations; window system set-up and clock; event translation; drops;
// cursors and displays.
#include "ui/core/sdl_window_system.h"

#include "imaging/pixel_image.h"
#include "ui/core/sdl_keys.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/core/x11_placement.h"
#include "ui/draw/screen_dpi.h"
#include "ui/style/sdl_cursor_backend.h"
#include "ui/style/ui_style_manager.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <cstring>

namespace scalora {

namespace {

// SDL takes surfaces in its own pixel formats; ARGB8888 is the canvas's 0xAARRGGBB word.
SDL_Surface* surfaceOver(const PixelImage& image) {
    return SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(image.bytes()), image.width(), image.height(), 32,
        static_cast<int>(image.strideBytes()), SDL_PIXELFORMAT_ARGB8888);
}

XErrorHandler gPreviousXErrorHandler = nullptr;

// Xlib's default handler ends the program on any protocol error. A request naming a window
// that has just gone is a race, not a fault: SDL itself wakes its event wait by sending an
// event to a window, and at shutdown that window can already be destroyed. Such errors are
// ignored; every other error goes to the handler that was there before.
int ignoreVanishedWindows(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow) {
        return 0;
    }
    return gPreviousXErrorHandler != nullptr ? gPreviousXErrorHandler(display, error) : 0;
}

} // namespace

// --- SdlNativeWindow ---

SdlNativeWindow::SdlNativeWindow(SdlWindowSystem& system, UIWindow& owner, std::uint32_t options,
                                 SDL_Window* window)
    : system_(system), owner_(owner), options_(options), window_(window) {}

SdlNativeWindow::~SdlNativeWindow() {
    system_.forget(this);
    SDL_DestroyWindow(window_);
}

std::uint32_t SdlNativeWindow::windowId() const {
    return SDL_GetWindowID(window_);
}

bool SdlNativeWindow::isPopup() const {
    return (options_ & kWindowPopup) != 0;
}

void SdlNativeWindow::show(UIShowMode mode) {
    const bool quiet = isPopup() || mode == UIShowMode::NoActivate;
    // Popups (menus, tool tips) must not take the focus from the window they belong to.
    SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, quiet ? "1" : "0");
    SDL_ShowWindow(window_);
    SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, "0");

    if (mode == UIShowMode::Minimized) {
        SDL_MinimizeWindow(window_);
    } else if (mode == UIShowMode::Maximized) {
        SDL_MaximizeWindow(window_);
    } else if (!quiet) {
        SDL_RaiseWindow(window_);
    }
}

void SdlNativeWindow::hide() {
    SDL_HideWindow(window_);
}

bool SdlNativeWindow::isVisible() const {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0;
}

void SdlNativeWindow::setTitle(const std::string& title) {
    SDL_SetWindowTitle(window_, title.c_str());
}

std::string SdlNativeWindow::title() const {
    const char* t = SDL_GetWindowTitle(window_);
    return t != nullptr ? t : "";
}

Rect SdlNativeWindow::geometry() const {
    Rect r;
    SDL_GetWindowPosition(window_, &r.x, &r.y);
    SDL_GetWindowSize(window_, &r.width, &r.height);
    // Under a reparenting window manager SDL 2.26 counts the frame twice in the position;
    // the X server knows where the client area really is.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (isVisible() && SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE &&
        info.subsystem == SDL_SYSWM_X11) {
        ::Window child = 0;
        int x = 0;
        int y = 0;
        if (XTranslateCoordinates(info.info.x11.display, info.info.x11.window,
                                  DefaultRootWindow(info.info.x11.display), 0, 0, &x, &y,
                                  &child) != 0) {
            r.x = x;
            r.y = y;
        }
    }
    return r;
}

void SdlNativeWindow::setGeometry(const Rect& rect) {
    const Rect now = geometry();
    if (!isPopup()) {
        target_ = rect.topLeft();
    }
    if (rect.topLeft() != now.topLeft()) {
        SDL_SetWindowPosition(window_, rect.x, rect.y);
        if (!isPopup() && isVisible()) {
            // SDL waits for the move, but reckons with the frame only once it has been told
            // the frame's size, which comes some time after the window is mapped.
            armPlacement();
            settlePlacement(false);
        }
    }
    if (rect.size() != now.size() && !rect.isEmpty()) {
        SDL_SetWindowSize(window_, rect.width, rect.height);
    }
}

void SdlNativeWindow::setSizeLimits(Size minimum, Size maximum) {
    // SDL moves the window to where it believes it is when the limits change; until it knows
    // the frame's size that is one frame off, so the window is put back once it has moved.
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    const bool frameUnknown =
        SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0 ||
        (top == 0 && left == 0 && bottom == 0 && right == 0);
    if (!isPopup() && isVisible() && frameUnknown) {
        target_ = geometry().topLeft();
        armPlacement();
    }
    SDL_SetWindowMinimumSize(window_, std::max(minimum.width, 1), std::max(minimum.height, 1));
    // SDL has no "no limit": a very large maximum stands for it.
    constexpr int kUnlimited = 16384;
    SDL_SetWindowMaximumSize(window_, maximum.width > 0 ? maximum.width : kUnlimited,
                             maximum.height > 0 ? maximum.height : kUnlimited);
}

void SdlNativeWindow::armPlacement() {
    placing_ = true;
    corrected_ = false;
    placingSinceMs_ = SDL_GetTicks64();
}

bool SdlNativeWindow::settlePlacement(bool mapped) {
    // Mapping a window (ours, or SDL's when it rebuilds a window for its framebuffer) lets the
    // window manager frame it with the frame's corner at the client's old place: under a
    // title bar and border the client area comes out lower and further right than asked.
    // Once the frame is there, its real size gives the exact request.
    if (mapped) {
        armPlacement();
    }
    if (!placing_) {
        if (isVisible()) {
            target_ = geometry().topLeft();
        }
        return true;
    }
    const std::optional<X11Placement> now = x11Placement(window_);
    constexpr Uint32 kStateful =
        SDL_WINDOW_MAXIMIZED | SDL_WINDOW_MINIMIZED | SDL_WINDOW_FULLSCREEN;
    if (!now || !isVisible() || (SDL_GetWindowFlags(window_) & kStateful) != 0) {
        placing_ = false;
        return true;
    }
    if (now->client == target_ && (now->reparented || !now->managed)) {
        placing_ = false;
        return true;
    }
    // A window manager frames a newly mapped window, and answers a move, within a few round
    // trips; one that never frames it, or refuses the move, is given a second before the
    // window is taken to be where it is. Until then, moves reported from before the frame or
    // the correction are stale.
    // A window manager that answered the correction with a place of its own (kept the window
    // on the screen, say) has the last word.
    constexpr std::uint64_t kAnswerWaitMs = 1000;
    const bool answered = corrected_ && now->client != correctedFrom_;
    if (answered || SDL_GetTicks64() - placingSinceMs_ > kAnswerWaitMs) {
        placing_ = false;
        target_ = now->client;
        return true;
    }
    if (now->reparented && !corrected_) {
        corrected_ = true;
        correctedFrom_ = now->client;
        placingSinceMs_ = SDL_GetTicks64();
        x11MoveClientTo(window_, target_, *now);
    }
    return false;
}

void SdlNativeWindow::setOpacity(double opacity) {
    SDL_SetWindowOpacity(window_, static_cast<float>(std::clamp(opacity, 0.0, 1.0)));
}

void SdlNativeWindow::activate() {
    if (!isPopup()) {
        SDL_RaiseWindow(window_);
    }
}

bool SdlNativeWindow::isActive() const {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void SdlNativeWindow::minimize() {
    // The toolkit hears of the change before the window goes.
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().windowStateChange(&owner_);
    }
    SDL_MinimizeWindow(window_);
}

void SdlNativeWindow::maximize() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().windowStateChange(&owner_);
    }
    SDL_MaximizeWindow(window_);
}

void SdlNativeWindow::restore() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().windowStateChange(&owner_);
    }
    SDL_RestoreWindow(window_);
}

bool SdlNativeWindow::isMinimized() const {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

bool SdlNativeWindow::isMaximized() const {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0;
}

void SdlNativeWindow::flash() {
    SDL_FlashWindow(window_, SDL_FLASH_BRIEFLY);
}

void SdlNativeWindow::setMouseCapture(bool capture) {
    SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void SdlNativeWindow::setCursor(int cursorId) {
    if (SDL_GetMouseFocus() != window_) {
        return;
    }
    if (SDL_Cursor* c = system_.cursor(cursorId); c != nullptr && c != SDL_GetCursor()) {
        SDL_SetCursor(c);
    }
}

void SdlNativeWindow::setIcons(const PixelImage* small, const PixelImage* big) {
    // X11 takes one icon image; the big one scales down better than the small one scales up.
    const PixelImage* icon = big != nullptr && !big->isNull() ? big : small;
    if (icon == nullptr || icon->isNull()) {
        return;
    }
    PixelImage straight = icon->clone();
    straight.setAlphaKind(AlphaKind::Straight);
    if (SDL_Surface* s = surfaceOver(straight)) {
        SDL_SetWindowIcon(window_, s);
        SDL_FreeSurface(s);
    }
}

void SdlNativeWindow::present(const PixelImage& canvas, const Rect& dirty) {
    // The surface changes with the window size, so it is fetched for every present.
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr || canvas.isNull()) {
        return;
    }
    const Rect area = dirty.intersected(
        {0, 0, std::min(canvas.width(), surface->w), std::min(canvas.height(), surface->h)});
    if (area.isEmpty()) {
        return;
    }
    if (SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);
    }
    const std::uint32_t format = surface->format->format;
    auto* base = static_cast<std::uint8_t*>(surface->pixels);
    if (format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888) {
        // Same byte order as the canvas: B G R A (or X) in memory.
        for (std::int32_t y = area.y; y < area.bottom(); ++y) {
            std::memcpy(base +
                            static_cast<std::size_t>(y) * static_cast<std::size_t>(surface->pitch) +
                            static_cast<std::size_t>(area.x) * 4,
                        canvas.row(y) + area.x, static_cast<std::size_t>(area.width) * 4);
        }
    } else {
        const std::uint8_t* src = canvas.bytes() +
                                  static_cast<std::size_t>(area.y) * canvas.strideBytes() +
                                  static_cast<std::size_t>(area.x) * 4;
        std::uint8_t* dst =
            base + static_cast<std::size_t>(area.y) * static_cast<std::size_t>(surface->pitch) +
            static_cast<std::size_t>(area.x) * surface->format->BytesPerPixel;
        SDL_ConvertPixels(area.width, area.height, SDL_PIXELFORMAT_ARGB8888, src,
                          static_cast<int>(canvas.strideBytes()), format, dst, surface->pitch);
    }
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    const SDL_Rect r{area.x, area.y, area.width, area.height};
    SDL_UpdateWindowSurfaceRects(window_, &r, 1);
}

// --- SdlWindowSystem ---

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
    // Installed before SDL's video starts: SDL puts back the handler it found when it shuts
    // down, before it closes its connections, and errors still queued surface in that close.
    gPreviousXErrorHandler = XSetErrorHandler(ignoreVanishedWindows);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        XSetErrorHandler(gPreviousXErrorHandler);
        error_ = SDL_GetError();
        return;
    }
    wakeEvent_ = SDL_RegisterEvents(1);
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    SDL_EventState(SDL_DROPTEXT, SDL_ENABLE);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_StartTextInput();
    UIStyleManager::instance().cursors().setBackend(std::make_unique<SdlCursorBackend>());
    valid_ = true;
}

SdlWindowSystem::~SdlWindowSystem() {
    for (auto& [id, c] : cursors_) {
        SDL_FreeCursor(c);
    }
    if (valid_) {
        // The style's cursors are SDL cursors too: they go before the video subsystem.
        UIStyleManager::instance().cursors().setBackend(nullptr);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        XSetErrorHandler(gPreviousXErrorHandler);
    }
}

std::unique_ptr<UINativeWindow> SdlWindowSystem::createWindow(UIWindow& owner,
                                                              std::uint32_t options) {
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
    auto native = std::make_unique<SdlNativeWindow>(*this, owner, options, window);
    windows_[native->windowId()] = native.get();
    return native;
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
    if (got == 0) {
        return false;
    }
    handle(event);
    // Take what else is waiting, but not forever: a flood of motion must not starve painting.
    for (int i = 0; i < 256 && SDL_PollEvent(&event) != 0; ++i) {
        handle(event);
    }
    return true;
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

void SdlWindowSystem::handle(const SDL_Event& event) {
    if (hook_ && hook_(event)) {
        return;
    }
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr) {
        return;
    }
    UIInputRouter& input = tk->input();
    auto windowOf = [this](std::uint32_t id) -> UIWindow* {
        SdlNativeWindow* n = windowById(id);
        return n != nullptr ? &n->owner() : nullptr;
    };
    switch (event.type) {
    case SDL_MOUSEMOTION:
        if (UIWindow* w = windowOf(event.motion.windowID)) {
            input.mouseMove(w, {event.motion.x, event.motion.y},
                            buttonsFromSdlState(event.motion.state),
                            modifiersFromSdl(SDL_GetModState()));
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (UIWindow* w = windowOf(event.button.windowID)) {
            const std::uint32_t button = buttonFromSdl(event.button.button);
            const std::uint32_t mods = modifiersFromSdl(SDL_GetModState());
            const Point p{event.button.x, event.button.y};
            if (button == 0) {
                break;
            }
            input.mouseMove(w, p, input.heldButtons(), mods);
            if (event.type == SDL_MOUSEBUTTONDOWN) {
                input.mousePress(w, p, button, mods);
            } else {
                input.mouseRelease(w, p, button, mods);
            }
        }
        break;
    case SDL_MOUSEWHEEL:
        if (UIWindow* w = windowOf(event.wheel.windowID)) {
            // One notch is 120, as wheel deltas have always been counted.
            const int flip = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            const std::uint32_t mods = modifiersFromSdl(SDL_GetModState());
            const Point p = input.pointerWindow() == w
                                ? input.pointerPosition()
                                : Point{event.wheel.mouseX, event.wheel.mouseY};
            if (event.wheel.y != 0) {
                input.wheel(w, p, kWheelVertical, event.wheel.y * 120 * flip, mods);
            }
            if (event.wheel.x != 0) {
                input.wheel(w, p, kWheelHorizontal, event.wheel.x * 120 * flip, mods);
            }
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (UIWindow* w = windowOf(event.key.windowID)) {
            const std::int32_t key = virtualKeyFromSdl(event.key.keysym.sym);
            const std::uint32_t mods = modifiersFromSdl(event.key.keysym.mod);
            if (key == 0) {
                break;
            }
            if (event.type == SDL_KEYDOWN) {
                input.keyPress(w, key, mods, event.key.repeat != 0);
            } else {
                input.keyRelease(w, key, mods);
            }
        }
        break;
    case SDL_TEXTINPUT:
        if (UIWindow* w = windowOf(event.text.windowID)) {
            input.textInput(w, event.text.text, modifiersFromSdl(SDL_GetModState()));
        }
        break;
    case SDL_WINDOWEVENT: {
        UIWindow* w = windowOf(event.window.windowID);
        if (w == nullptr) {
            break;
        }
        SdlNativeWindow* native = windowById(event.window.windowID);
        switch (event.window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_MOVED:
            if (native->isPopup()) {
                // Only the toolkit places popups. A move made while the window was unmapped
                // is lost when X11 maps it, so the position is asked for again.
                int x = 0;
                int y = 0;
                SDL_GetWindowPosition(native->sdlWindow(), &x, &y);
                if (Point{x, y} != w->position()) {
                    SDL_SetWindowPosition(native->sdlWindow(), w->x(), w->y());
                }
            } else if (native->settlePlacement(event.window.event == SDL_WINDOWEVENT_SHOWN)) {
                input.windowMoved(w, native->geometry().topLeft());
            }
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            input.windowResized(w, {event.window.data1, event.window.data2});
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            input.exposed(w);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            input.windowStateChange(w);
            input.exposed(w);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            input.closeRequested(w);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            input.windowFocus(w, true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            input.windowFocus(w, false);
            break;
        case SDL_WINDOWEVENT_LEAVE:
            input.pointerLeft(w);
            break;
        default:
            break;
        }
        break;
    }
    case SDL_DROPBEGIN:
        dropWindow_ = event.drop.windowID;
        dropFiles_.clear();
        dropText_.clear();
        dropHasText_ = false;
        break;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        if (event.drop.file != nullptr) {
            if (event.type == SDL_DROPFILE) {
                dropFiles_.emplace_back(event.drop.file);
            } else {
                dropText_ += event.drop.file;
                dropHasText_ = true;
            }
            SDL_free(event.drop.file);
        }
        break;
    case SDL_DROPCOMPLETE: {
        SdlNativeWindow* n =
            windowById(event.drop.windowID != 0 ? event.drop.windowID : dropWindow_);
        // Popups never take drops; without a drop layer nothing takes them.
        if (n != nullptr && !n->isPopup() && tk->dropListener() != nullptr) {
            UIDropPayload payload{std::move(dropFiles_), std::move(dropText_), dropHasText_};
            const Point at =
                input.pointerWindow() == &n->owner() ? input.pointerPosition() : Point{};
            tk->dropListener()->drop(n->owner(), at, payload);
        }
        dropFiles_.clear();
        dropText_.clear();
        dropHasText_ = false;
        break;
    }
    case SDL_QUIT:
        tk->quit(0);
        break;
    default:
        break;
    }
}

// --- cursors, displays, resolution ---

SDL_Cursor* SdlWindowSystem::cursor(int cursorId) {
    // Pictures registered here first, then the style's cursor set, then a system shape.
    if (const auto it = cursors_.find(cursorId); it != cursors_.end()) {
        return it->second;
    }
    if (void* styled = UIStyleManager::instance().cursor(cursorId)) {
        return static_cast<SDL_Cursor*>(styled);
    }
    SDL_SystemCursor system = SDL_SYSTEM_CURSOR_ARROW;
    switch (cursorId) {
    case 2:
        system = SDL_SYSTEM_CURSOR_CROSSHAIR;
        break;
    case 3:
        system = SDL_SYSTEM_CURSOR_WAIT;
        break;
    case 4:
        system = SDL_SYSTEM_CURSOR_IBEAM;
        break;
    case 5:
    case 6:
    case 7:
    case 8:
        system = SDL_SYSTEM_CURSOR_HAND;
        break;
    case 9:
    case 17:
    case 21:
    case 22:
        system = SDL_SYSTEM_CURSOR_SIZENS;
        break;
    case 10:
    case 18:
    case 19:
    case 20:
        system = SDL_SYSTEM_CURSOR_SIZEWE;
        break;
    case 11:
        system = SDL_SYSTEM_CURSOR_SIZENESW;
        break;
    case 12:
        system = SDL_SYSTEM_CURSOR_SIZENWSE;
        break;
    case 13:
        system = SDL_SYSTEM_CURSOR_SIZEALL;
        break;
    case 24:
        system = SDL_SYSTEM_CURSOR_CROSSHAIR;
        break;
    default:
        break;
    }
    // The image cursors (hands, lenses, splits...) stand in as the nearest system cursor
    // until the cursor set registers their pictures.
    SDL_Cursor* c = SDL_CreateSystemCursor(system);
    if (c != nullptr) {
        cursors_[cursorId] = c;
    }
    return c;
}

bool SdlWindowSystem::setCursorImage(int cursorId, const PixelImage& image, Point hotSpot) {
    if (!valid_ || cursorId <= 0 || image.isNull()) {
        return false;
    }
    PixelImage straight = image.clone();
    straight.setAlphaKind(AlphaKind::Straight);
    SDL_Surface* s = surfaceOver(straight);
    if (s == nullptr) {
        return false;
    }
    SDL_Cursor* c = SDL_CreateColorCursor(s, hotSpot.x, hotSpot.y);
    SDL_FreeSurface(s);
    if (c == nullptr) {
        return false;
    }
    if (const auto it = cursors_.find(cursorId); it != cursors_.end()) {
        if (SDL_GetCursor() == it->second) {
            SDL_SetCursor(c);
        }
        SDL_FreeCursor(it->second);
    }
    cursors_[cursorId] = c;
    return true;
}

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
