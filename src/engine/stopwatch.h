// Elapsed time of a run on the monotonic clock: started by the worker, read by the progress
// display for as long as it asks.
#pragma once

#include <chrono>
#include <cstdint>

namespace scalora {

class Stopwatch {
public:
    void start() {
        running_ = true;
        started_ = std::chrono::steady_clock::now();
    }
    // The end time is not kept: the display stops asking once the run has finished.
    void stop() { running_ = false; }
    bool isRunning() const { return running_; }
    bool hasStarted() const { return started_ != std::chrono::steady_clock::time_point{}; }
    std::int64_t elapsedMilliseconds() const {
        if (!hasStarted()) {
            return 0;
        }
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - started_)
            .count();
    }

private:
    bool running_ = false;
    std::chrono::steady_clock::time_point started_{};
};

} // namespace scalora
