// The dispatch routine of UIElement: the toolkit's rules for each event kind, then the hook,
// then the signal. Also the empty hooks themselves.
#include "ui/core/ui_element.h"
#include "ui/core/ui_layout.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

namespace scalora {

bool UIElement::event(UIEvent& e) {
    if (!isEnabled() && e.input) {
        return false;
    }
    if (isDead()) {
        return false;
    }
    UIToolkit* tk = UIToolkit::instance();
    switch (e.type) {
    case UIEventType::Paint:
        paintEvent(e);
        signal(e.type).emit(e);
        e.accepted = true;
        break;
    case UIEventType::Resize: {
        const Size clamped = clampedSize(e.newSize);
        e.newSize = clamped;
        const Rect old = geometry();
        width_ = clamped.width;
        height_ = clamped.height;
        resizeEvent(e);
        signal(e.type).emit(e);
        relayout();
        if (isWindow()) {
            update();
        } else if (parent_ != nullptr) {
            parent_->update(old.united(geometry()));
        }
        break;
    }
    case UIEventType::Move: {
        const Rect old = geometry();
        x_ = e.newPosition.x;
        y_ = e.newPosition.y;
        moveEvent(e);
        signal(e.type).emit(e);
        if (!isWindow() && parent_ != nullptr) {
            parent_->update(old.united(geometry()));
        }
        break;
    }
    case UIEventType::MousePress:
        flags_ |= kPressed | kHovered;
        if (!isWindow() && (focusPolicy_ & kClickFocus) != 0) {
            setFocus();
        }
        if (tk != nullptr) {
            tk->setMouseGrabber(this);
        }
        mousePressEvent(e);
        signal(e.type).emit(e);
        break;
    case UIEventType::MouseRelease:
        if (tk != nullptr) {
            tk->releaseMouseGrab();
        }
        flags_ &= ~kPressed;
        mouseReleaseEvent(e);
        signal(e.type).emit(e);
        if (rect().contains(e.position)) {
            postEvent(UIEvent::mouse(UIEventType::MouseClick, e.modifiers, e.button, e.position,
                                     e.screenPosition, e.host));
        }
        break;
    case UIEventType::MouseEnter:
        flags_ |= kHovered;
        callHandler(e);
        break;
    case UIEventType::MouseLeave:
        flags_ &= ~kHovered;
        callHandler(e);
        break;
    case UIEventType::Timer:
        if (e.value == kHoverTimerId) {
            e.accepted = true;
            handleHoverTick(e);
        } else {
            timerEvent(e);
            signal(e.type).emit(e);
        }
        break;
    case UIEventType::ContextMenu:
        if (contextMenu_ != nullptr) {
            contextMenu_->popupAt(e.screenPosition);
        }
        break;
    case UIEventType::Close:
        closeEvent(e);
        signal(e.type).emit(e);
        close();
        break;
    case UIEventType::KeyPress:
        handleKeyPress(e);
        break;
    case UIEventType::KeyRelease:
        handleKeyRelease(e);
        break;
    case UIEventType::HotKey:
        signal(e.type).emit(e);
        break;
    default:
        callHandler(e);
        break;
    }
    return e.accepted;
}

void UIElement::callHandler(UIEvent& e) {
    switch (e.type) {
    case UIEventType::MouseClick:
        mouseClickEvent(e);
        break;
    case UIEventType::MouseDoubleClick:
        mouseDoubleClickEvent(e);
        break;
    case UIEventType::MouseMove:
        mouseMoveEvent(e);
        break;
    case UIEventType::MouseEnter:
        enterEvent(e);
        break;
    case UIEventType::MouseLeave:
        leaveEvent(e);
        break;
    case UIEventType::Wheel:
        wheelEvent(e);
        break;
    case UIEventType::Show:
        showEvent(e);
        break;
    case UIEventType::Hide:
        hideEvent(e);
        break;
    case UIEventType::EnabledChange:
    case UIEventType::WindowStateChange:
        changeEvent(e);
        break;
    case UIEventType::ExternalMessage:
        externalMessageEvent(e);
        break;
    case UIEventType::DragEnter:
        dragEnterEvent(e);
        break;
    case UIEventType::DragMove:
        dragMoveEvent(e);
        break;
    case UIEventType::DragLeave:
        dragLeaveEvent(e);
        break;
    case UIEventType::Drop:
        dropEvent(e);
        break;
    case UIEventType::FocusIn:
        focusInEvent(e);
        break;
    case UIEventType::FocusOut:
        focusOutEvent(e);
        break;
    default:
        return; // unknown kinds (and 124) are ignored
    }
    signal(e.type).emit(e);
}

void UIElement::handleKeyPress(UIEvent& e) {
    UIToolkit* tk = UIToolkit::instance();
    if (tk != nullptr) {
        tk->closePopup(this);
    }
    if (e.key == vk::kTab) {
        if (tk != nullptr) {
            tk->moveFocus(window(), (e.modifiers & kShiftModifier) != 0);
        }
        e.accepted = true;
        return;
    }
    pressAcceptedByWindow_ = false;
    UIElement* w = window();
    if (!isWindow() && w != nullptr && w->hasFlag(kKeyPreview)) {
        w->keyPressEvent(e);
        w->signal(e.type).emit(e);
        pressAcceptedByWindow_ = e.accepted;
    }
    if (!pressAcceptedByWindow_) {
        keyPressEvent(e);
        signal(e.type).emit(e);
    }
}

void UIElement::handleKeyRelease(UIEvent& e) {
    UIElement* w = window();
    if (!isWindow() && w != nullptr && w->hasFlag(kKeyPreview)) {
        w->keyReleaseEvent(e);
        w->signal(e.type).emit(e);
    }
    if (!pressAcceptedByWindow_) {
        keyReleaseEvent(e);
        signal(e.type).emit(e);
    }
}

void UIElement::handleHoverTick(UIEvent&) {
    UIToolkit* tk = UIToolkit::instance();
    bool inside = false;
    if (tk != nullptr && tk->input().pointerWindow() == window() && isVisibleOnScreen()) {
        inside = rect().contains(mapFromWindow(tk->input().pointerPosition()));
    }
    if (!inside) {
        stopTimer(kHoverTimerId);
        postEvent(UIEvent(UIEventType::MouseLeave));
    }
}

// --- hooks: empty in the base ---

void UIElement::paintEvent(UIEvent&) {}
void UIElement::resizeEvent(UIEvent&) {}
void UIElement::moveEvent(UIEvent&) {}
void UIElement::keyPressEvent(UIEvent&) {}
void UIElement::keyReleaseEvent(UIEvent&) {}
void UIElement::mousePressEvent(UIEvent&) {}
void UIElement::mouseReleaseEvent(UIEvent&) {}
void UIElement::mouseClickEvent(UIEvent&) {}
void UIElement::mouseDoubleClickEvent(UIEvent&) {}
void UIElement::wheelEvent(UIEvent&) {}
void UIElement::enterEvent(UIEvent&) {}
void UIElement::leaveEvent(UIEvent&) {}
void UIElement::mouseMoveEvent(UIEvent&) {}
void UIElement::timerEvent(UIEvent&) {}
void UIElement::focusInEvent(UIEvent&) {}
void UIElement::focusOutEvent(UIEvent&) {}
void UIElement::showEvent(UIEvent&) {}
void UIElement::hideEvent(UIEvent&) {}
void UIElement::changeEvent(UIEvent&) {}
void UIElement::closeEvent(UIEvent&) {}
void UIElement::externalMessageEvent(UIEvent&) {}
void UIElement::dragEnterEvent(UIEvent&) {}
void UIElement::dragMoveEvent(UIEvent&) {}
void UIElement::dragLeaveEvent(UIEvent&) {}
void UIElement::dropEvent(UIEvent&) {}
void UIElement::nativeSetEnabled(bool) {}
void UIElement::nativeShow() {}
void UIElement::nativeHide() {}
void UIElement::endModalLoop() {}
void UIElement::sizeLimitsChanged() {}

} // namespace scalora
