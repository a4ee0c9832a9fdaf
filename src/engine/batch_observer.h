// How the batch worker tells the user interface about a run without knowing about windows:
// the window side implements post() by queueing the message for its own thread; the
// command-line tool and tests implement it directly. Called on the worker thread, never
// waited for.
#pragma once

#include <cstdint>

namespace scalora {

class ResizeThread;

enum BatchMessage : std::int32_t {
    ProgressMessage = 3024, // the status block changed
    FinishedMessage = 3025, // the run has ended
};

class BatchObserver {
public:
    virtual ~BatchObserver() = default;
    virtual void post(BatchMessage message, ResizeThread& sender) = 0;
};

} // namespace scalora
