#include "app/main_window.h"

#include "app/about_window.h"
#include "app/application.h"
#include "app/destination_field.h"
#include "app/dialog_window.h"
#include "app/feedback_window.h"
#include "app/image_list.h"
#include "app/image_table.h"
#include "app/layout_report.h"
#include "app/main_window_dialogs.h"
#include "app/options_window.h"
#include "app/resize_settings_panel.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "app/skin_icons.h"
#include "app/window_geometry.h"
#include "data/settings_store.h"
#include "data/translate.h"
#include "engine/batch_engine.h"
#include "platform/monitors.h"
#include "ui/core/ui_event.h"
#include "ui/core/ui_layout.h"
#include "ui/core/ui_toolkit.h"
#include "ui/widgets/ui_box.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_combo_box.h"
#include "ui/widgets/ui_expander.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_message_box.h"
#include "ui/widgets/ui_progress.h"
#include "ui/widgets/ui_spacer.h"
#include "ui/widgets/ui_spin_box.h"
#include "ui/widgets/ui_status_bar.h"
#include "ui/widgets/ui_table.h"
#include "ui/widgets/ui_tool_bar.h"
#include "ui/widgets/ui_tool_button.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

namespace scalora {
namespace {

// Small enough for a 1024 x 768 screen with a panel, large enough for the list and controls.
constexpr Size kMinimumSize{400, 420};
constexpr const char* kGeometryPrefix = "Main";
constexpr const char* kContext = "MainWindow";
constexpr const char* kToolTipContext = "MainWindow/ToolTips";
// The layer that shows the table is busy: white at 182 of 255.
constexpr Color kBusyLayerColor = 0xB6FFFFFF;
constexpr std::int32_t kToolBarGap = 16;

struct ToolCommand {
    MainCommand command;
    const char* skin;
    const char* toolTip;
    const char* reportName;
};

constexpr std::array<ToolCommand, kMainCommandCount> kToolCommands{{
    {MainCommand::AddImages, "toolbar_add_files", "Add images...", "add_images"},
    {MainCommand::AddFolder, "toolbar_add_folders", "Add folder with images...", "add_folder"},
    {MainCommand::ExcludeAll, "toolbar_clear", "Exclude all images", "exclude_all"},
    {MainCommand::Resize, "toolbar_resize", "Resize", "resize"},
    {MainCommand::Options, "toolbar_options", "Options", "options"},
    {MainCommand::Feedback, "toolbar_feedback", "Send feedback", "feedback"},
    {MainCommand::About, "toolbar_about", "About", "about"},
}};

} // namespace

MainWindow::MainWindow(SettingsStore& settings, BatchEngine& engine,
                       const MonitorProvider& monitors)
    : UIWindow(nullptr,
               kDefaultWindowOptions | kWindowResizable | kWindowMinimizeBox | kWindowMaximizeBox),
      settings_(settings), engine_(engine), monitors_(monitors) {
    setStyleClass("UIWindow");
    setMinimumSize(kMinimumSize);
    setTitle(currentProductName());

    buildToolBar();
    list_ = std::make_unique<ImageList>(engine_, settings_, *this);
    table_ = new ImageTable(this, *list_, *this);
    table_->setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Expanding);
    panel_ = new ResizeSettingsPanel(this, settings_, engine_.settings(), [this] {
        const Rect r = primaryMonitorRectOrFallback(monitors_);
        return Size{r.width, r.height};
    });
    panel_->chooseDestinationRequested.connect([this] { chooseDestination(); });

    statusBar_ = new UIStatusBar(this);
    counter_ = new UILabel(statusBar_, "...");
    counter_->setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    progress_ = new UIProgress(statusBar_);
    statusBar_->addElement(counter_, 1);
    statusBar_->addElement(progress_);
    statusBar_->setSizeGripVisible(true);
    counter_->show();
    progress_->hide();

