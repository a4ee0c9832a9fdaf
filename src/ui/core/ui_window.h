// The top-level element: it carries a native window, owns the window canvas that the paint
// cycle composes, collects the dirty area, and can run a modal loop until it is closed.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/core/window_system.h"

#include <memory>
#include <string>

namespace scalora {

class UIWindow : public UIElement {
public:
    explicit UIWindow(UIElement* parent = nullptr, std::uint32_t options = kDefaultWindowOptions);
    ~UIWindow() override;

    void setVisible(bool visible) override;
    void setPosition(std::int32_t x, std::int32_t y) override;
    void setSize(std::int32_t width, std::int32_t height) override;

    // Host options (kWindow*); they take effect when the native window is created.
    std::uint32_t windowOptions() const { return windowOptions_; }
    void setWindowOptions(std::uint32_t options) { windowOptions_ = options; }
    bool isPopup() const { return (windowOptions_ & kWindowPopup) != 0; }
    UIShowMode showMode() const { return showMode_; }
    void setShowMode(UIShowMode mode) { showMode_ = mode; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    // The colour the window paints behind its elements when the style gives none.
    Color background() const { return background_; }
    void setBackground(Color color);

    // Shows the window and runs the event loop until it is closed (or the toolkit quits).
    // Returns the result set with setModalResult.
    int exec();
    bool isModalLoopRunning() const { return modalRunning_; }
    void setModalResult(int result) { modalResult_ = result; }

    void activate();
    void minimize();
    void maximize();
    void restore();

    UINativeWindow* nativeWindow() const { return native_.get(); }
    // Creates the native window if it does not exist yet; null when the window system could
    // not make one (the window then never shows).
    UINativeWindow* ensureNativeWindow();

    // The paint cycle's composition target and what needs painting, in window coordinates.
    Canvas& windowCanvas() { return *windowCanvas_; }
    const Canvas& windowCanvas() const { return *windowCanvas_; }
    const Rect& dirtyRect() const { return dirty_; }
    void markDirty(const Rect& r);
    void clearDirty() { dirty_ = {}; }

protected:
    void paintEvent(UIEvent& e) override;
    void nativeSetEnabled(bool enabled) override;
    void nativeShow() override;
    void nativeHide() override;
    void endModalLoop() override;
    void sizeLimitsChanged() override;

private:
    std::unique_ptr<UINativeWindow> native_;
    std::unique_ptr<Canvas> windowCanvas_;
    Rect dirty_;
    std::string title_;
    std::uint32_t windowOptions_;
    UIShowMode showMode_ = UIShowMode::Normal;
    Color background_ = 0xFFF0F0F0;
    bool modalRunning_ = false;
    int modalResult_ = 0;
    bool syncingGeometry_ = false;

    friend class UIInputRouter;
};

} // namespace scalora
