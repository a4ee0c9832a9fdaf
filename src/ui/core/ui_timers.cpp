#include "ui/core/ui_timers.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace scalora {

UITimerReceiver::~UITimerReceiver() {
    UITimerRegistry::instance().stopAll(this);
}

UITimerRegistry& UITimerRegistry::instance() {
    // Never destroyed, for the same reason as the event queue.
    static UITimerRegistry* registry = new UITimerRegistry;
    return *registry;
}

namespace {
std::int64_t steadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

UITimerRegistry::UITimerRegistry() : clock_(steadyNowMs) {
    timers_.reserve(32);
    dueScratch_.reserve(32);
}

void UITimerRegistry::setClock(std::function<std::int64_t()> nowMs) {
    clock_ = nowMs ? std::move(nowMs) : std::function<std::int64_t()>(steadyNowMs);
}

std::int64_t UITimerRegistry::now() const {
    return clock_();
}

bool UITimerRegistry::start(std::int64_t intervalMs, UITimerReceiver* receiver, std::int64_t id) {
    if (receiver == nullptr || isActive(receiver, id)) {
        return false;
    }
    const std::int64_t interval = std::max<std::int64_t>(intervalMs, 1);
    timers_.push_back({receiver, id, interval, now() + interval, nextSerial_++});
    return true;
}

bool UITimerRegistry::stop(std::int64_t id, UITimerReceiver* receiver) {
    const auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Entry& e) {
        return e.receiver == receiver && e.id == id;
    });
    if (it == timers_.end()) {
        return false;
    }
    timers_.erase(it);
    return true;
}

void UITimerRegistry::stopAll(UITimerReceiver* receiver) {
    std::erase_if(timers_, [&](const Entry& e) { return e.receiver == receiver; });
}

bool UITimerRegistry::isActive(const UITimerReceiver* receiver, std::int64_t id) const {
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const Entry& e) { return e.receiver == receiver && e.id == id; });
}

std::int64_t UITimerRegistry::msUntilNext() const {
    if (timers_.empty()) {
        return -1;
    }
    std::int64_t due = timers_.front().due;
    for (const Entry& e : timers_) {
        due = std::min(due, e.due);
    }
    return std::max<std::int64_t>(due - now(), 0);
}

std::size_t UITimerRegistry::fireDue() {
    const std::int64_t t = now();
    // A receiver may run a modal loop that fires timers again: the nested call must not reuse
    // the list the outer one is walking.
    std::vector<Entry> nested;
    std::vector<Entry>& due = firingDepth_ == 0 ? dueScratch_ : nested;
    due.clear();
    for (Entry& e : timers_) {
        if (e.due <= t) {
            due.push_back(e);
            // A late timer fires once, not once per missed interval.
            e.due = t + e.interval;
        }
    }
    std::sort(due.begin(), due.end(), [](const Entry& a, const Entry& b) { return a.due < b.due; });
    std::size_t fired = 0;
    ++firingDepth_;
    for (const Entry& e : due) {
        // An earlier receiver may have stopped (or stopped and restarted) this timer.
        const bool stillThere = std::any_of(timers_.begin(), timers_.end(),
                                            [&](const Entry& x) { return x.serial == e.serial; });
        if (stillThere) {
            ++fired;
            e.receiver->onTimer(e.id);
        }
    }
    --firingDepth_;
    return fired;
}

} // namespace scalora
