#include "ui/core/ui_toolkit.h"

#include "ui/core/ui_element.h"
#include "ui/core/ui_event_queue.h"
#include "ui/core/ui_timers.h"
#include "ui/core/ui_window.h"
#include "ui/style/ui_style_manager.h"

#include <algorithm>

namespace scalora {

namespace {
UIToolkit* gToolkit = nullptr;
}

UIToolkit::UIToolkit(std::unique_ptr<UIWindowSystem> windowSystem)
    : windowSystem_(std::move(windowSystem)), input_(*this) {
    gToolkit = this;
    elements_.reserve(256);
    pendingDelete_.reserve(16);
    UIWindowSystem* system = windowSystem_.get();
    UITimerRegistry::instance().setClock([system] { return system->nowMs(); });
    UIEventQueue::instance().setWakeFunction([system] { system->wake(); });
    // The style manager of the process feeds every element and the layout metrics, and a
    // style loaded later lays the visible windows out again.
    styleApplier_ = [](UIElement& element) {
        UIStyleManager::instance().applyStyle(
            element.styleClass(),
            [&element](const std::string& name, const std::string& value) {
                element.setStyleProperty(name, value);
            },
            [&element](const std::string& name, const UISkin& skin) {
                element.setSkinImage(name, skin);
            });
    };
    metrics_ = [](StyleMetric metric) { return UIStyleManager::instance().metric(metric); };
    UIStyleManager::instance().setStyleLoadedHook([this] { relayoutVisibleWindows(); });
    relayHandler_ = UIEventQueue::instance().registerHandler(
        [this](std::uint32_t code, std::int64_t wParam, std::int64_t) {
            if (code == kExternalRelayMessage && externalTarget_ != nullptr) {
                input_.externalMessage(externalTarget_, wParam);
            }
        });
}

void UIToolkit::postExternalMessage(std::int64_t value) {
    UIEventQueue::instance().postMessage(relayHandler_, kExternalRelayMessage, value);
}

UIToolkit::~UIToolkit() {
    modal_.clear();
    deletePending();
    // Top-level elements own the rest; deleting one may delete others, so look again each time.
    for (;;) {
        const auto it = std::find_if(elements_.begin(), elements_.end(),
                                     [](const UIElement* e) { return e->parent() == nullptr; });
        if (it == elements_.end()) {
            break;
        }
        delete *it;
    }
    UIStyleManager::instance().setStyleLoadedHook(nullptr);
    UIEventQueue::instance().unregisterHandler(relayHandler_);
    UIEventQueue::instance().setWakeFunction(nullptr);
    UIEventQueue::instance().clear();
    UITimerRegistry::instance().clear();
    UITimerRegistry::instance().setClock(nullptr);
    gToolkit = nullptr;
}

UIToolkit* UIToolkit::instance() {
    return gToolkit;
}

void UIToolkit::registerElement(UIElement* element) {
    elements_.push_back(element);
}

void UIToolkit::unregisterElement(UIElement* element) {
    // Recent elements die first, so search from the back.
    const auto it = std::find(elements_.rbegin(), elements_.rend(), element);
    if (it != elements_.rend()) {
        elements_.erase(std::next(it).base());
    }
    std::erase(pendingDelete_, element);
    forget(element);
}

void UIToolkit::registerWindow(UIWindow* window) {
    windows_.push_back(window);
}

void UIToolkit::unregisterWindow(UIWindow* window) {
    std::erase(windows_, window);
}

void UIToolkit::forget(UIElement* element) {
    if (focus_ == element) {
        focus_ = nullptr;
    }
    if (grabber_ == element) {
        grabber_ = nullptr;
    }
    std::erase(modal_, element);
    if (externalTarget_ == element) {
        externalTarget_ = nullptr;
    }
    if (popup_ == element || popupOwner_ == element) {
        popup_ = nullptr;
        popupOwner_ = nullptr;
    }
    input_.forget(element);
}

UIElement* UIToolkit::findElement(std::uint64_t id) const {
    for (UIElement* e : elements_) {
        if (e->id() == id) {
            return e;
        }
    }
    return nullptr;
}

void UIToolkit::setFocus(UIElement* element) {
    if (element == focus_) {
        return;
    }
    UIElement* old = focus_;
    focus_ = nullptr;
    if (old != nullptr) {
        UIEvent out(UIEventType::FocusOut);
        old->sendEvent(out);
        old->update();
    }
    focus_ = element;
    if (element != nullptr) {
        UIEvent in(UIEventType::FocusIn);
        element->sendEvent(in);
        element->update();
    }
}

bool UIToolkit::moveFocus(UIWindow* window, bool backwards) {
    if (window == nullptr) {
        return false;
    }
    // Pre-order walk of the window's elements, not entering other windows.
    std::vector<UIElement*> order;
    std::vector<UIElement*> stack{window};
    while (!stack.empty()) {
        UIElement* e = stack.back();
        stack.pop_back();
        if (e != window && e->isTabFocusable()) {
            order.push_back(e);
        }
        const auto& kids = e->children();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
            if (!(*it)->isWindow()) {
                stack.push_back(*it);
            }
        }
    }
    if (order.empty()) {
        return false;
    }
    const auto current = std::find(order.begin(), order.end(), focus_);
    std::size_t next = 0;
    if (current == order.end()) {
        next = backwards ? order.size() - 1 : 0;
    } else {
        const auto index = static_cast<std::size_t>(current - order.begin());
        next = backwards ? (index + order.size() - 1) % order.size() : (index + 1) % order.size();
    }
    setFocus(order[next]);
    return true;
}

