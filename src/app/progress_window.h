// The window that accompanies one batch run: the preview and name of the image being
// processed, a progress bar, the numbers of processed and skipped images, the elapsed time,
// and one button that stops the run and, once the run has ended, closes the window. It draws
// what the worker's messages carry (through BatchMessageRelay) and never blocks the worker;
// at the end it can play a sound and has the image table show the results.
#pragma once

#include "engine/batch_observer.h"
#include "engine/batch_settings.h"
#include "ui/core/ui_window.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace scalora {

class BatchEngine;
class LayoutReport;
class SettingsStore;
class UIButton;
class UILabel;
class UIPicture;
class UIProgress;

// What the progress window needs from the main window.
class ProgressWindowHost {
public:
    virtual ~ProgressWindowHost() = default;
    virtual void setMainCaption(const std::string& prefix) = 0; // "" = the product name alone
    virtual void rebuildTable() = 0;
};

// A window caption: the prefix ("25%") and the product name, or the product name alone.
std::string windowCaption(std::string_view prefix, std::string_view productName);
// A duration as "hh:mm:ss"; the hours count on past a day.
std::string formatElapsed(std::int64_t milliseconds);

class ProgressWindow : public UIWindow {
public:
    ProgressWindow(UIWindow* owner, BatchEngine& engine, const SettingsStore& settings,
                   ProgressWindowHost& host);
    ~ProgressWindow() override;

    // Centres the window on its owner, starts the elapsed time and runs modally until the
    // window is closed.
    void run();

    // The close box is refused until the run has ended.
    bool event(UIEvent& e) override;

    bool isFinished() const { return finished_; }
    // Parts, for tests.
    UIPicture& preview() const { return *preview_; }
    UILabel& nameLabel() const { return *name_; }
    UIProgress& progressBar() const { return *progress_; }
    UILabel& processedValue() const { return *processed_; }
    UILabel& skippedValue() const { return *skipped_; }
    UILabel& elapsedValue() const { return *elapsed_; }
    UIButton& button() const { return *button_; }

protected:
    void timerEvent(UIEvent& e) override;

private:
    void onMessage(BatchMessage message, const BatchStatus& status);
    void onProgress(const BatchStatus& status);
    void onElapsedTick();
    void beginFinish();
    void onFinish();
    void onButton();
    void showSkipped(std::int32_t count);
    void setPercentCaptions(std::int32_t percent);

    BatchEngine& engine_;
    const SettingsStore& settings_;
    ProgressWindowHost& host_;
    UIPicture* preview_;
    UILabel* name_;
    UIProgress* progress_;
    UILabel* processed_;
    UILabel* skipped_;
    UILabel* elapsed_;
    UIButton* button_;
    std::int32_t lastPercent_ = -1;
    bool skippedMarked_ = false;
    bool finishPending_ = false;
    bool finished_ = false;
    // The close box was used before the run ended: the window closes when it ends, whether
    // the run stopped early or was on its last image anyway.
    bool closedDuringRun_ = false;
    std::unique_ptr<LayoutReport> layoutReport_;
};

// Creates the progress window for the run the batch start has just begun and runs it until it
// is closed.
void runProgressWindow(UIWindow* owner, BatchEngine& engine, const SettingsStore& settings,
                       ProgressWindowHost& host);

} // namespace scalora
