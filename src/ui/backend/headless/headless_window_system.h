// The window system for tests: every native window is an image in memory, input is injected
// by the test, time stands still until the test advances the clock (which fires timers), and
// any window can be saved as a PNG. Nothing here needs a display.
#pragma once

#include "imaging/pixel_image.h"
#include "ui/core/window_system.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace scalora {

class UIToolkit;

class HeadlessNativeWindow : public UINativeWindow {
public:
    HeadlessNativeWindow(UIWindow& owner, std::uint32_t options)
        : owner_(owner), options_(options) {}

    void show(UIShowMode mode) override;
    void hide() override {
        visible_ = false;
        active_ = false;
    }
    bool isVisible() const override { return visible_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    void setTitle(const std::string& title) override { title_ = title; }
    std::string title() const override { return title_; }
    Rect geometry() const override { return geometry_; }
    void setGeometry(const Rect& rect) override;
    void setSizeLimits(Size minimum, Size maximum) override;
    void setOpacity(double opacity) override { opacity_ = opacity; }
    void activate() override;
    bool isActive() const override { return active_; }
    void minimize() override;
    void maximize() override;
    void restore() override;
    bool isMinimized() const override { return minimized_; }
    bool isMaximized() const override { return maximized_; }
    void flash() override { ++flashCount_; }
    void setMouseCapture(bool capture) override { captured_ = capture; }
    void setCursor(CursorId cursor) override { cursor_ = cursor; }
    void setIcons(const PixelImage* small, const PixelImage* big, const PixelImage* large) override;
    void present(const PixelImage& canvas, const Rect& dirty) override;

    UIWindow& owner() const { return owner_; }
    std::uint32_t options() const { return options_; }
    bool isEnabled() const { return enabled_; }
    bool hasMouseCapture() const { return captured_; }
    CursorId cursor() const { return cursor_; }
    bool hasIcons() const { return hasIcons_; }
    double opacity() const { return opacity_; }
    int presentCount() const { return presentCount_; }
    // What the window shows: the presented pixels.
    const PixelImage& screen() const { return screen_; }

private:
    UIWindow& owner_;
    std::uint32_t options_;
    Rect geometry_;
    Size minimum_;
    Size maximum_;
    std::string title_;
    PixelImage screen_;
    double opacity_ = 1.0;
    CursorId cursor_ = CursorId::Arrow;
    int presentCount_ = 0;
    int flashCount_ = 0;
    bool visible_ = false;
    bool enabled_ = true;
    bool active_ = false;
    bool minimized_ = false;
    bool maximized_ = false;
    bool captured_ = false;
    bool hasIcons_ = false;
};

class HeadlessWindowSystem : public UIWindowSystem {
public:
    // The resolution of the test screen: the desktop default, and what Xvfb is started with.
    static constexpr double kDpi = 96.0;

    // Pins the font resolution to kDpi while it lives, so text measures and renders the same
    // whatever Xft.dpi the developer's display has.
    HeadlessWindowSystem();
    ~HeadlessWindowSystem() override;
    HeadlessWindowSystem(const HeadlessWindowSystem&) = delete;
    HeadlessWindowSystem& operator=(const HeadlessWindowSystem&) = delete;

    [[nodiscard]] std::unique_ptr<UINativeWindow> createWindow(UIWindow& owner,
                                                               std::uint32_t options) override;
    std::int64_t nowMs() const override { return now_; }
    // Waiting moves the test clock to the next timer. A wait with nothing that could ever end
    // it (no timers, nothing queued) calls the idle hook, where a test injects input; without
    // one the toolkit is told to quit with -1 rather than hang.
    bool pumpEvents(std::int64_t timeoutMs) override;
    void setIdleHook(std::function<void()> hook) { idleHook_ = std::move(hook); }
    void wake() override {}
    std::vector<UIDisplayInfo> displays() const override;
    double dpi() const override { return kDpi; }
    void beep() override { ++beepCount_; }

    // --- for tests ---
    // Moves the clock forward, firing due timers in order and delivering what they post.
    void advance(std::int64_t ms);
    // Pointer and keyboard, in the window's client coordinates; each call delivers the events
    // it causes (processEvents) before returning.
    void mouseMove(UIWindow& window, Point position);
    void mousePress(UIWindow& window, Point position, std::uint32_t button = 1);
    void mouseRelease(UIWindow& window, Point position, std::uint32_t button = 1);
    void click(UIWindow& window, Point position, std::uint32_t button = 1);
    void wheel(UIWindow& window, Point position, std::int32_t delta);
    void pointerLeaves(UIWindow& window);
    void keyPress(UIWindow& window, std::int32_t key, std::uint32_t modifiers = 0);
    void keyRelease(UIWindow& window, std::int32_t key, std::uint32_t modifiers = 0);
    void typeText(UIWindow& window, const std::string& text);
    // The frame's close button, a drag of the frame, the user resizing.
    void requestClose(UIWindow& window);
    void moveWindow(UIWindow& window, Point position);
    void resizeWindow(UIWindow& window, Size size);
    // Drags and drops through the toolkit's drop listener.
    void dragEnter(UIWindow& window, Point position, std::uint32_t actions = 7);
    void dragMove(UIWindow& window, Point position, std::uint32_t actions = 7);
    void dragLeave(UIWindow& window);
    std::uint32_t drop(UIWindow& window, Point position, const UIDropPayload& data);

    static HeadlessNativeWindow* native(UIWindow& window);
    // Paints pending changes and writes what the window shows as a PNG; false when the
    // window shows nothing or the file cannot be written.
    [[nodiscard]] bool saveWindowPng(UIWindow& window, const std::filesystem::path& path);
    void setDisplays(std::vector<UIDisplayInfo> displays) { displays_ = std::move(displays); }
    int beepCount() const { return beepCount_; }
    std::uint32_t modifiers() const { return modifiers_; }

private:
    void settle();

    std::int64_t now_ = 1000; // not 0, so "no previous press" never looks recent
    std::uint32_t buttons_ = 0;
    std::uint32_t modifiers_ = 0;
    int beepCount_ = 0;
    std::function<void()> idleHook_;
    std::vector<UIDisplayInfo> displays_{{{0, 0, 1280, 800}, {0, 0, 1280, 770}}};
};

} // namespace scalora
