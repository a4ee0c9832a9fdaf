#include "engine/worker_thread.h"

#include <algorithm>
#include <chrono>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace scalora {
namespace {

// One lock for every thread object's stop flag and for the list of live thread objects.
std::mutex& threadLock() {
    static std::mutex lock;
    return lock;
}

std::vector<WorkerThread*>& liveThreads() {
    static std::vector<WorkerThread*> threads;
    return threads;
}

// How long a new native thread waits for its start signal before it runs anyway.
constexpr auto kStartGateTimeout = std::chrono::milliseconds(10000);

} // namespace

std::int32_t nativePriorityLevel(std::int32_t priority) {
    switch (priority) {
    case 0:
        return -2;
    case 1:
        return -1;
    case 3:
        return 1;
    case 4:
        return 2;
    default:
        return 0;
    }
}

WorkerThread::WorkerThread(std::string name) : name_(std::move(name)) {}

WorkerThread::~WorkerThread() {
    // Normally already done by the derived destructor; harmless when repeated.
    stopAndWait();
}

void WorkerThread::start() {
    const std::lock_guard guard(lock_);
    {
        const std::lock_guard flagGuard(threadLock());
        stopFlag_ = false;
    }
    if (running_.load()) {
        return;
    }
    if (thread_.joinable()) {
        thread_.join(); // the previous run has returned; reap its native thread
    }
    {
        const std::lock_guard gateGuard(gateLock_);
        gateOpen_ = false;
    }
    running_ = true;
    thread_ = std::thread(&WorkerThread::threadMain, this);
    {
        const std::lock_guard gateGuard(gateLock_);
        gateOpen_ = true;
    }
    gate_.notify_one();
}

void WorkerThread::requestStop() {
    const std::lock_guard flagGuard(threadLock());
    stopFlag_ = true;
}

bool WorkerThread::isStopRequested() const {
    const std::lock_guard flagGuard(threadLock());
    return stopFlag_;
}

void WorkerThread::wait() {
    const std::lock_guard guard(lock_);
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::size_t WorkerThread::liveThreadCount() {
    const std::lock_guard flagGuard(threadLock());
    return liveThreads().size();
}

void WorkerThread::stopAndWait() {
    requestStop();
    wait();
}

void WorkerThread::threadMain() {
    {
        const std::lock_guard flagGuard(threadLock());
        liveThreads().push_back(this);
    }
    {
        std::unique_lock gateGuard(gateLock_);
        gate_.wait_for(gateGuard, kStartGateTimeout, [this] { return gateOpen_; });
    }
    applyPriority();
    applyAffinity();
    run();
    {
        const std::lock_guard flagGuard(threadLock());
        auto& threads = liveThreads();
        threads.erase(std::remove(threads.begin(), threads.end(), this), threads.end());
    }
    running_ = false;
}

void WorkerThread::applyPriority() const {
    // A higher level is a lower nice value. Raising priority needs a privilege most users
    // lack; the run goes on at the normal level then.
    const int level = nativePriorityLevel(static_cast<std::int32_t>(priority_));
    if (level != 0) {
        const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
        (void)::setpriority(PRIO_PROCESS, tid, -level);
    }
}

void WorkerThread::applyAffinity() const {
    if (affinityMask_ == 0) {
        return;
    }
    cpu_set_t set;
    CPU_ZERO(&set);
    for (int cpu = 0; cpu < 64; ++cpu) {
        if ((affinityMask_ >> cpu) & 1U) {
            CPU_SET(cpu, &set);
        }
    }
    (void)::pthread_setaffinity_np(::pthread_self(), sizeof(set), &set);
}

} // namespace scalora
