// Decides when the tool tip shows: it watches the pointer in every window and, once the
// pointer rests on an element whose toolTipText is not empty, shows that text in one shared
// UIToolTip below the cursor. Make one beside the toolkit; it registers itself as the input
// router's pointer observer for its lifetime.
//
// Timers (on the tracker):
// - 100008, the stage timer: the rest delay before a tip shows (kShowDelay, or kQuickShowDelay
//   in the follow-up stage), then, while the tip is up, the time it stays (kDisplayTime).
// - 100009, the follow-up stage: runs for kFollowUpTime after a tip went away because the
//   pointer moved on; a tip wanted in that time shows after the quick delay, so the user can
//   run the pointer along a tool bar and read each tip without waiting again.
// A tip hides when the pointer leaves the element (or its text changes), on a press, a wheel
// turn or a key, and when its time is up; after a press or the time-out it stays away until
// the pointer reaches another element.
#pragma once

#include "base/geometry.h"
#include "ui/core/input_router.h"
#include "ui/core/ui_timers.h"

#include <cstdint>
#include <string>

namespace scalora {

class UIToolTip;

inline constexpr std::int64_t kToolTipFollowUpTimerId = 100009;

class UIToolTipTracker : public UIPointerObserver, public UITimerReceiver {
public:
    static constexpr std::int64_t kShowDelay = 500;
    static constexpr std::int64_t kQuickShowDelay = 100;
    static constexpr std::int64_t kDisplayTime = 10000;
    static constexpr std::int64_t kFollowUpTime = 600;

    UIToolTipTracker();
    ~UIToolTipTracker() override;
    UIToolTipTracker(const UIToolTipTracker&) = delete;
    UIToolTipTracker& operator=(const UIToolTipTracker&) = delete;

    // The tip window while it shows, else null.
    UIToolTip* visibleTip() const;
    // The text the tip shows or is about to show.
    const std::string& pendingText() const { return text_; }

    void pointerMoved(UIWindow* window, Point position) override;
    void inputActivity() override;
    void pointerLeft(UIWindow* window) override;
    void onTimer(std::int64_t id) override;

private:
    UIToolTip* tip() const;
    void hideTip(bool suppress);
    void restartTimer(std::int64_t id, std::int64_t interval);

    // The tip window and the element are held by id: either may be destroyed at any time.
    std::uint64_t tipId_ = 0;
    std::uint64_t elementId_ = 0;
    std::string text_;
    Point cursor_;
    bool suppressed_ = false;
};

} // namespace scalora
