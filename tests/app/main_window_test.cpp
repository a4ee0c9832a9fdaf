#include "app/main_window.h"
#include "app/resize_settings_panel.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "engine/batch_engine.h"
#include "engine/library_image_codec.h"
#include "platform/monitors.h"
#include "support/test_support.h"
#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_toolkit.h"
#include "ui/widgets/ui_combo_box.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_progress.h"
#include "ui/widgets/ui_spin_box.h"
#include "ui/widgets/ui_tool_button.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

using namespace setting_keys;

class NullObserver final : public BatchObserver {
public:
    void post(BatchMessage, ResizeThread&) override {}
};

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : toolkit_(std::make_unique<HeadlessWindowSystem>()),
          settings_(openSettingsStore("Halvorn Scalora", dir_.path().string())),
          codec_(makeLibraryImageCodec()), engine_(*codec_, observer_),
          monitors_({{0, 0, 1920, 1080}}, 0, Rect{0, 0, 1920, 1040}) {
        window_ = new MainWindow(*settings_, engine_, monitors_);
        window_->showAtStoredGeometry();
        toolkit_.processEvents();
    }
    ResizeSettingsPanel& panel() { return window_->settingsPanel(); }
    void chooseMode(ResizeMode mode) {
        panel().modeList().setCurrentIndex(static_cast<std::int32_t>(mode));
    }

    test::TempDir dir_;
    UIToolkit toolkit_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<ImageCodec> codec_;
    NullObserver observer_;
    BatchEngine engine_;
    FixedMonitorProvider monitors_;
    MainWindow* window_;
};

TEST_F(MainWindowTest, FieldsShowTheValuesOfTheSelectedMode) {
    settings_->set(kParam1ForMode0, 640);
    settings_->set(kParam2ForMode0, 480);
    settings_->set(kParam1ForMode4, 50);
    settings_->set(kParam2ForMode4, 25);
    settings_->set(kMode, 0);
    window_->applySettings();
    UISpinBox& width = panel().widthField();
    UISpinBox& height = panel().heightField();
    EXPECT_EQ(width.value(), 640);
    EXPECT_EQ(height.value(), 480);
    EXPECT_EQ(engine_.settings().mode, ResizeMode::WidthHeight);

    // Leaving a mode keeps what its fields showed; coming back gives it back.
    width.setValue(800);
    chooseMode(ResizeMode::Percentage);
    EXPECT_EQ(width.value(), 50);
    EXPECT_EQ(height.value(), 25);
    EXPECT_EQ(panel().unitLabel().text(), "%");
    EXPECT_EQ(engine_.settings().mode, ResizeMode::Percentage);
    chooseMode(ResizeMode::WidthHeight);
    EXPECT_EQ(width.value(), 800);
    EXPECT_EQ(height.value(), 480);
    EXPECT_EQ(panel().unitLabel().text(), "px");

    // One-value modes hide the other field.
    chooseMode(ResizeMode::Width);
    EXPECT_TRUE(width.isVisible());
    EXPECT_FALSE(height.isVisible());
    chooseMode(ResizeMode::Height);
    EXPECT_FALSE(width.isVisible());
    EXPECT_TRUE(height.isVisible());

    // The desktop modes show the primary monitor's full size, read-only.
    chooseMode(ResizeMode::Desktop);
    EXPECT_EQ(width.value(), 1920);
    EXPECT_EQ(height.value(), 1080);
    EXPECT_TRUE(width.isReadOnly());
    EXPECT_TRUE(height.isVisible());
    chooseMode(ResizeMode::Fit);
    EXPECT_FALSE(width.isReadOnly());

    // A value typed and never followed by a mode change is not stored.
    chooseMode(ResizeMode::WidthHeight);
    width.setValue(1234);
    window_->saveState();
    EXPECT_EQ(readIntSetting(*settings_, kParam1ForMode0), 800);
    EXPECT_EQ(readIntSetting(*settings_, kMode), 0);
}

TEST_F(MainWindowTest, CommandsCounterAndBusyStateFollowTheList) {
    UIToolButton& resize = window_->toolButton(MainCommand::Resize);
    UIToolButton& clear = window_->toolButton(MainCommand::ExcludeAll);
    window_->updateCounter();
    EXPECT_EQ(window_->counterLabel().text(), "0 images");
    EXPECT_FALSE(resize.isEnabled());
    EXPECT_FALSE(clear.isEnabled());
    EXPECT_TRUE(window_->toolButton(MainCommand::AddImages).isEnabled());

    engine_.items().emplace_back("/photos/a.jpg");
    engine_.items().emplace_back("/photos/b.jpg");
    window_->updateCounter();
    window_->updateCommands();
    EXPECT_EQ(window_->counterLabel().text(), "2 images");
    EXPECT_TRUE(resize.isEnabled());

    // While images are added, a run or a clear would pull the list from under the addition.
    window_->beginBusy();
    EXPECT_FALSE(resize.isEnabled());
    EXPECT_FALSE(clear.isEnabled());
    UIProgress& progress = window_->busyProgress();
    EXPECT_FALSE(progress.isVisible());
    window_->setBusyProgress(42.9);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.value(), 42);
    window_->setBusyProgress(250.0);
    EXPECT_EQ(progress.value(), progress.maximum());
    window_->endBusy();
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(progress.value(), progress.minimum());
    EXPECT_TRUE(resize.isEnabled());

    window_->excludeAllCommand();
    EXPECT_TRUE(engine_.items().empty());
    EXPECT_EQ(window_->counterLabel().text(), "0 images");
    EXPECT_FALSE(clear.isEnabled());
}

TEST_F(MainWindowTest, DestinationAndFormatReachTheEngineAndTheSettings) {
    const std::string folder = dir_.path().string();
    window_->setDestinationFolder(folder);
    EXPECT_EQ(window_->destinationText(), folder + "/");
    EXPECT_EQ(engine_.settings().destinationFolder, folder + "/");
    window_->setDestinationFolder(folder + "/missing");
    EXPECT_EQ(window_->destinationText(), "");
    EXPECT_EQ(engine_.settings().destinationFolder, "");

    panel().formatList().setCurrentIndex(2);
    EXPECT_EQ(engine_.settings().format, OutputFormat::Png);
    window_->setDestinationFolder(folder + "/");
    window_->saveState();
    EXPECT_EQ(readIntSetting(*settings_, kFormat), 2);
    EXPECT_EQ(readStringSetting(*settings_, kDestinationFolder), folder + "/");

    // A stored folder that is gone shows as an empty field.
    settings_->set(kDestinationFolder, folder + "/gone/");
    window_->applySettings();
    EXPECT_EQ(window_->destinationText(), "");
}

} // namespace
} // namespace scalora
