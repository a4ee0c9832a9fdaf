// Index: construction and destruction; tree; style class; flags with their side effects;
// geometry and mapping; layout; focus, options, tool tips and popups; repaint; hit testing;
// closing; timers, signals, sending and posting. The dispatch routine and the empty hooks are
// in ui_element_dispatch.cpp.
#include "ui/core/ui_element.h"

#include "base/strings.h"
#include "ui/core/ui_layout.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"

#include <algorithm>
#include <atomic>

namespace scalora {

namespace {
std::atomic<std::uint64_t> gLastElementId{0};

UIToolkit* toolkit() {
    return UIToolkit::instance();
}
} // namespace

std::uint64_t styleClassHash(const std::string& name) {
    std::uint64_t hash = 0;
    for (const char16_t c : utf8ToUtf16(name)) {
        hash = hash * 101 + c; // unsigned arithmetic wraps at 64 bits
    }
    return hash;
}

// --- construction and destruction ---

UIElement::UIElement(UIElement* parent) : id_(++gLastElementId) {
    if (UIToolkit* tk = toolkit()) {
        tk->registerElement(this);
    }
    if (parent != nullptr) {
        parent_ = parent;
        parent->children_.push_back(this);
    }
}

UIElement::~UIElement() {
    inDestructor_ = true;
    closeElement(true);
    destroyChildren();
    if (parent_ != nullptr) {
        parent_->removeChild(this);
    }
    if (UIToolkit* tk = toolkit()) {
        tk->unregisterElement(this);
    }
}

void UIElement::destroyChildren() {
    while (!children_.empty()) {
        delete children_.back(); // the child unlinks itself
    }
}

// --- tree ---

UIWindow* UIElement::window() const {
    for (const UIElement* e = this; e != nullptr; e = e->parent_) {
        if (e->isWindow()) {
            return static_cast<UIWindow*>(const_cast<UIElement*>(e));
        }
    }
    return nullptr;
}

bool UIElement::isAncestorOf(const UIElement* other) const {
    for (const UIElement* e = other != nullptr ? other->parent_ : nullptr; e != nullptr;
         e = e->parent_) {
        if (e == this) {
            return true;
        }
    }
    return false;
}

void UIElement::removeChild(UIElement* child) {
    const auto it = std::find(children_.begin(), children_.end(), child);
    if (it == children_.end()) {
        return;
    }
    children_.erase(it);
    child->parent_ = nullptr;
    if (layout_) {
        layout_->removeElement(child);
    }
}

void UIElement::setParent(UIElement* parent) {
    if (parent == parent_ || parent == this || isAncestorOf(parent)) {
        return;
    }
    if (parent_ != nullptr) {
        parent_->update(geometry());
        parent_->removeChild(this);
    }
    if (parent != nullptr) {
        parent_ = parent;
        parent->children_.push_back(this);
        update();
    }
}

// --- style class ---

void UIElement::setStyleClass(const std::string& name) {
    styleClass_ = name;
    styleClassHash_ = scalora::styleClassHash(name);
    if (isWindow()) {
        static_cast<UIWindow*>(this)->ensureNativeWindow();
    }
    flags_ |= kInitialized;
    setVisible(false);
    if (UIToolkit* tk = toolkit()) {
        tk->applyStyle(*this);
    }
}

void UIElement::setStyleProperty(const std::string&, const std::string&) {}
void UIElement::setSkinImage(const std::string&, const UISkin&) {}

// --- flags with their side effects ---

void UIElement::setFlag(std::uint32_t flag, bool on) {
    if (hasFlag(flag) == on) {
        return;
    }
    switch (flag) {
    case kEnabled:
        applyEnabled(on);
        break;
    case kVisible:
        applyVisible(on);
        break;
    case kParentBackground:
        flags_ ^= flag;
        update();
        break;
    default:
        flags_ = on ? (flags_ | flag) : (flags_ & ~flag);
        break;
    }
}

void UIElement::applyEnabled(bool on) {
    UIToolkit* tk = toolkit();
    flags_ = on ? (flags_ | kEnabled) : (flags_ & ~kEnabled);
    for (std::size_t i = 0; i < children_.size(); ++i) {
        UIElement* child = children_[i];
        if (!child->isWindow() && child->isEnabled() != on) {
            if (!on && tk != nullptr) {
                tk->closePopup(child);
            }
            child->setFlag(kEnabled, on);
        }
    }
    if (isWindow()) {
        nativeSetEnabled(on);
    }
    if (!on && tk != nullptr) {
        if (tk->focusElement() == this) {
            tk->clearFocus();
        }
        if (tk->mouseGrabber() == this) {
            tk->releaseMouseGrab();
        }
    }
    if (tk != nullptr) {
        tk->closePopup(this);
    }
    if (!isWindow()) {
        update();
    }
    UIEvent e(UIEventType::EnabledChange);
    sendEvent(e);
}

void UIElement::applyVisible(bool on) {
    UIToolkit* tk = toolkit();
    if (!on) {
        const Rect old = geometry();
        flags_ &= ~(kVisible | kHovered);
        if (isWindow()) {
            nativeHide();
        }
        if (tk != nullptr) {
            UIElement* grabber = tk->mouseGrabber();
            if (grabber == this || isAncestorOf(grabber)) {
                tk->releaseMouseGrab();
            }
            UIElement* focus = tk->focusElement();
            if (focus == this || (isAncestorOf(focus) && focus->window() == window())) {
                tk->clearFocus();
            }
            // A popup cannot stay open for an owner that is gone from the screen.
            if (UIElement* owner = tk->popupOwner(); owner == this || isAncestorOf(owner)) {
                tk->closePopup(nullptr);
            }
        }
        if (isInitialized() && !isWindow() && parent_ != nullptr) {
            parent_->relayout();
            parent_->update(old);
        }
        UIEvent e(UIEventType::Hide);
        sendEvent(e);
        return;
    }
    if (isWindow()) {
        nativeShow();
    } else {
        flags_ |= kVisible | kRealized;
        if (parent_ != nullptr && parent_->layout_) {
            parent_->relayout();
        }
        update();
    }
    UIEvent e(UIEventType::Show);
    sendEvent(e);
}

bool UIElement::isVisibleOnScreen() const {
    for (const UIElement* e = this; e != nullptr; e = e->parent_) {
        if (!e->isVisible()) {
            return false;
        }
        if (e->isWindow()) {
            return true;
        }
    }
    return false;
}

void UIElement::setVisible(bool visible) {
    if (!isInitialized() || isVisible() == visible) {
        return;
    }
    setFlag(kVisible, visible);
}

void UIElement::enable() {
    if (!isEnabled()) {
        setFlag(kEnabled, true);
    }
}

void UIElement::disable() {
    if (isEnabled()) {
        setFlag(kEnabled, false);
    }
    if (UIToolkit* tk = toolkit()) {
        tk->closePopup(this);
    }
}

// --- geometry and mapping ---

void UIElement::setPosition(std::int32_t x, std::int32_t y) {
    UIEvent e(UIEventType::Move);
    e.oldPosition = position();
    e.newPosition = {x, y};
    sendEvent(e);
}

void UIElement::setSize(std::int32_t width, std::int32_t height) {
    UIEvent e(UIEventType::Resize);
    e.oldSize = size();
    e.newSize = {width, height};
    sendEvent(e);
}

void UIElement::setGeometry(const Rect& r) {
    if (r.topLeft() != position()) {
        setPosition(r.x, r.y);
    }
    if (r.size() != size()) {
        setSize(r.width, r.height);
    }
}

void UIElement::setMinimumSize(Size size) {
    minimum_ = size;
    sizeLimitsChanged();
    if (minimum_.width > 0 || minimum_.height > 0) {
        const Size clamped = clampedSize(this->size());
        if (clamped != this->size()) {
            setSize(clamped.width, clamped.height);
        }
    }
}

void UIElement::setMaximumSize(Size size) {
    maximum_ = size;
    sizeLimitsChanged();
    const Size clamped = clampedSize(this->size());
    if (clamped != this->size()) {
        setSize(clamped.width, clamped.height);
    }
}

Size UIElement::clampedSize(Size s) const {
    return clampSize(s, minimum_, maximum_);
}

Point UIElement::mapFromAncestor(const UIElement* ancestor, Point p) const {
    const Point offset = mapToAncestor(ancestor, {0, 0});
    return {p.x - offset.x, p.y - offset.y};
}

Point UIElement::mapToAncestor(const UIElement* ancestor, Point p) const {
    // With no ancestor given the walk stops at the window, whose own position is on the
    // screen and so is not added.
    for (const UIElement* e = this; e != nullptr && e != ancestor; e = e->parent_) {
        if (e->isWindow()) {
            break;
        }
        p.x += e->x_;
        p.y += e->y_;
    }
    return p;
}

Rect UIElement::windowRect() const {
    if (isWindow()) {
        return rect();
    }
    const Point p = mapToWindow({0, 0});
    return {p.x, p.y, width_, height_};
}

Rect UIElement::visibleWindowRect() const {
    if (isWindow()) {
        return rect();
    }
    Rect r = windowRect();
    for (const UIElement* e = parent_; e != nullptr; e = e->parent_) {
        r = r.intersected(e->windowRect());
        if (e->isWindow()) {
            break;
        }
    }
    return r;
}

// --- layout ---

Size UIElement::sizeHint() const {
    if (layout_) {
        const Margins m = contentsMargins();
        const Size s = layout_->sizeHint();
        return {s.width + m.left + m.right, s.height + m.top + m.bottom};
    }
    return {};
}

Size UIElement::minimumSizeHint() const {
    if (layout_) {
        const Margins m = contentsMargins();
        const Size s = layout_->minimumSize();
        return {s.width + m.left + m.right, s.height + m.top + m.bottom};
    }
    return {};
}

Margins UIElement::contentsMargins() const {
    return {};
}

void UIElement::setSizePolicy(UISizePolicy horizontal, UISizePolicy vertical) {
    horizontalPolicy_ = horizontal;
    verticalPolicy_ = vertical;
}

void UIElement::setLayout(std::unique_ptr<UILayout> layout) {
    layout_ = std::move(layout);
    if (layout_) {
        layout_->setHost(this);
        relayout();
    }
}

void UIElement::relayout() {
    if (layout_) {
        layout_->setGeometry(rect().shrunk(contentsMargins()));
    }
}

// --- focus, options, tool tips and popups ---

void UIElement::setFocus() {
    if (UIToolkit* tk = toolkit()) {
        tk->setFocus(this);
    }
}

bool UIElement::hasFocus() const {
    const UIToolkit* tk = toolkit();
    return tk != nullptr && tk->focusElement() == this;
}

bool UIElement::isTabFocusable() const {
    return (focusPolicy_ & kTabFocus) != 0 && isEnabled() && isInitialized() && !isDead() &&
           !isWindow() && isVisibleOnScreen();
}

void UIElement::setOption(std::uint32_t option, bool on) {
    options_ = on ? (options_ | option) : (options_ & ~option);
}

std::string UIElement::toolTipText(Point) const {
    return toolTip_;
}

void UIElement::popupAt(Point screenPosition) {
    if (!isWindow()) {
        return;
    }
    setPosition(screenPosition.x, screenPosition.y);
    if (UIToolkit* tk = toolkit()) {
        tk->setPopup(this, parent_);
    }
    setVisible(true);
}

// --- repaint ---

void UIElement::update() {
    update(rect());
}

void UIElement::update(const Rect& part) {
    UIWindow* w = window();
    if (w == nullptr) {
        return;
    }
    if (isInitialized() && hasFlag(kRealized) && isVisibleOnScreen()) {
        const Point origin = mapToWindow({0, 0});
        const Rect area = part.intersected(rect())
                              .translated(origin.x, origin.y)
                              .intersected(visibleWindowRect());
        if (!area.isEmpty()) {
            w->markDirty(area);
            return;
        }
    }
    w->flags_ |= kRepaintPending;
}

Canvas& UIElement::ensureCanvas() {
    if (!canvas_) {
        canvas_ = std::make_unique<Canvas>();
    }
    return *canvas_;
}

// --- hit testing ---

UIElement* UIElement::hitTest(Point p) {
    UIElement* target = this;
    bool descended = true;
    while (descended && target->isVisible() && !target->children_.empty()) {
        descended = false;
        for (UIElement* child : target->children_) {
            if (child->isWindow() || child->hasFlag(kMouseTransparent) || !child->isVisible()) {
                continue;
            }
            const Point local{p.x - child->x_, p.y - child->y_};
            if (child->rect().contains(local)) {
                target = child;
                p = local;
                descended = true;
                break;
            }
        }
    }
    return target;
}

// --- closing ---

bool UIElement::close() {
    const bool closing = isInitialized();
    closeElement(false);
    return closing;
}

void UIElement::closeElement(bool destroying) {
    if (!isInitialized()) {
        return;
    }
    UIToolkit* tk = toolkit();
    setReceiverBlocked(true);
    flags_ |= kDead;
    if (tk != nullptr) {
        UIElement* grabber = tk->mouseGrabber();
        if (grabber == this || isAncestorOf(grabber)) {
            tk->releaseMouseGrab();
        }
        UIElement* focus = tk->focusElement();
        if (focus == this || isAncestorOf(focus)) {
            tk->clearFocus();
        }
        if (tk->popup() == this) {
            tk->setPopup(nullptr, nullptr);
        }
    }
    endModalLoop();
    flags_ &= ~kInitialized;
    setReceiverBlocked(false);
    if (isVisible()) {
        applyVisible(false);
    }
    setReceiverBlocked(true);
    stopTimer(kHoverTimerId);
    if (parent_ != nullptr) {
        UIElement* parent = parent_;
        const Rect old = geometry();
        parent->removeChild(this);
        parent->relayout();
        parent->update(old);
    }
    if (!destroying && deleteOnClose_ && tk != nullptr) {
        tk->deleteLater(this);
    }
}

// --- timers, signals, sending and posting ---

bool UIElement::startTimer(std::int64_t intervalMs, std::int64_t id) {
    return UITimerRegistry::instance().start(intervalMs, this, id);
}

bool UIElement::stopTimer(std::int64_t id) {
    return UITimerRegistry::instance().stop(id, this);
}

bool UIElement::isTimerActive(std::int64_t id) const {
    return UITimerRegistry::instance().isActive(this, id);
}

void UIElement::onTimer(std::int64_t id) {
    UIEvent e = UIEvent::valueEvent(UIEventType::Timer, id);
    sendEvent(e);
}

UIElement::EventSignal& UIElement::signal(UIEventType type) {
    std::int32_t index = static_cast<std::int32_t>(type) - kFirstEventType;
    index = std::clamp(index, 0, kEventTypeCount - 1);
    auto& slot = signals_[static_cast<std::size_t>(index)];
    if (!slot) {
        slot = std::make_unique<EventSignal>();
    }
    return *slot;
}

bool UIElement::sendEvent(UIEvent& e) {
    return UIEventQueue::instance().send(this, e);
}

void UIElement::postEvent(const UIEvent& e) {
    UIEventQueue::instance().post(this, e);
}

} // namespace scalora
