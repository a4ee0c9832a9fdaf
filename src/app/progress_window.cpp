#include "app/progress_window.h"

#include "app/application.h"
#include "app/batch_message_relay.h"
#include "app/layout_report.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "data/translate.h"
#include "engine/batch_engine.h"
#include "engine/image_item.h"
#include "platform/sound.h"
#include "ui/core/ui_layout.h"
#include "ui/core/ui_toolkit.h"
#include "ui/widgets/popup_placement.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_picture.h"
#include "ui/widgets/ui_progress.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace scalora {
namespace {

constexpr const char* kContext = "ProgressWindow";
constexpr std::int64_t kElapsedTimerId = 426;
constexpr std::int64_t kFinishTimerId = 425;
constexpr std::int64_t kTickMs = 100;
constexpr std::int32_t kPreviewSide = 48;
constexpr std::int32_t kMinimumWidth = 380;
constexpr std::int32_t kDesktopPadding = 8;
// The skipped count once anything was skipped: red-orange.
constexpr const char* kSkippedColor = "255,102,51";

UILabel* makeValue(UIElement* parent, const char* text) {
    auto* label = new UILabel(parent, text);
    label->setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    return label;
}

std::string itemName(const ImageItem& item) {
    return item.extension.empty() ? item.baseName : item.baseName + "." + item.extension;
}

} // namespace

std::string windowCaption(std::string_view prefix, std::string_view name) {
    if (prefix.empty()) {
        return std::string(name);
    }
    if (name.empty()) {
        return std::string(prefix);
    }
    return std::string(prefix) + " - " + std::string(name);
}

