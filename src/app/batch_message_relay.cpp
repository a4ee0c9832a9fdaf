#include "app/batch_message_relay.h"

#include "engine/resize_thread.h"

#include <utility>

namespace scalora {

BatchMessageRelay& BatchMessageRelay::instance() {
    // Built after the event queue it registers with, so it is destroyed before it.
    static BatchMessageRelay relay;
    return relay;
}

BatchMessageRelay::BatchMessageRelay() {
    handler_ = UIEventQueue::instance().registerHandler(
        [this](std::uint32_t, std::int64_t serial, std::int64_t) {
            deliver(static_cast<std::uint64_t>(serial));
        });
}

BatchMessageRelay::~BatchMessageRelay() {
    UIEventQueue::instance().unregisterHandler(handler_);
}

void BatchMessageRelay::post(BatchMessage message, ResizeThread& sender) {
    const BatchStatus status = sender.settings().readStatus();
    // Queued under the lock so that the serials reach the UI thread in the order they were
    // given, whatever thread posts.
    const std::lock_guard guard(mutex_);
    const std::uint64_t serial = ++nextSerial_;
    updates_.push_back({serial, message, status});
    UIEventQueue::instance().postMessage(handler_, static_cast<std::uint32_t>(message),
                                         static_cast<std::int64_t>(serial));
}

void BatchMessageRelay::setListener(Listener listener) {
    listener_ = std::move(listener);
}

void BatchMessageRelay::deliver(std::uint64_t serial) {
    Update update;
    {
        const std::lock_guard guard(mutex_);
        // Copies whose message a torn-down event queue dropped are of no use any more.
        while (!updates_.empty() && updates_.front().serial < serial) {
            updates_.pop_front();
        }
        if (updates_.empty() || updates_.front().serial != serial) {
            return;
        }
        update = std::move(updates_.front());
        updates_.pop_front();
    }
    if (listener_) {
        // A copy: the listener may replace itself.
        const Listener listener = listener_;
        listener(update.message, update.status);
    }
}

} // namespace scalora
