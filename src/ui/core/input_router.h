// Turns what a window system backend reports (pointer, buttons, wheel, keys, text, window
// changes) into toolkit events for the right element: hit testing, the mouse grab, double
// clicks detected by the toolkit itself, hover tracking, keys to the focus element. It keeps
// its own record of the pointer and modifiers, since injected input never reaches the
// platform's state.
#pragma once

#include "base/geometry.h"

#include <cstdint>
#include <string>

namespace scalora {

class UIElement;
class UIToolkit;
class UIWindow;

// Told about the pointer in every window of the toolkit; the tool tips watch it.
class UIPointerObserver {
public:
    virtual ~UIPointerObserver() = default;
    // The pointer moved to a new point of a window (client coordinates).
    virtual void pointerMoved(UIWindow* window, Point position) = 0;
    // A button press, a wheel turn or a key press.
    virtual void inputActivity() = 0;
    virtual void pointerLeft(UIWindow* window) = 0;
};

class UIInputRouter {
public:
    explicit UIInputRouter(UIToolkit& toolkit) : toolkit_(toolkit) {}

    // Pointer input, in the window's client coordinates (screen position derived from the
    // window position).
    void mouseMove(UIWindow* window, Point position, std::uint32_t buttons,
                   std::uint32_t modifiers);
    void mousePress(UIWindow* window, Point position, std::uint32_t button,
                    std::uint32_t modifiers);
    void mouseRelease(UIWindow* window, Point position, std::uint32_t button,
                      std::uint32_t modifiers);
    void wheel(UIWindow* window, Point position, std::int32_t orientation, std::int32_t delta,
               std::uint32_t modifiers);
    // The pointer left every window of the toolkit.
    void pointerLeft(UIWindow* window);

    // Keys (virtual-key codes) and typed text go to the focus element, else to the window.
    void keyPress(UIWindow* window, std::int32_t key, std::uint32_t modifiers, bool autoRepeat);
    void keyRelease(UIWindow* window, std::int32_t key, std::uint32_t modifiers);
    void textInput(UIWindow* window, const std::string& text, std::uint32_t modifiers);
    // The input method's composition changed (empty when it ended or was committed); the
    // caret within it in characters. Arrives as a key press of vk::kProcessKey.
    void textEditing(UIWindow* window, const std::string& text, std::int32_t caret);

    // Native window changes.
    void windowMoved(UIWindow* window, Point position);
    void windowResized(UIWindow* window, Size size);
    void windowStateChange(UIWindow* window);
    void windowFocus(UIWindow* window, bool focused);
    void closeRequested(UIWindow* window);
    // The single-instance relay: 0 brings the window up, anything else is handed over.
    void externalMessage(UIWindow* window, std::int64_t value);
    void exposed(UIWindow* window);

    // The pointer record.
    UIWindow* pointerWindow() const { return pointerWindow_; }
    Point pointerPosition() const { return pointerPosition_; }
    Point pointerScreenPosition() const;
    std::uint32_t heldButtons() const { return buttons_; }
    std::uint32_t modifiers() const { return modifiers_; }
    UIElement* hoverTarget() const { return hoverTarget_; }

    // Forgets an element that is going away.
    void forget(UIElement* element);

    // One observer at a time (null for none); it must outlive its registration.
    void setPointerObserver(UIPointerObserver* observer) { pointerObserver_ = observer; }
    UIPointerObserver* pointerObserver() const { return pointerObserver_; }

private:
    UIElement* targetFor(UIWindow* window, Point position, Point& local) const;
    void updateHover(UIWindow* window, Point position);

    UIToolkit& toolkit_;
    UIPointerObserver* pointerObserver_ = nullptr;
    UIWindow* pointerWindow_ = nullptr;
    Point pointerPosition_;
    std::uint32_t buttons_ = 0;
    std::uint32_t modifiers_ = 0;
    UIElement* hoverTarget_ = nullptr;
    // The previous press, for double clicks.
    std::int64_t lastPressTime_ = -1;
    Point lastPressScreen_;
    std::uint32_t lastPressButton_ = 0;
};

} // namespace scalora