std::string formatElapsed(std::int64_t milliseconds) {
    const std::int64_t seconds = std::max<std::int64_t>(milliseconds, 0) / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

ProgressWindow::ProgressWindow(UIWindow* owner, BatchEngine& engine, const SettingsStore& settings,
                               ProgressWindowHost& host)
    : UIWindow(owner, kDefaultWindowOptions), engine_(engine), settings_(settings), host_(host) {
    setStyleClass("UIWindow");
    // Run on the caller's stack: the run loop must not delete it.
    setDeleteOnClose(false);
    setTitle(windowCaption("0%", currentProductName()));

    preview_ = new UIPicture(this);
    preview_->setStyleProperty("background", "255,255,255");
    preview_->setMinimumSize({kPreviewSide, kPreviewSide});
    preview_->setMaximumSize({kPreviewSide, kPreviewSide});
    preview_->setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
    name_ = makeValue(this, "...");
    progress_ = new UIProgress(this);
    progress_->setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    auto* processedLabel = new UILabel(this, translate("Processed images:", kContext));
    processed_ = makeValue(this, "0");
    auto* skippedLabel = new UILabel(this, translate("Skipped images:", kContext));
    skipped_ = makeValue(this, "0");
    auto* elapsedLabel = new UILabel(this, translate("Elapsed time:", kContext));
    elapsed_ = makeValue(this, "00:00:00");
    // As wide for Close as for Stop, so that the button keeps its size when the run ends.
    button_ = new UIButton(this, translate("Close", kContext));
    const std::int32_t closeWidth = button_->sizeHint().width;
    button_->setText(translate("Stop", kContext));
    button_->setMinimumSize({std::max(closeWidth, button_->sizeHint().width), 0});
    button_->setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
    button_->clicked().connect([this] { onButton(); });

    auto current = std::make_unique<UIVBoxLayout>();
    current->setContentsMargins({0, 0, 0, 0});
    current->addStretch();
    current->addElement(name_);
    current->addElement(progress_);
    current->addStretch();
    auto top = std::make_unique<UIHBoxLayout>();
    top->setContentsMargins({0, 0, 0, 0});
    top->addElement(preview_);
    top->addLayout(std::move(current), 1);

    auto counts = std::make_unique<UIGridLayout>();
    counts->setContentsMargins({0, 0, 0, 0});
    counts->addElement(processedLabel, 0, 0);
    counts->addElement(processed_, 0, 1);
    counts->addElement(skippedLabel, 1, 0);
    counts->addElement(skipped_, 1, 1);
    counts->addElement(elapsedLabel, 2, 0);
    counts->addElement(elapsed_, 2, 1);
    counts->setColumnStretch(1, 1);

    auto buttons = std::make_unique<UIHBoxLayout>();
    buttons->setContentsMargins({0, 0, 0, 0});
    buttons->addStretch();
    buttons->addElement(button_);

    auto column = std::make_unique<UIVBoxLayout>();
    column->addLayout(std::move(top));
    column->addLayout(std::move(counts));
    column->addLayout(std::move(buttons));
    setLayout(std::move(column));
    for (UIElement* e : children()) {
        e->show();
    }
    // Measured once everything shows: hidden elements take no room.
    const Size hint = layout()->sizeHint();
    const Size size{std::max(hint.width, kMinimumWidth), hint.height};
    setMinimumSize(size);
    setMaximumSize(size);
    setSize(size.width, size.height);

    // Where the end-to-end tests find the button and the counts.
    layoutReport_ = std::make_unique<LayoutReport>(*this, "progress");
    layoutReport_->add("button", button_, [this] { return button_->text(); });
    layoutReport_->add("processed", processed_, [this] { return processed_->text(); });
    layoutReport_->add("skipped", skipped_, [this] { return skipped_->text(); });

    BatchMessageRelay::instance().setListener(
        [this](BatchMessage message, const BatchStatus& status) { onMessage(message, status); });
}

ProgressWindow::~ProgressWindow() {
    BatchMessageRelay::instance().setListener({});
}

void ProgressWindow::run() {
    const UIWindow* owner = parent() != nullptr ? parent()->window() : nullptr;
    const Rect over =
        owner != nullptr && owner->isVisible() ? owner->geometry() : workAreaAt({0, 0});
    const Point centre{over.x + over.width / 2, over.y + over.height / 2};
    const Rect placed =
        keepInside({centre.x - width() / 2, centre.y - height() / 2, width(), height()},
                   workAreaAt(centre), kDesktopPadding);
    setPosition(placed.x, placed.y);
    startTimer(kTickMs, kElapsedTimerId);
    button_->setFocus();
    exec();
}

bool ProgressWindow::event(UIEvent& e) {
    if (e.type != UIEventType::Close || finished_) {
        return UIWindow::event(e);
    }
    // Before the end of the run the close box only stops it; the window closes itself when
    // the worker is done.
    closedDuringRun_ = true;
    engine_.requestStop();
    e.accept();
    return true;
}

void ProgressWindow::timerEvent(UIEvent& e) {
    if (e.value == kElapsedTimerId) {
        onElapsedTick();
    } else if (e.value == kFinishTimerId) {
        stopTimer(kFinishTimerId);
        onFinish();
    }
}

void ProgressWindow::onMessage(BatchMessage message, const BatchStatus& status) {
    if (finished_) {
        return;
    }
    if (message == FinishedMessage) {
        beginFinish();
    } else {
        onProgress(status);
    }
}

void ProgressWindow::onProgress(const BatchStatus& status) {
    const auto count = static_cast<std::int64_t>(engine_.items().size());
    if ((status.lastResult == ItemResult::Processed || status.lastResult == ItemResult::Skipped) &&
        count > 0) {
        setPercentCaptions(
            static_cast<std::int32_t>(status.currentIndex * std::int64_t{100} / count));
    }
    if (status.lastResult == ItemResult::Started && status.currentItem != nullptr) {
        const ImageItem& item = *status.currentItem;
        preview_->setImage(item.thumbnail.isNull()
                               ? nullptr
                               : std::make_shared<const PixelImage>(item.thumbnail.clone()));
        name_->setText(itemName(item));
    }
    showSkipped(status.skippedCount);
    processed_->setText(std::to_string(status.processedCount));
    onElapsedTick();
}

void ProgressWindow::setPercentCaptions(std::int32_t percent) {
    if (percent == lastPercent_) {
        return;
    }
    lastPercent_ = percent;
    progress_->setValue(
        std::clamp<std::int64_t>(percent, progress_->minimum(), progress_->maximum()));
    const std::string prefix = std::to_string(percent) + "%";
    setTitle(windowCaption(prefix, currentProductName()));
    host_.setMainCaption(prefix);
}

void ProgressWindow::showSkipped(std::int32_t count) {
    skipped_->setText(std::to_string(count));
    if (count > 0 && !skippedMarked_) {
        skippedMarked_ = true;
        skipped_->setStyleProperty("foreground", kSkippedColor);
        skipped_->update();
    }
}

void ProgressWindow::onElapsedTick() {
    if (finished_) {
        return;
    }
    elapsed_->setText(formatElapsed(engine_.settings().readStatus().elapsedMilliseconds));
    // The finished notice normally says that the run has ended; a run whose notice never came
    // (a relay not wired to the engine) must still end, or the window could never be closed.
    if (!engine_.isRunning()) {
        beginFinish();
    }
}

void ProgressWindow::beginFinish() {
    if (finishPending_) {
        return;
    }
    finishPending_ = true;
    startTimer(kTickMs, kFinishTimerId);
}

void ProgressWindow::onFinish() {
    stopTimer(kElapsedTimerId);
    button_->setText(translate("Close", kContext));
    const BatchStatus status = engine_.settings().readStatus();
    if (status.runState == RunState::Stopped) {
        // Images the run never came to count as skipped.
        showSkipped(static_cast<std::int32_t>(engine_.items().size()) - status.processedCount);
    }
    host_.setMainCaption("");
    if (readBoolSetting(settings_, setting_keys::kBeepWhenResizeFinish)) {
        systemSoundPlayer().play(SystemSound::RunFinished);
    }
    finished_ = true;
    if (closedDuringRun_) {
        close();
    }
    host_.rebuildTable();
}

void ProgressWindow::onButton() {
    // Stop keeps the window open: the user sees the counts of the ended run before closing.
    if (engine_.isRunning()) {
        engine_.requestStop();
    } else if (finished_) {
        close();
    }
}

void runProgressWindow(UIWindow* owner, BatchEngine& engine, const SettingsStore& settings,
                       ProgressWindowHost& host) {
    ProgressWindow window(owner, engine, settings, host);
    window.run();
}

} // namespace scalora
