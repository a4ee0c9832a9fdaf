// How many of the worker's image tasks are running at once: the worker takes a slot for each
// task it starts and waits on a full set until a task ends, so that a core that finishes early
// starts the next image instead of idling behind a slower one that is reported first.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace scalora {

class JobSlots {
public:
    // `limit` below 1 counts as 1.
    explicit JobSlots(std::int32_t limit);

    [[nodiscard]] bool full() const;
    // Counts a task that starts; the caller has checked that a slot is free.
    void take();
    // Called as a task ends, on the thread that ran it.
    void release();
    // Returns once a slot is free.
    void waitWhileFull();

private:
    std::int32_t limit_;
    std::int32_t running_ = 0;
    mutable std::mutex lock_;
    std::condition_variable released_;
};

} // namespace scalora