    auto panelRow = std::make_unique<UIVBoxLayout>();
    panelRow->addElement(panel_);
    auto column = std::make_unique<UIVBoxLayout>();
    column->setContentsMargins({0, 0, 0, 0});
    column->setSpacing(0);
    column->addElement(toolBar_);
    column->addElement(table_, 1);
    column->addLayout(std::move(panelRow));
    column->addElement(statusBar_);
    for (UIElement* e : std::initializer_list<UIElement*>{toolBar_, table_, panel_, statusBar_}) {
        e->show();
    }
    setLayout(std::move(column));

    // Last child, so it is drawn over the table.
    busyLayer_ = new UIBox(this);
    busyLayer_->setBackground(Brush(kBusyLayerColor));

    retranslateTexts();
    updateCommands();
    reportLayout();
}

MainWindow::~MainWindow() = default;

void MainWindow::reportLayout() {
    layoutReport_ = std::make_unique<LayoutReport>(*this, "main");
    for (const ToolCommand& tool : kToolCommands) {
        layoutReport_->add(tool.reportName, &toolButton(tool.command));
    }
    // The names the table shows, so a test can see what reached the list.
    layoutReport_->add("table", table_, [this] {
        std::string names;
        const UITable& rows = *table_->table();
        for (std::int32_t i = 0; i < rows.rowCount(); ++i) {
            const auto& cells = rows.row(i).cells;
            const auto name = static_cast<std::size_t>(ImageTable::Column::Name);
            names += (i > 0 ? "|" : "") + (name < cells.size() ? cells[name].text : std::string());
        }
        return names;
    });
    layoutReport_->add("mode", &panel_->modeList(),
                       [this] { return std::to_string(panel_->modeList().currentIndex()); });
    layoutReport_->add("width", &panel_->widthField());
    layoutReport_->add("height", &panel_->heightField());
    layoutReport_->add("unit", &panel_->unitLabel(), [this] { return panel_->unitLabel().text(); });
    layoutReport_->add("format", &panel_->formatList());
    layoutReport_->add("destination", &panel_->destinationField(),
                       [this] { return panel_->destinationField().text(); });
    layoutReport_->add("destination_button", &panel_->destinationButton());
    layoutReport_->add("counter", counter_, [this] { return counter_->text(); });
}

void MainWindow::buildToolBar() {
    toolBar_ = new UIToolBar(this);
    toolButtons_.resize(kToolCommands.size());
    const auto addTool = [this](const ToolCommand& tool) {
        UIToolButton* button = toolBar_->addButton({}, skinIcons(tool.skin));
        toolButtons_[static_cast<std::size_t>(tool.command)] = button;
        button->clicked().connect([this, command = tool.command] {
            switch (command) {
            case MainCommand::AddImages:
                addImagesCommand();
                break;
            case MainCommand::AddFolder:
                addFolderCommand();
                break;
            case MainCommand::ExcludeAll:
                excludeAllCommand();
                break;
            case MainCommand::Resize:
                resizeCommand();
                break;
            case MainCommand::Options:
                optionsCommand();
                break;
            case MainCommand::Feedback:
                feedbackCommand();
                break;
            case MainCommand::About:
                aboutCommand();
                break;
            }
        });
    };
    // Resize stands alone in the middle, between two expanders.
    for (std::size_t i = 0; i < kToolCommands.size(); ++i) {
        if (kToolCommands[i].command == MainCommand::Resize) {
            toolBar_->addElement(new UISpacer(toolBar_, kToolBarGap));
            toolBar_->addElement(new UIExpander(toolBar_), 1);
            addTool(kToolCommands[i]);
            toolBar_->addElement(new UIExpander(toolBar_), 1);
            toolBar_->addElement(new UISpacer(toolBar_, kToolBarGap));
        } else {
            addTool(kToolCommands[i]);
        }
    }
}

void MainWindow::showAtStoredGeometry() {
    const auto read = [this](std::string_view field) {
        return readIntSetting(settings_, windowGeometryKey(kGeometryPrefix, field), kMinimumSize);
    };
    const WindowGeometry stored{read("Left"), read("Top"), read("Width"), read("Height")};
    const Rect place =
        restoredWindowRect(stored, primaryWorkAreaOrFallback(monitors_), kMinimumSize);
    setGeometry(place);
    show();
    activate();
}

