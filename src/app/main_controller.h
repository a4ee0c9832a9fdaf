// What the program runs between start-up and shutdown: the settings of config.dat, the batch
// engine with its list, and the main window over both. Made once, after the style is loaded;
// destroyed in reverse order (window, engine, settings) after the event loop.
#pragma once

#include "engine/batch_observer.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class BatchEngine;
class ImageCodec;
class MainWindow;
class MonitorProvider;
class SettingsStore;

// The engine's observer for the whole program: forwards the worker's messages to whichever
// window watches the current run, and drops them while none does.
class BatchMessageForwarder final : public BatchObserver {
public:
    void setTarget(BatchObserver* target);
    void post(BatchMessage message, ResizeThread& sender) override;

private:
    std::mutex mutex_;
    BatchObserver* target_ = nullptr;
};

class MainController {
public:
    MainController(std::unique_ptr<SettingsStore> settings, const MonitorProvider& monitors);
    ~MainController();
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;

    // The one controller while it lives; nullptr before and after.
    static MainController* instance();

    // Shows the main window at its stored place with the stored controls.
    void show();
    // Paths to add to the list, as dropped ones are.
    void openPaths(const std::vector<std::string>& paths);

    SettingsStore& settings() { return *settings_; }
    BatchEngine& engine() { return *engine_; }
    BatchMessageForwarder& batchMessages() { return forwarder_; }
    MainWindow& window() { return *window_; }

private:
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<ImageCodec> codec_;
    BatchMessageForwarder forwarder_;
    std::unique_ptr<BatchEngine> engine_;
    // Kept, not deleted, when it closes: it goes with the controller, before the toolkit.
    std::unique_ptr<MainWindow> window_;
};

} // namespace scalora
