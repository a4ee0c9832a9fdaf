// Timers keyed by (receiver, id): starting one that runs already does nothing, so widgets may
// restart their timers freely. The registry runs on the toolkit's clock (a real monotonic
// clock, or the test clock of the headless backend) and fires from the run loop.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace scalora {

// Ids the toolkit's own widgets use; application timers stay below 100000.
inline constexpr std::int64_t kHoverTimerId = 100000;
inline constexpr std::int64_t kTextEditTimerId = 100002;
inline constexpr std::int64_t kToolButtonTimerId = 100003;
inline constexpr std::int64_t kButtonRearmTimerId = 100004;
inline constexpr std::int64_t kToolTipTimerId = 100008;

class UITimerReceiver {
public:
    UITimerReceiver() = default;
    virtual ~UITimerReceiver();
    UITimerReceiver(const UITimerReceiver&) = delete;
    UITimerReceiver& operator=(const UITimerReceiver&) = delete;

    virtual void onTimer(std::int64_t id) = 0;
};

class UITimerRegistry {
public:
    static UITimerRegistry& instance();

    // The clock in milliseconds; the default is the monotonic system clock.
    void setClock(std::function<std::int64_t()> nowMs);
    std::int64_t now() const;

    // Returns false (and changes nothing) when (receiver, id) already runs. An interval below
    // 1 ms is taken as 1 ms so that a timer can never spin the loop.
    bool start(std::int64_t intervalMs, UITimerReceiver* receiver, std::int64_t id);
    bool stop(std::int64_t id, UITimerReceiver* receiver);
    void stopAll(UITimerReceiver* receiver);
    bool isActive(const UITimerReceiver* receiver, std::int64_t id) const;
    std::size_t count() const { return timers_.size(); }

    // Milliseconds until the next timer is due (0 when one is overdue), or -1 with no timers.
    std::int64_t msUntilNext() const;
    // Fires every timer due at the current clock time once, in due order; a timer is rescheduled
    // one interval after this call's time before its receiver runs. Returns how many fired.
    std::size_t fireDue();
    void clear() { timers_.clear(); }

private:
    UITimerRegistry();
    struct Entry {
        UITimerReceiver* receiver;
        std::int64_t id;
        std::int64_t interval;
        std::int64_t due;
        std::uint64_t serial; // tells a restarted timer from the one collected for firing
    };
    std::vector<Entry> timers_;
    std::vector<Entry> dueScratch_; // reused so an idle loop allocates nothing
    std::function<std::int64_t()> clock_;
    std::uint64_t nextSerial_ = 1;
    int firingDepth_ = 0;
};

} // namespace scalora