void MainWindow::applySettings() {
    panel_->applySettings();
    list_->setShowPreview(readBoolSetting(settings_, setting_keys::kIsShowPreview));
    list_->setShowFullName(readBoolSetting(settings_, setting_keys::kIsShowFullName));
    table_->rebuildView();
}

void MainWindow::setDestinationFolder(const std::string& path) {
    panel_->setDestinationFolder(path);
}

void MainWindow::retranslate() {
    if (Application* app = Application::instance()) {
        // A language that cannot be loaded keeps the texts of the one before.
        static_cast<void>(app->loadLanguage(readStringSetting(settings_, setting_keys::kLanguage)));
    }
    retranslateTexts();
}

void MainWindow::retranslateTexts() {
    for (const ToolCommand& tool : kToolCommands) {
        toolButton(tool.command).setToolTip(translate(tool.toolTip, kToolTipContext));
    }
    panel_->retranslate();
    table_->retranslate();
    table_->rebuildView();
    updateCounter();
    relayout();
    update();
}

void MainWindow::saveState() {
    if (const std::optional<WindowGeometry> g =
            geometryToSave(geometry(), monitors_.monitorRects())) {
        settings_.set(windowGeometryKey(kGeometryPrefix, "Left"), g->left);
        settings_.set(windowGeometryKey(kGeometryPrefix, "Top"), g->top);
        settings_.set(windowGeometryKey(kGeometryPrefix, "Width"), g->width);
        settings_.set(windowGeometryKey(kGeometryPrefix, "Height"), g->height);
    }
    panel_->saveState();
}

void MainWindow::addPaths(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    pendingPaths_.insert(pendingPaths_.end(), paths.begin(), paths.end());
    if (adding_) {
        return; // the running addition takes them next
    }
    adding_ = true;
    while (!pendingPaths_.empty()) {
        const std::vector<std::string> batch = std::move(pendingPaths_);
        pendingPaths_.clear();
        static_cast<void>(list_->addImages(list_->expandPaths(batch)));
    }
    adding_ = false;
}

void MainWindow::addImagesCommand() {
    if (auto files = runAddImagesDialog(this, settings_)) {
        addPaths(*files);
    }
}

void MainWindow::addFolderCommand() {
    if (auto folder = runAddFolderDialog(this, settings_)) {
        addPaths({*folder});
    }
}

void MainWindow::excludeAllCommand() {
    if (engine_.items().empty() || busy_) {
        return;
    }
    list_->clear();
}

void MainWindow::resizeCommand() {
    if (busy_ || engine_.isRunning()) {
        return;
    }
    startBatch(engine_, runRequest(), *this);
}

RunRequest MainWindow::runRequest() const {
    RunRequest request;
    request.widthText = panel_->widthText();
    request.heightText = panel_->heightText();
    request.mode = panel_->mode();
    request.format = panel_->format();
    request.destinationText = panel_->destinationText();
    request.jpegQuality = readIntSetting(settings_, setting_keys::kJpegQuality);
    request.jpegCopyExif = readBoolSetting(settings_, setting_keys::kJpegCopyExif);
    request.allowRewrite = readBoolSetting(settings_, setting_keys::kIsAllowRewrite);
    request.doNotEnlarge = readBoolSetting(settings_, setting_keys::kIsDoNotEnlargeImages);
    request.saveOriginalFileDate =
        readBoolSetting(settings_, setting_keys::kIsSaveOriginalFileDate);
    const Rect desktop = primaryMonitorRectOrFallback(monitors_);
    request.desktopSize = {desktop.width, desktop.height};
    return request;
}

void MainWindow::optionsCommand() {
    const std::string before = readStringSetting(settings_, setting_keys::kLanguage);
    runOptionsWindow(this, settings_, [this] { saveState(); });
    if (readStringSetting(settings_, setting_keys::kLanguage) != before) {
        retranslate();
    }
}

