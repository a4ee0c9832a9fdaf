#include "app/main_controller.h"

#include "app/main_window.h"
#include "data/settings_store.h"
#include "engine/batch_engine.h"
#include "engine/image_codec.h"
#include "engine/library_image_codec.h"

namespace scalora {
namespace {

MainController* theController = nullptr;

} // namespace

void BatchMessageForwarder::setTarget(BatchObserver* target) {
    std::lock_guard lock(mutex_);
    target_ = target;
}

void BatchMessageForwarder::post(BatchMessage message, ResizeThread& sender) {
    std::lock_guard lock(mutex_);
    if (target_ != nullptr) {
        target_->post(message, sender);
    }
}

MainController::MainController(std::unique_ptr<SettingsStore> settings,
                               const MonitorProvider& monitors)
    : settings_(std::move(settings)), codec_(makeLibraryImageCodec()),
      engine_(std::make_unique<BatchEngine>(*codec_, forwarder_)),
      window_(std::make_unique<MainWindow>(*settings_, *engine_, monitors)) {
    window_->setDeleteOnClose(false);
    if (theController == nullptr) {
        theController = this;
    }
}

MainController::~MainController() {
    // The worker may still be writing a result when the window goes: let it finish the
    // image it holds, so no half-written file is left behind.
    engine_->requestStop();
    engine_->waitForWorker();
    forwarder_.setTarget(nullptr);
    window_.reset();
    if (theController == this) {
        theController = nullptr;
    }
}

MainController* MainController::instance() {
    return theController;
}

void MainController::show() {
    window_->applySettings();
    window_->showAtStoredGeometry();
}

void MainController::openPaths(const std::vector<std::string>& paths) {
    window_->addPaths(paths);
}

} // namespace scalora
