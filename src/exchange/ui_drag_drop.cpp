#include "exchange/ui_drag_drop.h"

#include "exchange/mime_decoders.h"
#include "ui/core/ui_element.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

namespace scalora {

namespace {

constexpr std::uint32_t kAllActions = kDropCopy | kDropMove | kDropLink;

// Modifiers and buttons as the toolkit last saw them.
std::uint32_t currentModifiers() {
    UIToolkit* tk = UIToolkit::instance();
    return tk != nullptr ? tk->input().modifiers() : 0;
}

std::uint32_t currentButtons() {
    UIToolkit* tk = UIToolkit::instance();
    return tk != nullptr ? tk->input().heldButtons() : 0;
}

UIElement* findLive(std::uint64_t id) {
    UIToolkit* tk = UIToolkit::instance();
    return (tk != nullptr && id != 0) ? tk->findElement(id) : nullptr;
}

} // namespace

std::uint32_t chooseDropAction(std::uint32_t allowedActions) {
    for (std::uint32_t action : {kDropCopy, kDropMove, kDropLink}) {
        if ((allowedActions & action) != 0) {
            return action;
        }
    }
    return kDropNone;
}

UIDragDrop::UIDragDrop() = default;

UIDragDrop::~UIDragDrop() {
    UITimerRegistry::instance().stopAll(this);
    if (UIToolkit* tk = UIToolkit::instance(); tk != nullptr && tk->dropListener() == this) {
        tk->setDropListener(nullptr);
    }
}

UIDragDrop& UIDragDrop::instance() {
    // Lives until exit, like the toolkit's other process-wide state.
    static UIDragDrop* state = new UIDragDrop();
    state->install();
    return *state;
}

void UIDragDrop::install() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->setDropListener(this);
    }
}

void UIDragDrop::setOfferedFormats(std::vector<std::string> formats) {
    offered_ = std::move(formats);
}

UIElement* UIDragDrop::candidate() const {
    return findLive(candidateId_);
}

UIElement* UIDragDrop::dropCandidateAt(UIWindow& window, Point position) const {
    if (!mime_) {
        return nullptr;
    }
    UIElement* element = window.hitTest(position);
    if (element == nullptr || !element->acceptsDrops() || !element->isEnabled()) {
        return nullptr;
    }
    return element;
}

bool UIDragDrop::sendDragEvent(UIElement& element, UIEventType type, Point windowPos) {
    UIEvent e(type);
    e.mimeData = mime_.get();
    e.possibleActions = allowed_;
    e.proposedAction = chooseDropAction(allowed_);
    e.position = element.mapFromWindow(windowPos);
    e.modifiers = currentModifiers();
    e.button = currentButtons();
    const bool accepted = element.sendEvent(e);
    // The element may pick another of the allowed actions; anything else counts as none.
    proposed_ = accepted ? (e.proposedAction & allowed_ & kAllActions) : kDropNone;
    return accepted;
}

void UIDragDrop::leaveCandidate() {
    if (UIElement* previous = candidate()) {
        UIEvent e(UIEventType::DragLeave);
        e.mimeData = mime_.get();
        previous->sendEvent(e);
    }
    candidateId_ = 0;
}

void UIDragDrop::dragEnter(UIWindow& window, Point, std::uint32_t allowedActions) {
    leaveCandidate();
    allowed_ = allowedActions;
    proposed_ = kDropNone; // no action until the first move
    mime_.reset();
    if (window.isEnabled() && !window.isPopup()) {
        mime_ = std::make_unique<UIMimeData>();
        for (const std::string& format : offered_) {
            mime_->setData(format, {});
        }
    }
}

void UIDragDrop::dragMove(UIWindow& window, Point position, std::uint32_t allowedActions) {
    allowed_ = allowedActions;
    UIElement* next = dropCandidateAt(window, position);
    if (next != candidate()) {
        leaveCandidate();
        if (next != nullptr) {
            candidateId_ = next->id();
            sendDragEvent(*next, UIEventType::DragEnter, position);
        }
    }
    // The element may have closed itself in its DragEnter handler.
    if (UIElement* current = candidate()) {
        sendDragEvent(*current, UIEventType::DragMove, position);
    } else {
        proposed_ = kDropNone;
    }
}

void UIDragDrop::dragLeave(UIWindow&) {
    leaveCandidate();
    mime_.reset();
    offered_.clear();
    proposed_ = kDropNone;
}

std::uint32_t UIDragDrop::drop(UIWindow& window, Point position, const UIDropPayload& data) {
    std::unique_ptr<UIMimeData> mime;
    if (window.isEnabled() && !window.isPopup()) {
        DropBlocks blocks;
        if (data.hasText) {
            blocks.utf8Text = data.text;
        }
        blocks.files = data.filePaths;
        mime = std::make_unique<UIMimeData>(buildMimeData(blocks));
    }
    std::uint32_t answer = kDropNone;
    UIElement* element = mime ? window.hitTest(position) : nullptr;
    if (element != nullptr && element->acceptsDrops() && element->isEnabled()) {
        dropPosition_ = element->mapFromWindow(position);
        dropScreenPosition_ = {window.x() + position.x, window.y() + position.y};
        dropModifiers_ = currentModifiers();
        dropButtons_ = currentButtons();
        receiverId_ = element->id();
        if ((element->focusPolicy() & kClickFocus) != 0) {
            element->setFocus();
        }
        dropMime_ = std::move(mime);
        UITimerRegistry::instance().start(kDropDelayMs, this, kDropTimerId);
        // A drop without a preceding move (some sources skip it) still copies.
        answer = proposed_ != kDropNone ? proposed_ : chooseDropAction(allowed_ | kDropCopy);
    }
    // The platform's side of the drag is over either way.
    candidateId_ = 0;
    mime_.reset();
    offered_.clear();
    proposed_ = kDropNone;
    return answer;
}

void UIDragDrop::onTimer(std::int64_t id) {
    if (id != kDropTimerId) {
        return;
    }
    UITimerRegistry::instance().stop(kDropTimerId, this);
    UIElement* receiver = findLive(receiverId_);
    receiverId_ = 0;
    std::unique_ptr<UIMimeData> mime = std::move(dropMime_);
    if (receiver == nullptr || !mime) {
        return;
    }
    UIEvent e(UIEventType::Drop);
    e.mimeData = mime.get();
    e.possibleActions = allowed_;
    e.proposedAction = chooseDropAction(allowed_ != 0 ? allowed_ : std::uint32_t{kDropCopy});
    e.position = dropPosition_;
    e.screenPosition = dropScreenPosition_;
    e.modifiers = dropModifiers_;
    e.button = dropButtons_;
    receiver->sendEvent(e); // a closed or blocked receiver gets nothing
}

} // namespace scalora
