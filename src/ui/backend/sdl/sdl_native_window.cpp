// Index: construction; showing, title and geometry; placement on X11; state, capture,
// cursor and icons; presenting the canvas.
#include "ui/backend/sdl/sdl_native_window.h"

#include "imaging/pixel_image.h"
#include "ui/backend/sdl/sdl_window_system.h"
#include "ui/backend/sdl/x11_placement.h"
#include "ui/backend/sdl/x11_window_icons.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/style/ui_style_manager.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <cstring>

namespace scalora {

namespace {

// SDL takes surfaces in its own pixel formats; ARGB8888 is the canvas's 0xAARRGGBB word. The
// surface only borrows the pixels (SDL's interface is not const; it does not write them).
SDL_Surface* surfaceOver(const PixelImage& image) {
    return SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(image.bytes()), image.width(), image.height(), 32,
        static_cast<int>(image.strideBytes()), SDL_PIXELFORMAT_ARGB8888);
}

unsigned long x11WindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11
               ? info.info.x11.window
               : 0;
}

// SDL hides a window before it destroys it and waits for the server's UnmapNotify. A window
// another program destroyed never gets one, and SDL can still take it for shown: it reads the
// window manager's state of the vanished window, finds none, and concludes it was mapped
// again. The answer is queued in advance, so that the wait ends at once.
void answerHideInAdvance(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) == 0 ||
        SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    XEvent unmap{};
    unmap.xunmap.type = UnmapNotify;
    unmap.xunmap.display = info.info.x11.display;
    unmap.xunmap.event = info.info.x11.window;
    unmap.xunmap.window = info.info.x11.window;
    XPutBackEvent(info.info.x11.display, &unmap);
}

} // namespace

SdlNativeWindow::SdlNativeWindow(SdlWindowSystem& system, UIWindow& owner, std::uint32_t options,
                                 SDL_Window* window)
    : system_(system), owner_(owner), options_(options), window_(window),
      xWindow_(x11WindowOf(window)) {}

SdlNativeWindow::~SdlNativeWindow() {
    system_.forget(this);
    if (vanished_) {
        answerHideInAdvance(window_);
    }
    SDL_DestroyWindow(window_);
}

std::uint32_t SdlNativeWindow::windowId() const {
    return SDL_GetWindowID(window_);
}

bool SdlNativeWindow::isPopup() const {
    return (options_ & kWindowPopup) != 0;
}

bool SdlNativeWindow::replaceVanished() {
    SDL_Window* fresh = system_.createSdlWindow(owner_, options_);
    if (fresh == nullptr) {
        return false;
    }
    SDL_SetWindowTitle(fresh, SDL_GetWindowTitle(window_));
    answerHideInAdvance(window_);
    SDL_DestroyWindow(window_);
    window_ = fresh;
    xWindow_ = x11WindowOf(window_);
    vanished_ = false;
    system_.reregister(this);
    return true;
}

void SdlNativeWindow::show(UIShowMode mode) {
    if (vanished_ && !(isPopup() && replaceVanished())) {
        return;
    }
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
    if (!vanished_) {
        SDL_HideWindow(window_);
    }
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
    // SDL would wait for a move that never comes; a new window is made where the element is.
    if (vanished_) {
        return;
    }
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

void SdlNativeWindow::keepPopupInPlace() {
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    if (Point{x, y} != owner_.position()) {
        SDL_SetWindowPosition(window_, owner_.x(), owner_.y());
    }
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

void SdlNativeWindow::setCursor(CursorId cursor) {
    if (SDL_GetMouseFocus() != window_) {
        return;
    }
    auto* c = static_cast<SDL_Cursor*>(UIStyleManager::instance().cursor(cursor));
    if (c != nullptr && c != SDL_GetCursor()) {
        SDL_SetCursor(c);
    }
}

void SdlNativeWindow::setIcons(const PixelImage* small, const PixelImage* big,
                               const PixelImage* large) {
    if (x11SetWindowIcons(window_, {small, big, large})) {
        return;
    }
    // Elsewhere SDL takes one image: the largest, as scaling down loses less than scaling up.
    const PixelImage* icon = nullptr;
    for (const PixelImage* candidate : {large, big, small}) {
        if (icon == nullptr && candidate != nullptr && !candidate->isNull()) {
            icon = candidate;
        }
    }
    if (icon == nullptr) {
        return;
    }
    if (SDL_Surface* s = surfaceOver(*icon)) {
        SDL_SetWindowIcon(window_, s);
        SDL_FreeSurface(s);
    }
}

void SdlNativeWindow::present(const PixelImage& canvas, const Rect& dirty) {
    if (vanished_) {
        return;
    }
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

void SdlNativeWindow::setTextInputArea(const Rect& area) {
    // SDL keeps one input area for the keyboard focus window, which this one is while typing.
    SDL_Rect r{area.x, area.y, area.width, area.height};
    SDL_SetTextInputRect(&r);
}

} // namespace scalora
