// The drop side of drag and drop: one drag state per process that turns the window system's
// drag notifications into DragEnter, DragMove, DragLeave and Drop events for the element
// under the cursor. Elements take part when they accept drops and are enabled. The Drop event
// itself arrives 10 ms after the platform's drop, from a timer, so it is always handled
// after the platform's drag operation has returned.
#pragma once

#include "exchange/ui_mime_data.h"
#include "ui/core/ui_event.h"
#include "ui/core/ui_timers.h"
#include "ui/core/window_system.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scalora {

class UIElement;
class UIWindow;

// The action proposed for allowed action bits: copy, else move, else link, else none.
std::uint32_t chooseDropAction(std::uint32_t allowedActions);

class UIDragDrop : public UIDropListener, public UITimerReceiver {
public:
    // The timer that delivers a drop, and its delay.
    static constexpr std::int64_t kDropTimerId = 100010;
    static constexpr std::int64_t kDropDelayMs = 10;

    UIDragDrop();
    ~UIDragDrop() override;

    // The drag state of the process; installs itself as the toolkit's drop listener when a
    // toolkit exists (install() does it again for a toolkit built later).
    static UIDragDrop& instance();
    void install();

    // What a drag offers before the drop, when the platform says (format names); the
    // container of the drag then lists those formats with empty payloads.
    void setOfferedFormats(std::vector<std::string> formats);

    void dragEnter(UIWindow& window, Point position, std::uint32_t allowedActions) override;
    void dragMove(UIWindow& window, Point position, std::uint32_t allowedActions) override;
    void dragLeave(UIWindow& window) override;
    std::uint32_t drop(UIWindow& window, Point position, const UIDropPayload& data) override;

    // The answer for the platform after the last notification (limited to the action bits).
    std::uint32_t proposedAction() const { return proposed_; }
    // The element that currently gets DragMove events, or null.
    UIElement* candidate() const;
    // The data of the drag in progress (or of the pending drop), or null.
    const UIMimeData* mimeData() const { return mime_ ? mime_.get() : dropMime_.get(); }
    bool dropPending() const { return receiverId_ != 0; }

    void onTimer(std::int64_t id) override;

private:
    // Sends a drag event with the proposed action chosen; returns whether it was accepted.
    bool sendDragEvent(UIElement& element, UIEventType type, Point windowPos);
    void leaveCandidate();
    UIElement* dropCandidateAt(UIWindow& window, Point position) const;

    std::unique_ptr<UIMimeData> mime_;     // the drag in progress
    std::unique_ptr<UIMimeData> dropMime_; // the drop waiting for its timer
    std::vector<std::string> offered_;
    std::uint64_t candidateId_ = 0; // by id, so a destroyed element is never touched
    std::uint64_t receiverId_ = 0;
    std::uint32_t allowed_ = 0;
    std::uint32_t proposed_ = 0;
    Point dropPosition_; // in the receiver's coordinates
    Point dropScreenPosition_;
    std::uint32_t dropModifiers_ = 0;
    std::uint32_t dropButtons_ = 0;
};

} // namespace scalora
