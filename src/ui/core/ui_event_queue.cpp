#include "ui/core/ui_event_queue.h"

#include <utility>

namespace scalora {

UIEventReceiver::UIEventReceiver() {
    UIEventQueue::instance().addReceiver(this);
}

UIEventReceiver::~UIEventReceiver() {
    UIEventQueue::instance().removeReceiver(this);
}

UIEventQueue& UIEventQueue::instance() {
    // Never destroyed: receivers with static storage may still leave it during exit.
    static UIEventQueue* queue = new UIEventQueue;
    return *queue;
}

void UIEventQueue::addReceiver(UIEventReceiver* receiver) {
    std::lock_guard lock(mutex_);
    live_.insert(receiver);
}

void UIEventQueue::removeReceiver(UIEventReceiver* receiver) {
    std::deque<Record> dropped;
    {
        std::lock_guard lock(mutex_);
        live_.erase(receiver);
        // A later receiver may be built at the same address: its predecessor's events must not
        // reach it, so they go now rather than at their turn.
        for (auto it = records_.begin(); it != records_.end();) {
            if (it->receiver == receiver) {
                dropped.push_back(std::move(*it));
                it = records_.erase(it);
            } else {
                ++it;
            }
        }
    }
}

bool UIEventQueue::isLive(const UIEventReceiver* receiver) const {
    std::lock_guard lock(mutex_);
    return receiver != nullptr && live_.contains(receiver);
}

bool UIEventQueue::isInputBlocked() const {
    std::lock_guard lock(mutex_);
    return inputBlocked_;
}

bool UIEventQueue::send(UIEventReceiver* receiver, UIEvent& event) {
    {
        std::lock_guard lock(mutex_);
        if (receiver == nullptr || !live_.contains(receiver)) {
            return false;
        }
        if (event.input && inputBlocked_) {
            return false;
        }
    }
    if (receiver->isReceiverBlocked()) {
        return false;
    }
    return receiver->event(event);
}

void UIEventQueue::post(UIEventReceiver* receiver, const UIEvent& event) {
    post(receiver, std::make_unique<UIEvent>(event));
}

void UIEventQueue::post(UIEventReceiver* receiver, std::unique_ptr<UIEvent> event) {
    if (!event || receiver == nullptr) {
        return;
    }
    event->posted = true;
    {
        std::lock_guard lock(mutex_);
        if (event->input && inputBlocked_) {
            return;
        }
        Record record;
        record.receiver = receiver;
        record.event = std::move(event);
        records_.push_back(std::move(record));
    }
    wake();
}

UIMessageHandlerId UIEventQueue::registerHandler(UIMessageHandler handler) {
    std::lock_guard lock(mutex_);
    const UIMessageHandlerId id = ++lastHandlerId_;
    handlers_[id] = std::make_shared<UIMessageHandler>(std::move(handler));
    return id;
}

void UIEventQueue::unregisterHandler(UIMessageHandlerId id) {
    std::lock_guard lock(mutex_);
    handlers_.erase(id);
}

void UIEventQueue::postMessage(UIMessageHandlerId id, std::uint32_t code, std::int64_t wParam,
                               std::int64_t lParam) {
    {
        std::lock_guard lock(mutex_);
        Record record;
        record.code = code;
        record.handler = id;
        record.wParam = wParam;
        record.lParam = lParam;
        records_.push_back(std::move(record));
    }
    wake();
}

void UIEventQueue::blockInput() {
    {
        std::lock_guard lock(mutex_);
        inputBlocked_ = true;
        Record record;
        record.code = kEndInputBlockingMessage;
        records_.push_back(std::move(record));
    }
    wake();
}

std::size_t UIEventQueue::processPosted() {
    std::size_t count = 0;
    {
        std::lock_guard lock(mutex_);
        count = records_.size();
    }
    std::size_t taken = 0;
    for (; taken < count; ++taken) {
        Record record;
        std::shared_ptr<UIMessageHandler> handler;
        {
            std::lock_guard lock(mutex_);
            if (records_.empty()) {
                break;
            }
            record = std::move(records_.front());
            records_.pop_front();
            if (record.code == kEndInputBlockingMessage) {
                inputBlocked_ = false;
                continue;
            }
            if (record.code != kEventRecordMessage) {
                auto it = handlers_.find(record.handler);
                if (it != handlers_.end()) {
                    handler = it->second;
                }
            }
        }
        if (record.code == kEventRecordMessage) {
            // The event is deleted when the record goes out of scope, delivered or not.
            send(record.receiver, *record.event);
        } else if (handler) {
            (*handler)(record.code, record.wParam, record.lParam);
        }
    }
    return taken;
}

bool UIEventQueue::hasPending() const {
    std::lock_guard lock(mutex_);
    return !records_.empty();
}

void UIEventQueue::clear() {
    std::deque<Record> dropped;
    std::lock_guard lock(mutex_);
    dropped.swap(records_);
    inputBlocked_ = false;
}

void UIEventQueue::setWakeFunction(std::function<void()> wake) {
    std::lock_guard lock(mutex_);
    wake_ = std::move(wake);
}

void UIEventQueue::wake() {
    std::function<void()> wake;
    {
        std::lock_guard lock(mutex_);
        wake = wake_;
    }
    if (wake) {
        wake();
    }
}

} // namespace scalora
