#include "ui/core/input_router.h"

#include "ui/core/ui_element.h"
#include "ui/core/ui_event_queue.h"
#include "ui/core/ui_timers.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

#include <cstdlib>

namespace scalora {

namespace {
// Hover tracking polls the pointer this often (milliseconds).
constexpr std::int64_t kHoverInterval = 20;

Point toScreen(const UIWindow* window, Point p) {
    return window != nullptr ? Point{p.x + window->x(), p.y + window->y()} : p;
}

// The cursor shown over an element: its own, else its nearest ancestor's, else the arrow.
CursorId cursorFor(const UIElement* e) {
    for (; e != nullptr; e = e->parent()) {
        if (e->cursorId() != CursorId::Inherit) {
            return e->cursorId();
        }
        if (e->isWindow()) {
            break;
        }
    }
    return CursorId::Arrow;
}
} // namespace

Point UIInputRouter::pointerScreenPosition() const {
    return toScreen(pointerWindow_, pointerPosition_);
}

void UIInputRouter::forget(UIElement* element) {
    if (hoverTarget_ == element) {
        hoverTarget_ = nullptr;
    }
    if (pointerWindow_ == element) {
        pointerWindow_ = nullptr;
    }
}

UIElement* UIInputRouter::targetFor(UIWindow* window, Point position, Point& local) const {
    if (UIElement* grabber = toolkit_.mouseGrabber()) {
        UIWindow* gw = grabber->window();
        if (gw == window) {
            local = grabber->mapFromWindow(position);
        } else {
            // The grab holds across windows: go through the screen.
            const Point screen = toScreen(window, position);
            local = grabber->mapFromWindow(
                {screen.x - (gw ? gw->x() : 0), screen.y - (gw ? gw->y() : 0)});
        }
        return grabber;
    }
    if (window == nullptr) {
        return nullptr;
    }
    UIElement* target = window->hitTest(position);
    local = target->mapFromWindow(position);
    return target;
}

void UIInputRouter::updateHover(UIWindow* window, Point position) {
    UIElement* hit = window != nullptr ? window->hitTest(position) : nullptr;
    if (hit == hoverTarget_) {
        return;
    }
    hoverTarget_ = hit;
    // Entering an element enters its ancestors too; each tracked one gets one MouseEnter and
    // its own timer, which posts MouseLeave once the pointer is outside it.
    for (UIElement* e = hit; e != nullptr; e = e->parent()) {
        if (e->isEnabled() && e->hasFlag(kTracksHover) && !e->isWindow() &&
            !e->isTimerActive(kHoverTimerId)) {
            e->startTimer(kHoverInterval, kHoverTimerId);
            e->postEvent(UIEvent(UIEventType::MouseEnter));
        }
        if (e->isWindow()) {
            break;
        }
    }
}

void UIInputRouter::mouseMove(UIWindow* window, Point position, std::uint32_t buttons,
                              std::uint32_t modifiers) {
    if (!toolkit_.acceptsInput(window)) {
        return;
    }
    const bool same = window == pointerWindow_ && position == pointerPosition_;
    pointerWindow_ = window;
    pointerPosition_ = position;
    buttons_ = buttons;
    modifiers_ = modifiers;
    if (window == nullptr) {
        return;
    }
    UIElement* under = window->hitTest(position);
    if (window->nativeWindow() != nullptr) {
        window->nativeWindow()->setCursor(
            cursorFor(toolkit_.mouseGrabber() ? toolkit_.mouseGrabber() : under));
    }
    if (same) {
        return;
    }
    updateHover(window, position);
    if (pointerObserver_ != nullptr) {
        pointerObserver_->pointerMoved(window, position);
    }
    Point local;
    if (UIElement* target = targetFor(window, position, local)) {
        target->postEvent(UIEvent::mouse(UIEventType::MouseMove, modifiers, buttons, local,
                                         toScreen(window, position), window->nativeWindow()));
    }
}

void UIInputRouter::mousePress(UIWindow* window, Point position, std::uint32_t button,
                               std::uint32_t modifiers) {
    if (!toolkit_.acceptsInput(window)) {
        return;
    }
    if (pointerObserver_ != nullptr) {
        pointerObserver_->inputActivity();
    }
    // A press anywhere but on the open popup (or a popup it opened, such as a submenu)
    // closes it; the press then goes where it landed. A popup that holds the mouse grab sees
    // every press itself and decides.
    if (UIElement* popup = toolkit_.popup(); popup != nullptr) {
        const UIElement* grabber = toolkit_.mouseGrabber();
        const bool grabbed =
            grabber != nullptr && (grabber == popup || popup->isAncestorOf(grabber));
        if (!grabbed && window != popup && !popup->isAncestorOf(window)) {
            toolkit_.closePopup(nullptr);
        }
    }
    pointerWindow_ = window;
    pointerPosition_ = position;
    buttons_ |= button;
    modifiers_ = modifiers;
    Point local;
    UIElement* target = targetFor(window, position, local);
    if (target == nullptr || !target->isEnabled()) {
        return;
    }
    const std::int64_t now = UITimerRegistry::instance().now();
    const Point screen = toScreen(window, position);
    const Size box = toolkit_.doubleClickSize();
    // The double-click rectangle is centred on the first press.
    const bool isDouble = target->hasFlag(kAcceptsDoubleClick) &&
                          (button == kLeftButton || button == kRightButton) &&
                          button == lastPressButton_ && lastPressTime_ >= 0 &&
                          now - lastPressTime_ <= toolkit_.doubleClickTime() &&
                          std::abs(screen.x - lastPressScreen_.x) * 2 <= box.width &&
                          std::abs(screen.y - lastPressScreen_.y) * 2 <= box.height;
    if (isDouble) {
        // A third press starts over rather than making a second double click.
        lastPressTime_ = -1;
        target->postEvent(UIEvent::mouse(UIEventType::MouseDoubleClick, modifiers, button, local,
                                         screen, window ? window->nativeWindow() : nullptr));
        return;
    }
    lastPressTime_ = now;
    lastPressScreen_ = screen;
    lastPressButton_ = button;
    target->postEvent(UIEvent::mouse(UIEventType::MousePress, modifiers, button, local, screen,
                                     window ? window->nativeWindow() : nullptr));
}

void UIInputRouter::mouseRelease(UIWindow* window, Point position, std::uint32_t button,
                                 std::uint32_t modifiers) {
    if (!toolkit_.acceptsInput(window)) {
        return;
    }
    pointerWindow_ = window;
    pointerPosition_ = position;
    buttons_ &= ~button;
    modifiers_ = modifiers;
    Point local;
    UIElement* target = targetFor(window, position, local);
    if (target == nullptr) {
        return;
    }
    const Point screen = toScreen(window, position);
    UINativeWindow* host = window ? window->nativeWindow() : nullptr;
    target->postEvent(
        UIEvent::mouse(UIEventType::MouseRelease, modifiers, button, local, screen, host));
    if (button == kRightButton && target->rect().contains(local)) {
        target->postEvent(UIEvent::mouse(UIEventType::ContextMenu, 0, button, local, screen, host));
    }
}

void UIInputRouter::wheel(UIWindow* window, Point position, std::int32_t orientation,
                          std::int32_t delta, std::uint32_t modifiers) {
    if (!toolkit_.acceptsInput(window)) {
        return;
    }
    modifiers_ = modifiers;
    if (pointerObserver_ != nullptr) {
        pointerObserver_->inputActivity();
    }
    Point local;
    UIElement* target = targetFor(window, position, local);
    if (target == nullptr) {
        return;
    }
    UIEvent e = UIEvent::mouse(UIEventType::Wheel, modifiers, 0, local, toScreen(window, position),
                               window ? window->nativeWindow() : nullptr);
    e.orientation = orientation;
    e.delta = delta;
    target->postEvent(e);
}

void UIInputRouter::pointerLeft(UIWindow* window) {
    if (pointerObserver_ != nullptr) {
        pointerObserver_->pointerLeft(window);
    }
    if (window == pointerWindow_) {
        pointerWindow_ = nullptr;
        hoverTarget_ = nullptr;
    }
}

namespace {
UIElement* keyTarget(UIToolkit& toolkit, UIWindow* window) {
    // An open popup that previews keys (a menu) never has the focus, yet the keys are for it
    // while it is open. Any other popup closes when its owner gets a key.
    if (UIElement* popup = toolkit.popup();
        popup != nullptr && popup->isVisible() && popup->hasFlag(kKeyPreview)) {
        return popup;
    }
    UIElement* focus = toolkit.focusElement();
    if (focus != nullptr && (window == nullptr || focus->window() == window)) {
        return focus;
    }
    return window;
}
} // namespace

void UIInputRouter::keyPress(UIWindow* window, std::int32_t key, std::uint32_t modifiers,
                             bool autoRepeat) {
    if (!toolkit_.acceptsInput(window)) {
        return;
    }
    modifiers_ = modifiers;
    if (pointerObserver_ != nullptr) {
        pointerObserver_->inputActivity();
    }
    if (UIElement* target = keyTarget(toolkit_, window)) {
        UIEvent e = UIEvent::keyEvent(UIEventType::KeyPress, key, modifiers);
        e.autoRepeat = autoRepeat;
        target->postEvent(e);
    }
}

void UIInputRouter::keyRelease(UIWindow* window, std::int32_t key, std::uint32_t modifiers) {
    if (!toolkit_.acceptsInput(window)) {
        return;
    }
    modifiers_ = modifiers;
    if (UIElement* target = keyTarget(toolkit_, window)) {
        target->postEvent(UIEvent::keyEvent(UIEventType::KeyRelease, key, modifiers));
    }
}

void UIInputRouter::textInput(UIWindow* window, const std::string& text, std::uint32_t modifiers) {
    if (!toolkit_.acceptsInput(window)) {
        return;
    }
    if (text.empty()) {
        return;
    }
    if (UIElement* target = keyTarget(toolkit_, window)) {
        // Typed characters arrive as a key press with key 0 and the text.
        UIEvent e = UIEvent::keyEvent(UIEventType::KeyPress, 0, modifiers);
        e.text = text;
        target->postEvent(e);
    }
}

void UIInputRouter::textEditing(UIWindow* window, const std::string& text, std::int32_t caret) {
    if (!toolkit_.acceptsInput(window)) {
        return;
    }
    if (UIElement* target = keyTarget(toolkit_, window)) {
        UIEvent e = UIEvent::keyEvent(UIEventType::KeyPress, vk::kProcessKey, modifiers_);
        e.text = text;
        e.value = caret;
        target->postEvent(e);
    }
}

void UIInputRouter::windowMoved(UIWindow* window, Point position) {
    if (window == nullptr || window->position() == position) {
        return;
    }
    window->syncingGeometry_ = true;
    UIEvent e(UIEventType::Move);
    e.oldPosition = window->position();
    e.newPosition = position;
    window->sendEvent(e);
    window->syncingGeometry_ = false;
}

void UIInputRouter::windowResized(UIWindow* window, Size size) {
    if (window == nullptr || window->size() == size) {
        return;
    }
    window->syncingGeometry_ = true;
    UIEvent e(UIEventType::Resize);
    e.oldSize = window->size();
    e.newSize = size;
    window->sendEvent(e);
    window->syncingGeometry_ = false;
}

void UIInputRouter::windowStateChange(UIWindow* window) {
    if (window != nullptr) {
        window->postEvent(UIEvent(UIEventType::WindowStateChange));
    }
}

void UIInputRouter::windowFocus(UIWindow* window, bool focused) {
    if (window == nullptr || focused) {
        return;
    }
    // A window that loses the keyboard also loses the pointer grab and its popup.
    UIElement* grabber = toolkit_.mouseGrabber();
    if (grabber != nullptr && grabber->window() == window) {
        toolkit_.releaseMouseGrab();
    }
    const UIElement* owner = toolkit_.popupOwner();
    if (owner != nullptr && owner->window() == window) {
        toolkit_.closePopup(nullptr);
    }
}

void UIInputRouter::closeRequested(UIWindow* window) {
    if (window != nullptr) {
        UIEvent e(UIEventType::Close);
        window->sendEvent(e);
    }
}

void UIInputRouter::externalMessage(UIWindow* window, std::int64_t value) {
    if (window == nullptr) {
        return;
    }
    if (value == 0) {
        if (!window->isVisible()) {
            window->setVisible(true);
        }
        if (window->nativeWindow() != nullptr && window->nativeWindow()->isMinimized()) {
            window->restore();
        }
        window->activate();
        return;
    }
    UIEvent e = UIEvent::valueEvent(UIEventType::ExternalMessage, value);
    window->sendEvent(e);
}

void UIInputRouter::exposed(UIWindow* window) {
    if (window != nullptr) {
        window->markDirty(window->rect());
    }
}

} // namespace scalora
