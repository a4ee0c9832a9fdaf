// Carries the batch worker's messages to the UI thread. post() runs on the worker while it
// reports an update: it copies the status block as that update left it and queues the copy, so
// the UI thread sees every update exactly once and in order, however far it lags behind. The
// messages of a run wait in the UI event queue until a window listens, so none is lost between
// the start of the worker and the opening of its progress window.
#pragma once

#include "engine/batch_observer.h"
#include "engine/batch_settings.h"
#include "ui/core/ui_event_queue.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

namespace scalora {

class BatchMessageRelay final : public BatchObserver {
public:
    using Listener = std::function<void(BatchMessage message, const BatchStatus& status)>;

    // The one relay of the process: the batch engine's observer, directly or forwarded.
    static BatchMessageRelay& instance();
    ~BatchMessageRelay() override;

    // Worker thread.
    void post(BatchMessage message, ResizeThread& sender) override;
    // UI thread: who gets the messages from now on; messages that arrive while no one listens
    // are dropped.
    void setListener(Listener listener);

private:
    BatchMessageRelay();
    void deliver(std::uint64_t serial);

    struct Update {
        std::uint64_t serial = 0;
        BatchMessage message = ProgressMessage;
        BatchStatus status;
    };

    std::mutex mutex_; // guards updates_ and nextSerial_
    std::deque<Update> updates_;
    std::uint64_t nextSerial_ = 0;
    UIMessageHandlerId handler_ = 0;
    Listener listener_; // UI thread only
};

} // namespace scalora
