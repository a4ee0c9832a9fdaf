// The posted-event queue of the UI thread: the list of live event receivers, the FIFO of
// posted (event, receiver) records and application messages, and the input-blocked byte.
// Posting is safe from any thread; delivery happens on the UI thread when the run loop drains
// the queue. A receiver that dies takes its queued events with it.
#pragma once

#include "ui/core/ui_event.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace scalora {

// Anything that events can be delivered to. Joins the live list on construction and leaves it
// on destruction.
class UIEventReceiver {
public:
    UIEventReceiver();
    virtual ~UIEventReceiver();
    UIEventReceiver(const UIEventReceiver&) = delete;
    UIEventReceiver& operator=(const UIEventReceiver&) = delete;

    // The dispatch routine; returns whether the event was accepted.
    virtual bool event(UIEvent& event) = 0;

    bool isReceiverBlocked() const { return blocked_; }
    void setReceiverBlocked(bool blocked) { blocked_ = blocked; }

private:
    bool blocked_ = false;
};

// Message numbers that travel through the queue. Application messages (the batch worker's
// progress and finished notices, the single-instance relay) use their own numbers.
inline constexpr std::uint32_t kEventRecordMessage = 0xC400;
inline constexpr std::uint32_t kEndInputBlockingMessage = 0xC401;
inline constexpr std::uint32_t kExternalRelayMessage = 0xD000;

using UIMessageHandler =
    std::function<void(std::uint32_t code, std::int64_t wParam, std::int64_t lParam)>;
using UIMessageHandlerId = std::uint64_t;

class UIEventQueue {
public:
    static UIEventQueue& instance();

    // Delivers at once if the receiver is live, not blocked, and the event is not input while
    // input is blocked. Returns the accepted byte (false when nothing was delivered).
    bool send(UIEventReceiver* receiver, UIEvent& event);
    // Queues a copy of the event for the receiver. Input events are dropped at once while input
    // is blocked. Safe from any thread.
    void post(UIEventReceiver* receiver, const UIEvent& event);
    void post(UIEventReceiver* receiver, std::unique_ptr<UIEvent> event);

    // Application messages: a handler registered on the UI thread receives the messages posted
    // to its id, in order, from any thread. Messages for an unregistered id are dropped.
    UIMessageHandlerId registerHandler(UIMessageHandler handler);
    void unregisterHandler(UIMessageHandlerId id);
    void postMessage(UIMessageHandlerId id, std::uint32_t code, std::int64_t wParam = 0,
                     std::int64_t lParam = 0);

    // Input blocking: input events posted from now on are discarded, and so are those already
    // queued when they come up, until the end-of-blocking message posted here is processed.
    void blockInput();
    bool isInputBlocked() const;

    // Delivers the records that were queued when the call began (records posted meanwhile wait
    // for the next call). Returns how many records were taken. UI thread only.
    std::size_t processPosted();
    bool hasPending() const;
    // Drops every queued record (toolkit shutdown).
    void clear();

    bool isLive(const UIEventReceiver* receiver) const;

    // Called (from any thread) whenever something is queued, so the run loop wakes up.
    void setWakeFunction(std::function<void()> wake);

private:
    friend class UIEventReceiver;
    UIEventQueue() = default;
    void addReceiver(UIEventReceiver* receiver);
    void removeReceiver(UIEventReceiver* receiver);
    void wake();

    struct Record {
        std::uint32_t code = kEventRecordMessage;
        UIEventReceiver* receiver = nullptr;
        std::unique_ptr<UIEvent> event;
        UIMessageHandlerId handler = 0;
        std::int64_t wParam = 0;
        std::int64_t lParam = 0;
    };

    mutable std::mutex mutex_;
    std::deque<Record> records_;
    std::unordered_set<const UIEventReceiver*> live_;
    std::unordered_map<UIMessageHandlerId, std::shared_ptr<UIMessageHandler>> handlers_;
    UIMessageHandlerId lastHandlerId_ = 0;
    bool inputBlocked_ = false;
    std::function<void()> wake_;
};

} // namespace scalora
