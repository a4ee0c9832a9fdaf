// A background thread object that outlives its native threads: each start runs `run` on a
// fresh native thread (or only clears the stop flag while one is still running), and stop
// requests travel through a flag guarded by one process-wide lock.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace scalora {

enum class ThreadPriority : std::int32_t {
    Lowest = 0,
    BelowNormal = 1,
    Normal = 2,
    AboveNormal = 3,
    Highest = 4,
};

// Native priority level -2 .. 2 of a ThreadPriority; anything unknown is normal (0).
std::int32_t nativePriorityLevel(std::int32_t priority);

class WorkerThread {
public:
    explicit WorkerThread(std::string name);
    // Derived classes call stopAndWait() in their own destructor, while run() is still theirs.
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    const std::string& name() const { return name_; }
    void setPriority(ThreadPriority priority) { priority_ = priority; }
    ThreadPriority priority() const { return priority_; }
    // CPU mask applied by the native thread when not 0.
    void setAffinityMask(std::uint64_t mask) { affinityMask_ = mask; }

    // Clears the stop flag and, unless a native thread is running, starts one for run().
    void start();
    // Sets the stop flag; run() checks it between units of work.
    void requestStop();
    bool isStopRequested() const;
    // True from start() until run() has returned on the native thread.
    bool isRunning() const { return running_.load(); }
    // Waits for the current native thread, if any, to end.
    void wait();
    // Number of thread objects whose native thread is alive (for diagnostics and tests).
    static std::size_t liveThreadCount();

protected:
    virtual void run() = 0;
    // Asks the native thread to stop and waits for it: the unit of work in progress is
    // finished, so nothing is left half-done.
    void stopAndWait();

private:
    void threadMain();
    void applyPriority() const;
    void applyAffinity() const;

    std::string name_;
    std::mutex lock_; // guards start and destruction
    std::thread thread_;
    std::atomic<bool> running_{false};
    ThreadPriority priority_ = ThreadPriority::Normal;
    std::uint64_t affinityMask_ = 0;
    bool stopFlag_ = false; // guarded by the process-wide thread lock

    std::mutex gateLock_;
    std::condition_variable gate_;
    bool gateOpen_ = false;
};

} // namespace scalora
