#include "ui/widgets/ui_tool_tip_tracker.h"

#include "ui/core/ui_element.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/widgets/ui_tool_tip.h"

namespace scalora {

UIToolTipTracker::UIToolTipTracker() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->input().setPointerObserver(this);
    }
}

UIToolTipTracker::~UIToolTipTracker() {
    UITimerRegistry::instance().stopAll(this);
    if (UIToolkit* tk = UIToolkit::instance()) {
        if (tk->input().pointerObserver() == this) {
            tk->input().setPointerObserver(nullptr);
        }
        delete tip();
    }
}

UIToolTip* UIToolTipTracker::tip() const {
    UIToolkit* tk = UIToolkit::instance();
    return tk != nullptr && tipId_ != 0 ? dynamic_cast<UIToolTip*>(tk->findElement(tipId_))
                                        : nullptr;
}

UIToolTip* UIToolTipTracker::visibleTip() const {
    UIToolTip* t = tip();
    return t != nullptr && t->isVisible() ? t : nullptr;
}

void UIToolTipTracker::restartTimer(std::int64_t id, std::int64_t interval) {
    UITimerRegistry& timers = UITimerRegistry::instance();
    timers.stop(id, this);
    timers.start(interval, this, id);
}

void UIToolTipTracker::hideTip(bool suppress) {
    UITimerRegistry::instance().stop(kToolTipTimerId, this);
    if (UIToolTip* t = visibleTip()) {
        t->hideTip();
        if (!suppress) {
            restartTimer(kToolTipFollowUpTimerId, kFollowUpTime);
        }
    }
    suppressed_ = suppressed_ || suppress;
}

void UIToolTipTracker::pointerMoved(UIWindow* window, Point position) {
    if (window == nullptr || window == tip()) {
        return;
    }
    // The innermost enabled element under the pointer that has something to say.
    std::string text;
    UIElement* owner = nullptr;
    for (UIElement* e = window->hitTest(position); e != nullptr; e = e->parent()) {
        if (e->isEnabled()) {
            text = e->toolTipText(e->mapFromWindow(position));
            if (!text.empty()) {
                owner = e;
                break;
            }
        }
        if (e->isWindow()) {
            break;
        }
    }
    cursor_ = {window->x() + position.x, window->y() + position.y};
    const std::uint64_t ownerId = owner != nullptr ? owner->id() : 0;
    if (ownerId != elementId_ || text != text_) {
        hideTip(false);
        elementId_ = ownerId;
        text_ = text;
        suppressed_ = false;
    }
    if (text_.empty() || suppressed_) {
        UITimerRegistry::instance().stop(kToolTipTimerId, this);
        return;
    }
    if (visibleTip() == nullptr) {
        // Every move starts the rest over.
        const bool followUp = UITimerRegistry::instance().isActive(this, kToolTipFollowUpTimerId);
        restartTimer(kToolTipTimerId, followUp ? kQuickShowDelay : kShowDelay);
    }
}

void UIToolTipTracker::inputActivity() {
    hideTip(true);
}

void UIToolTipTracker::pointerLeft(UIWindow*) {
    hideTip(false);
    elementId_ = 0;
    text_.clear();
    suppressed_ = false;
}

void UIToolTipTracker::onTimer(std::int64_t id) {
    UITimerRegistry::instance().stop(id, this);
    if (id != kToolTipTimerId) {
        return; // the follow-up stage is over
    }
    if (visibleTip() != nullptr) {
        hideTip(true); // its time is up
        return;
    }
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr || text_.empty() || suppressed_ || tk->findElement(elementId_) == nullptr) {
        return;
    }
    UIToolTip* t = tip();
    if (t == nullptr) {
        t = new UIToolTip;
        tipId_ = t->id();
    }
    t->showText(text_, cursor_);
    restartTimer(kToolTipTimerId, kDisplayTime);
}

} // namespace scalora