void MainWindow::feedbackCommand() {
    runFeedbackWindow(this);
}

void MainWindow::aboutCommand() {
    runAboutWindow(this);
}

void MainWindow::chooseDestination() {
    if (auto folder = runDestinationDialog(this, settings_)) {
        setDestinationFolder(*folder);
    }
}

// --- the list's host ---

void MainWindow::beginBusy() {
    busy_ = true;
    table_->setAcceptDrops(false);
    panel_->setAcceptDrops(false);
    placeBusyLayer();
    busyLayer_->show();
    updateCommands();
}

void MainWindow::setBusyProgress(double percent) {
    if (!progress_->isVisible()) {
        progress_->show();
        statusBar_->relayout();
    }
    const double value = std::isfinite(percent) ? std::trunc(percent) : 0.0;
    progress_->setValue(
        std::clamp(static_cast<std::int64_t>(value), progress_->minimum(), progress_->maximum()));
}

void MainWindow::endBusy() {
    busyLayer_->hide();
    progress_->hide();
    progress_->setValue(progress_->minimum());
    statusBar_->relayout();
    table_->setAcceptDrops(true);
    panel_->setAcceptDrops(true);
    busy_ = false;
    updateCommands();
}

void MainWindow::placeBusyLayer() {
    busyLayer_->setGeometry(table_->geometry());
}

void MainWindow::updateCounter() {
    std::string text = translate("^ images", kContext);
    const std::string count = std::to_string(engine_.items().size());
    for (std::size_t at = text.find('^'); at != std::string::npos;
         at = text.find('^', at + count.size())) {
        text.replace(at, 1, count);
    }
    counter_->setText(text);
}

void MainWindow::updateCommands() {
    // An addition in progress owns the list: a run or a clear must wait for it.
    const bool ready = !engine_.items().empty() && !busy_;
    toolButton(MainCommand::ExcludeAll).setEnabled(ready);
    toolButton(MainCommand::Resize).setEnabled(ready);
}

bool MainWindow::turnEventLoop() {
    if (UIToolkit* toolkit = UIToolkit::instance()) {
        toolkit->processEvents();
        return !toolkit->quitRequested();
    }
    return true;
}

std::string MainWindow::destinationText() const {
    return panel_->destinationText();
}

// --- the batch start's host ---

void MainWindow::showRefusal(const Refusal& refusal) {
    showDialogMessage(this, static_cast<std::int32_t>(UIMessageBoxIcon::Warning), refusal.text,
                      refusal.detail);
}

void MainWindow::chooseDestinationFolder() {
    chooseDestination();
}

void MainWindow::setDestinationText(const std::string& text) {
    panel_->setDestinationText(text);
}

void MainWindow::runProgress() {
    running_ = true;
    runProgressWindow(this, engine_, settings_, *this);
    running_ = false;
}

void MainWindow::setMainCaption(const std::string& prefix) {
    setTitle(windowCaption(prefix, currentProductName()));
}

void MainWindow::rebuildTable() {
    table_->rebuildView();
}

// --- window events ---

void MainWindow::resizeEvent(UIEvent& e) {
    UIWindow::resizeEvent(e);
    if (busyLayer_ != nullptr && busyLayer_->isVisible()) {
        placeBusyLayer();
    }
}

bool MainWindow::event(UIEvent& e) {
    // While the progress window is open, it is where a run is stopped and closed; closing
    // this one would end the event loop under it.
    if (e.type == UIEventType::Close && running_) {
        e.ignore();
        return false;
    }
    return UIWindow::event(e);
}

void MainWindow::closeEvent(UIEvent& e) {
    saveState();
    if (!settings_.save()) {
        // The window is closing; the terminal is the one place left to say it.
        std::fprintf(stderr, "%s: the settings could not be saved to %s\n",
                     currentProductName().c_str(), settings_.filePath().c_str());
    }
    UIWindow::closeEvent(e);
    if (Application* app = Application::instance()) {
        app->quit();
    }
}

} // namespace scalora
