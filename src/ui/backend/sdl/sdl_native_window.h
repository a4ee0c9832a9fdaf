// One top-level window on SDL2: the native window of one window element. The window canvas is
// copied into the window surface; popups (menus, tool tips) are borderless windows without a
// taskbar entry that do not take the focus; on X11 the client area is put exactly where it was
// asked for, whatever frame the window manager adds.
#pragma once

#include "ui/core/window_system.h"

#include <cstdint>
#include <string>

struct SDL_Window;

namespace scalora {

class SdlWindowSystem;

class SdlNativeWindow : public UINativeWindow {
public:
    SdlNativeWindow(SdlWindowSystem& system, UIWindow& owner, std::uint32_t options,
                    SDL_Window* window);
    ~SdlNativeWindow() override;
    SdlNativeWindow(const SdlNativeWindow&) = delete;
    SdlNativeWindow& operator=(const SdlNativeWindow&) = delete;

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
    void setCursor(CursorId cursor) override;
    void setIcons(const PixelImage* small, const PixelImage* big, const PixelImage* large) override;
    void present(const PixelImage& canvas, const Rect& dirty) override;
    void setTextInputArea(const Rect& area) override;

    UIWindow& owner() const { return owner_; }
    SDL_Window* sdlWindow() const { return window_; }
    std::uint32_t windowId() const;
    bool isPopup() const;
    bool isEnabled() const { return enabled_; }
    // Called when the window was mapped or moved: finishes a placement the window manager's
    // frame has thrown off. False while the position is still on its way, so that the
    // toolkit never hears of a place the window only passes through.
    bool settlePlacement(bool mapped);
    // Only the toolkit places popups: a move made while the popup was unmapped is lost when
    // X11 maps it, so the position of its element is asked for again.
    void keepPopupInPlace();
    // The X window (0 elsewhere).
    unsigned long xWindow() const { return xWindow_; }
    // Another program destroyed the X window: from here on nothing is drawn into it, moved,
    // shown or hidden (SDL would wait for the window manager's answer forever), until a popup
    // is shown again in a new X window.
    void markVanished() { vanished_ = true; }
    bool hasVanished() const { return vanished_; }

private:
    void armPlacement();
    bool replaceVanished();

    SdlWindowSystem& system_;
    UIWindow& owner_;
    std::uint32_t options_;
    SDL_Window* window_;
    unsigned long xWindow_ = 0;
    bool vanished_ = false;
    bool enabled_ = true;
    // Where the client area belongs: the last position asked for or settled on.
    Point target_;
    bool placing_ = false;
    bool corrected_ = false;
    Point correctedFrom_;
    std::uint64_t placingSinceMs_ = 0;
};

} // namespace scalora
