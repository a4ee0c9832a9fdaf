// Work on items 0 .. count-1 spread over a few threads, with the results taken on the calling
// thread strictly in item order. Workers run at most a fixed number of items ahead of the
// taker, so stopping early wastes little; the destructor stops and joins them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <new>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace scalora {

template <typename Result> class OrderedWork {
public:
    // Items a worker may start beyond the one the taker waits for.
    static constexpr std::size_t kLookahead = 16;

    // `work` is called from the worker threads, once per item; with threads == 0 every item
    // is worked on by take() itself.
    OrderedWork(std::size_t count, std::function<Result(std::size_t)> work, unsigned threads)
        : work_(std::move(work)), slots_(count) {
        for (unsigned i = 0; i < threads && i < count; ++i) {
            workers_.emplace_back([this] { run(); });
        }
    }
    ~OrderedWork() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
        for (std::thread& t : workers_) {
            t.join();
        }
    }
    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;

    // Waits at most `limit` for item `index` (the next to take) and tells whether it is ready,
    // so the taker can do other work meanwhile; always true without worker threads.
    bool waitFor(std::size_t index, std::chrono::milliseconds limit) {
        if (workers_.empty()) {
            return true;
        }
        std::unique_lock lock(mutex_);
        taken_ = index;
        changed_.notify_all();
        return changed_.wait_for(lock, limit, [&] { return slots_[index].has_value(); });
    }
    // The result of item `index`; items are taken in order, each once.
    Result take(std::size_t index) {
        if (workers_.empty()) {
            return work_(index);
        }
        std::unique_lock lock(mutex_);
        taken_ = index;
        changed_.notify_all();
        changed_.wait(lock, [&] { return slots_[index].has_value(); });
        Result result = std::move(*slots_[index]);
        slots_[index].reset();
        return result;
    }

private:
    void run() {
        for (;;) {
            std::size_t index = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stopped_ || next_ <= taken_ + kLookahead; });
                if (stopped_ || next_ >= slots_.size()) {
                    return;
                }
                index = next_++;
            }
            Result result;
            try {
                result = work_(index);
            } catch (const std::bad_alloc&) {
                result = Result{}; // the item fails; the taker goes on
            }
            {
                const std::lock_guard lock(mutex_);
                slots_[index] = std::move(result);
            }
            changed_.notify_all();
        }
    }

    std::function<Result(std::size_t)> work_;
    std::vector<std::optional<Result>> slots_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;
    std::size_t taken_ = 0;
    bool stopped_ = false;
};

} // namespace scalora