void UIToolkit::setMouseGrabber(UIElement* element) {
    if (grabber_ == element) {
        return;
    }
    if (grabber_ != nullptr) {
        if (UIWindow* w = grabber_->window(); w != nullptr && w->nativeWindow() != nullptr) {
            w->nativeWindow()->setMouseCapture(false);
        }
    }
    grabber_ = element;
    if (element != nullptr) {
        if (UIWindow* w = element->window(); w != nullptr && w->nativeWindow() != nullptr) {
            w->nativeWindow()->setMouseCapture(true);
        }
    }
}

void UIToolkit::setPopup(UIElement* popup, UIElement* owner) {
    if (popup_ != nullptr && popup_ != popup) {
        closePopup(nullptr);
    }
    popup_ = popup;
    popupOwner_ = popup != nullptr ? owner : nullptr;
}

void UIToolkit::closePopup(UIElement* owner) {
    if (popup_ == nullptr || (owner != nullptr && popupOwner_ != owner)) {
        return;
    }
    UIElement* popup = popup_;
    popup_ = nullptr;
    popupOwner_ = nullptr;
    // Only hidden: context menus are kept by their elements and shown again.
    popup->setVisible(false);
}

bool UIToolkit::acceptsInput(const UIWindow* window) const {
    const UIWindow* modal = modalWindow();
    return modal == nullptr || window == modal || modal->isAncestorOf(window);
}

void UIToolkit::deleteLater(UIElement* element) {
    if (element != nullptr &&
        std::find(pendingDelete_.begin(), pendingDelete_.end(), element) == pendingDelete_.end()) {
        pendingDelete_.push_back(element);
    }
}

void UIToolkit::deletePending() {
    // A window whose modal loop is still on the stack (closed from inside it) waits until
    // that loop has returned.
    auto busy = [this](const UIElement* e) {
        return std::any_of(modal_.begin(), modal_.end(),
                           [e](const UIWindow* m) { return m == e || e->isAncestorOf(m); });
    };
    for (std::size_t i = pendingDelete_.size(); i-- > 0;) {
        if (i >= pendingDelete_.size()) {
            continue; // a deletion removed several entries
        }
        UIElement* e = pendingDelete_[i];
        if (!busy(e)) {
            pendingDelete_.erase(pendingDelete_.begin() + static_cast<std::ptrdiff_t>(i));
            delete e;
        }
    }
}

void UIToolkit::applyStyle(UIElement& element) const {
    if (styleApplier_) {
        styleApplier_(element);
    }
}

void UIToolkit::relayoutVisibleWindows() {
    for (UIWindow* w : windows_) {
        if (w->isVisible()) {
            w->relayout();
            w->update();
        }
    }
}

void UIToolkit::iterate(bool wait) {
    UIEventQueue& queue = UIEventQueue::instance();
    UITimerRegistry& timers = UITimerRegistry::instance();
    std::int64_t timeout = 0;
    if (wait && !queue.hasPending()) {
        bool dirty = false;
        for (const UIWindow* w : windows_) {
            dirty = dirty || (w->isVisible() && !w->dirtyRect().isEmpty());
        }
        timeout = dirty ? 0 : timers.msUntilNext();
    }
    windowSystem_->pumpEvents(timeout);
    queue.processPosted();
    timers.fireDue();
    queue.processPosted();
    deletePending();
    // Index loop: a paint handler may open or close windows.
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        paint_.paint(*windows_[i]);
    }
}

void UIToolkit::processEvents() {
    // A few rounds so that events posted by handlers (a click after a release) arrive too;
    // the bound keeps a handler that always posts from hanging the caller.
    for (int round = 0; round < 8; ++round) {
        iterate(false);
        if (!UIEventQueue::instance().hasPending() && pendingDelete_.empty()) {
            break;
        }
    }
}

int UIToolkit::run() {
    while (!quit_) {
        iterate(true);
    }
    return exitCode_;
}

void UIToolkit::quit(int exitCode) {
    quit_ = true;
    exitCode_ = exitCode;
    windowSystem_->wake();
}

} // namespace scalora
