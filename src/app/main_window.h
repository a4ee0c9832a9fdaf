// The program's main window: the tool bar with the seven commands, the image table, the
// resize settings and the status bar with the counter and the progress of long additions.
// It connects every command to its action, hands Resize to the batch start, re-translates
// itself when the language changes, and on closing stores its state, saves the settings and
// ends the event loop.
#pragma once

#include "app/image_list_host.h"
#include "app/progress_window.h"
#include "engine/batch_start.h"
#include "ui/core/ui_window.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace scalora {

class BatchEngine;
class ImageList;
class ImageTable;
class LayoutReport;
class MonitorProvider;
class ResizeSettingsPanel;
class SettingsStore;
class UIBox;
class UILabel;
class UILayout;
class UIProgress;
class UIStatusBar;
class UIToolBar;
class UIToolButton;

// The tool bar's commands, in the bar's order.
enum class MainCommand : std::int32_t {
    AddImages = 0,
    AddFolder = 1,
    ExcludeAll = 2,
    Resize = 3,
    Options = 4,
    Feedback = 5,
    About = 6,
};
inline constexpr std::int32_t kMainCommandCount = 7;

class MainWindow : public UIWindow,
                   public ImageListHost,
                   private BatchStartHost,
                   private ProgressWindowHost {
public:
    MainWindow(SettingsStore& settings, BatchEngine& engine, const MonitorProvider& monitors);
    ~MainWindow() override;

    // Shows the window at its stored place (or centred on the primary work area).
    void showAtStoredGeometry();

    // The stored destination, mode with its values, format, and the list's view options.
    void applySettings();
    void setDestinationFolder(const std::string& path);
    // Loads the language the settings name and sets every text again.
    void retranslate();
    // Writes the geometry and the controls into the settings.
    void saveState();

    // Paths to add as dropped ones are: folders expanded, "Images not found." when none is
    // an image. Paths that arrive while an addition runs are added after it.
    void addPaths(const std::vector<std::string>& paths);

    // The commands of the tool bar.
    void addImagesCommand();
    void addFolderCommand();
    void excludeAllCommand();
    void resizeCommand();
    void optionsCommand();
    void feedbackCommand();
    void aboutCommand();

    // ImageListHost
    void beginBusy() override;
    void setBusyProgress(double percent) override;
    void endBusy() override;
    void updateCounter() override;
    void updateCommands() override;
    [[nodiscard]] bool turnEventLoop() override;
    std::string destinationText() const override;
    UIWindow* ownerWindow() override { return this; }
    void openAddImagesDialog() override { addImagesCommand(); }

    // Parts, for tests.
    ResizeSettingsPanel& settingsPanel() const { return *panel_; }
    ImageList& imageList() const { return *list_; }
    ImageTable& imageTable() const { return *table_; }
    UIToolButton& toolButton(MainCommand command) const {
        return *toolButtons_.at(static_cast<std::size_t>(command));
    }
    UILabel& counterLabel() const { return *counter_; }
    UIProgress& busyProgress() const { return *progress_; }
    bool isBusy() const { return busy_; }

protected:
    bool event(UIEvent& e) override;
    void closeEvent(UIEvent& e) override;
    void resizeEvent(UIEvent& e) override;

private:
    // BatchStartHost
    void showRefusal(const Refusal& refusal) override;
    void chooseDestinationFolder() override;
    void setDestinationText(const std::string& text) override;
    void runProgress() override;

    // ProgressWindowHost
    void setMainCaption(const std::string& prefix) override;
    void rebuildTable() override;

    void buildToolBar();
    void reportLayout();
    void retranslateTexts();
    // At least the design's smallest size, wide enough for the panel's texts.
    void fitMinimumSizeToTexts();
    void chooseDestination();
    void placeBusyLayer();
    RunRequest runRequest() const;

    SettingsStore& settings_;
    BatchEngine& engine_;
    const MonitorProvider& monitors_;
    UIToolBar* toolBar_ = nullptr;
    std::vector<UIToolButton*> toolButtons_;
    std::unique_ptr<ImageList> list_;
    ImageTable* table_ = nullptr;
    ResizeSettingsPanel* panel_ = nullptr;
    // The layout round the panel, whose margins the panel's width is measured with.
    UILayout* panelRow_ = nullptr;
    UIStatusBar* statusBar_ = nullptr;
    UILabel* counter_ = nullptr;
    UIProgress* progress_ = nullptr;
    UIBox* busyLayer_ = nullptr;
    bool busy_ = false;
    bool adding_ = false;
    bool running_ = false; // the progress window is open
    std::vector<std::string> pendingPaths_;
    std::unique_ptr<LayoutReport> layoutReport_;
};

} // namespace scalora
