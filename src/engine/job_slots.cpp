#include "engine/job_slots.h"

#include <algorithm>

namespace scalora {

JobSlots::JobSlots(std::int32_t limit) : limit_(std::max(limit, 1)) {}

bool JobSlots::full() const {
    const std::lock_guard guard(lock_);
    return running_ >= limit_;
}

void JobSlots::take() {
    const std::lock_guard guard(lock_);
    ++running_;
}

void JobSlots::release() {
    {
        const std::lock_guard guard(lock_);
        --running_;
    }
    released_.notify_all();
}

void JobSlots::waitWhileFull() {
    std::unique_lock guard(lock_);
    released_.wait(guard, [this] { return running_ < limit_; });
}

} // namespace scalora
