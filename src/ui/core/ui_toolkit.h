// The process-wide state of the toolkit and its run loop: the window system backend, the
// registry of live elements, the focus element, the mouse grabber, the open popup, deferred
// deletion, and one loop iteration that pumps platform events, delivers posted events, fires
// timers, deletes closed elements and paints dirty windows. Exactly one toolkit exists at a
// time; it is built by the application (or a test) and everything runs on its thread.
#pragma once

#include "ui/core/input_router.h"
#include "ui/core/paint_cycle.h"
#include "ui/core/window_system.h"
#include "ui/style/style_ids.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace scalora {

class UIElement;
class UIWindow;

class UIToolkit {
public:
    explicit UIToolkit(std::unique_ptr<UIWindowSystem> windowSystem);
    // Deletes the top-level elements still alive, drops queued events and timers.
    ~UIToolkit();
    UIToolkit(const UIToolkit&) = delete;
    UIToolkit& operator=(const UIToolkit&) = delete;

    // The toolkit of this process, or null before one is built.
    static UIToolkit* instance();

    UIWindowSystem& windowSystem() { return *windowSystem_; }
    UIInputRouter& input() { return input_; }
    UIPaintCycle& paintCycle() { return paint_; }

    // Element registry, in creation order.
    const std::vector<UIElement*>& elements() const { return elements_; }
    UIElement* findElement(std::uint64_t id) const;
    const std::vector<UIWindow*>& windows() const { return windows_; }

    UIElement* focusElement() const { return focus_; }
    // FocusOut to the old element, FocusIn to the new one; null clears the focus.
    void setFocus(UIElement* element);
    void clearFocus() { setFocus(nullptr); }
    // Moves the focus to the next (or previous) Tab-focusable element of a window, wrapping.
    bool moveFocus(UIWindow* window, bool backwards);

    UIElement* mouseGrabber() const { return grabber_; }
    void setMouseGrabber(UIElement* element);
    void releaseMouseGrab() { setMouseGrabber(nullptr); }

    UIElement* popup() const { return popup_; }
    UIElement* popupOwner() const { return popupOwner_; }
    void setPopup(UIElement* popup, UIElement* owner);
    // Hides the open popup if `owner` owns it (any owner when null).
    void closePopup(UIElement* owner);

    // Deletes the element at the end of the current loop iteration.
    void deleteLater(UIElement* element);

    // Run loop.
    int run();
    void quit(int exitCode = 0);
    bool quitRequested() const { return quit_; }
    void resetQuit() { quit_ = false; }
    // One iteration; with `wait`, blocks until something arrives or a timer is due.
    void iterate(bool wait);
    // Delivers everything pending without waiting (posted events, due timers, paints).
    void processEvents();

    // Style metrics for layouts (0 until a style provides them).
    using MetricProvider = std::function<std::int32_t(StyleMetric)>;
    void setMetricProvider(MetricProvider provider) { metrics_ = std::move(provider); }
    std::int32_t metric(StyleMetric metric) const { return metrics_ ? metrics_(metric) : 0; }
    // Applies the current style to an element (set by the style manager).
    void setStyleApplier(std::function<void(UIElement&)> applier) {
        styleApplier_ = std::move(applier);
    }
    void applyStyle(UIElement& element) const;
    // After a style load: lays out and repaints every visible window again.
    void relayoutVisibleWindows();

    // Modal loops, innermost last. While one runs, input reaches only its window and the
    // windows (popups) below it in the tree.
    void pushModal(UIWindow* window) { modal_.push_back(window); }
    void popModal(UIWindow* window) { std::erase(modal_, window); }
    UIWindow* modalWindow() const { return modal_.empty() ? nullptr : modal_.back(); }
    bool acceptsInput(const UIWindow* window) const;

    // The drag and drop layer; backends hand it the drag notifications (null: drops ignored).
    void setDropListener(UIDropListener* listener) { dropListener_ = listener; }
    UIDropListener* dropListener() const { return dropListener_; }

    // The single-instance relay (message 0xD000): callable from any thread; on the UI thread
    // the target window is brought up (value 0) or handed an ExternalMessage (any other).
    void postExternalMessage(std::int64_t value);
    void setExternalMessageTarget(UIWindow* window) { externalTarget_ = window; }

    // Double-click limits: time in ms, rectangle width and height in pixels. Linux desktops
    // have no system-wide values the toolkit could read, so the usual ones are fixed here.
    std::int64_t doubleClickTime() const { return 500; }
    Size doubleClickSize() const { return {4, 4}; }
    // Text caret blink half-period in ms, the common desktop default.
    std::int64_t caretBlinkTime() const { return 530; }

private:
    friend class UIElement;
    friend class UIWindow;
    void registerElement(UIElement* element);
    void unregisterElement(UIElement* element);
    void registerWindow(UIWindow* window);
    void unregisterWindow(UIWindow* window);
    void forget(UIElement* element);
    void deletePending();

    std::unique_ptr<UIWindowSystem> windowSystem_;
    UIInputRouter input_;
    UIPaintCycle paint_;
    std::vector<UIElement*> elements_;
    std::vector<UIWindow*> windows_;
    std::vector<UIElement*> pendingDelete_;
    std::vector<UIWindow*> modal_;
    UIElement* focus_ = nullptr;
    UIElement* grabber_ = nullptr;
    UIElement* popup_ = nullptr;
    UIElement* popupOwner_ = nullptr;
    MetricProvider metrics_;
    UIDropListener* dropListener_ = nullptr;
    UIWindow* externalTarget_ = nullptr;
    std::uint64_t relayHandler_ = 0;
    std::function<void(UIElement&)> styleApplier_;
    bool quit_ = false;
    int exitCode_ = 0;
};

} // namespace scalora
