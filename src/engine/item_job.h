// One image's task running on a thread of its own while the worker goes on with the run: the
// worker collects its outcome in list order, and the thread is always joined (on collection or
// when the job goes away), so no helper outlives the run that started it. A job may hold one of
// the worker's slots (job_slots.h) while it runs.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

namespace scalora {

class JobSlots;

class ItemJob {
public:
    // Starts `task` at once, holding a slot of `slots` when given until the task has ended and
    // finished() says so; throws what std::thread throws when no thread can be created.
    explicit ItemJob(std::function<bool()> task, JobSlots* slots = nullptr);
    ~ItemJob();
    ItemJob(const ItemJob&) = delete;
    ItemJob& operator=(const ItemJob&) = delete;

    // Waits for the task and returns its result, or rethrows what escaped it. Once only.
    [[nodiscard]] bool collect();
    // True once the task has returned or thrown: collecting then does not wait.
    [[nodiscard]] bool finished() const { return finished_.load(); }

private:
    bool result_ = false;
    std::exception_ptr error_;
    std::atomic<bool> finished_{false};
    JobSlots* slots_;
    std::thread thread_; // started in the constructor body, once the members it writes exist
};

} // namespace scalora
