// One image's task running on a thread of its own while the worker goes on with the run: the
// worker collects its outcome in list order, and the thread is always joined (on collection or
// when the job goes away), so no helper outlives the run that started it.
#pragma once

#include <exception>
#include <functional>
#include <thread>

namespace scalora {

class ItemJob {
public:
    // Starts `task` at once; throws what std::thread throws when no thread can be created.
    explicit ItemJob(std::function<bool()> task);
    ~ItemJob();
    ItemJob(const ItemJob&) = delete;
    ItemJob& operator=(const ItemJob&) = delete;

    // Waits for the task and returns its result, or rethrows what escaped it. Once only.
    [[nodiscard]] bool collect();

private:
    bool result_ = false;
    std::exception_ptr error_;
    std::thread thread_; // last: starts only once the members it writes exist
};

} // namespace scalora
