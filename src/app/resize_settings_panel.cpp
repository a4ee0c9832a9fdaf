#include "app/resize_settings_panel.h"

#include "app/destination_field.h"
#include "app/mode_parameters.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "app/skin_icons.h"
#include "base/strings.h"
#include "data/settings_store.h"
#include "data/translate.h"
#include "engine/batch_settings.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "ui/core/ui_layout.h"
#include "ui/widgets/ui_box.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_combo_box.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_line.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_spin_box.h"

#include <algorithm>
#include <memory>

namespace scalora {
namespace {

constexpr std::int32_t kInitialSizeValue = 100;
constexpr std::int32_t kDestinationButtonWidth = 32;
constexpr const char* kContext = "MainWindow";
constexpr const char* kToolTipContext = "MainWindow/ToolTips";

std::vector<std::string> modeTexts() {
    return {translate("Width & Height", kContext),
            translate("Width (Keep proportions)", kContext),
            translate("Height (Keep proportions)", kContext),
            translate("Fit (Keep proportions)", kContext),
            translate("Percentage", kContext),
            translate("Desktop", kContext),
            translate("Desktop (Keep proportions)", kContext)};
}

std::vector<std::string> formatTexts() {
    return {translate("As original", kContext), "JPG", "PNG", "TIF", "BMP"};
}

UISpinBox* makeSizeField(UIElement* parent) {
    auto* field = new UISpinBox(parent, kMinSizeValue, kMaxSizeValue);
    field->setValue(kInitialSizeValue);
    return field;
}

// A row of elements that lives in one cell of the panel's grid; with trailingStretch the
// elements keep their own widths and the spare room stays on the right.
UIBox* makeRow(UIElement* parent, std::initializer_list<std::pair<UIElement*, std::int32_t>> items,
               bool trailingStretch) {
    auto* row = new UIBox(parent);
    auto layout = std::make_unique<UIHBoxLayout>();
    layout->setContentsMargins({0, 0, 0, 0});
    for (const auto& [element, stretch] : items) {
        element->setParent(row);
        element->show();
        layout->addElement(element, stretch);
    }
    if (trailingStretch) {
        layout->addStretch();
    }
    row->setLayout(std::move(layout));
    row->show();
    return row;
}

} // namespace

ResizeSettingsPanel::ResizeSettingsPanel(UIElement* parent, SettingsStore& settings,
                                         BatchSettings& snapshot, std::function<Size()> desktopSize)
    : UIElement(parent), settings_(settings), snapshot_(snapshot),
      desktopSize_(std::move(desktopSize)) {
    setStyleClass("ResizeSettingsPanel");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Preferred, UISizePolicy::Fixed);

    modeLabel_ = new UILabel(this);
    modeList_ = new UIComboBox(this);
    widthField_ = makeSizeField(this);
    byLabel_ = new UILabel(this, "x");
    heightField_ = makeSizeField(this);
    unitLabel_ = new UILabel(this, "px");
    formatLabel_ = new UILabel(this);
    formatList_ = new UIComboBox(this);
    destinationLabel_ = new UILabel(this);
    destinationField_ = new DestinationField(this);
    destinationButton_ = new UIButton(this);
    destinationButton_->setIcons(skinIcons("folder_select"));
    // A square beside the field: the icon says what it does.
    destinationButton_->setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
    destinationButton_->setMaximumSize({kDestinationButtonWidth, kMaxSizeValue});
    for (UILabel* label : {byLabel_, unitLabel_}) {
        label->setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
    }

    UIBox* sizeRow =
        makeRow(this, {{widthField_, 0}, {byLabel_, 0}, {heightField_, 0}, {unitLabel_, 0}}, true);
    UIBox* destinationRow = makeRow(this, {{destinationField_, 1}, {destinationButton_, 0}}, false);
    auto* line = new UILine(this);

    auto grid = std::make_unique<UIGridLayout>();
    grid->addElement(modeLabel_, 0, 0);
    grid->addElement(modeList_, 0, 1);
    grid->addElement(sizeRow, 1, 1);
    grid->addElement(line, 2, 0, 1, 2);
    grid->addElement(formatLabel_, 3, 0);
    grid->addElement(formatList_, 3, 1);
    grid->addElement(destinationLabel_, 4, 0);
    grid->addElement(destinationRow, 4, 1);
    grid->setColumnStretch(1, 1);
    for (UIElement* e : std::initializer_list<UIElement*>{modeLabel_, modeList_, line, formatLabel_,
                                                          formatList_, destinationLabel_}) {
        e->show();
    }
    setLayout(std::move(grid));

    modeList_->currentChanged.connect([this](std::int32_t index) { modeChanged(index); });
    formatList_->currentChanged.connect(
        [this](std::int32_t index) { snapshot_.format = outputFormatFromIndex(index); });
    destinationButton_->clicked().connect([this] { chooseDestinationRequested.emit(); });
    destinationButton_->signal(UIEventType::MouseClick).connect([this](UIEvent& e) {
        if (e.button != kLeftButton) {
            openDestination();
        }
    });
    destinationField_->chooseRequested.connect([this] { chooseDestinationRequested.emit(); });
    destinationField_->folderDropped.connect(
        [this](const std::string& folder) { setDestinationFolder(folder); });
    retranslate();
}

void ResizeSettingsPanel::retranslate() {
    modeLabel_->setText(translate("Mode:", kContext));
    formatLabel_->setText(translate("Format:", kContext));
    destinationLabel_->setText(translate("Destination:", kContext));
    // Captions keep their whole text in every language; the fields beside them give way.
    for (UILabel* label : {modeLabel_, formatLabel_, destinationLabel_}) {
        label->setMinimumSize({label->sizeHint().width, 0});
    }
    modeList_->setItems(modeTexts());
    formatList_->setItems(formatTexts());
    widthField_->setToolTip(translate("Width", kToolTipContext));
    heightField_->setToolTip(translate("Height", kToolTipContext));
    destinationButton_->setToolTip(translate("Select destination folder", kToolTipContext));
}

void ResizeSettingsPanel::applySettings() {
    setDestinationFolder(readStringSetting(settings_, setting_keys::kDestinationFolder));
    selectMode(readResizeModeSetting(settings_));
    selectFormat(readOutputFormatSetting(settings_));
}

void ResizeSettingsPanel::saveState() {
    settings_.set(setting_keys::kMode, static_cast<std::int32_t>(mode()));
    settings_.set(setting_keys::kFormat, static_cast<std::int32_t>(format()));
    settings_.set(setting_keys::kDestinationFolder, destinationText());
}

ResizeMode ResizeSettingsPanel::mode() const {
    return resizeModeFromIndex(modeList_->currentIndex());
}

void ResizeSettingsPanel::selectMode(ResizeMode mode) {
    const auto index = static_cast<std::int32_t>(mode);
    if (modeList_->currentIndex() == index) {
        modeChanged(index); // choosing the shown mode again still loads its values
    } else {
        modeList_->setCurrentIndex(index);
    }
}

OutputFormat ResizeSettingsPanel::format() const {
    return outputFormatFromIndex(formatList_->currentIndex());
}

void ResizeSettingsPanel::selectFormat(OutputFormat format) {
    formatList_->setCurrentIndex(static_cast<std::int32_t>(format));
    snapshot_.format = format;
}

std::string ResizeSettingsPanel::widthText() const {
    return widthField_->edit().text();
}

std::string ResizeSettingsPanel::heightText() const {
    return heightField_->edit().text();
}

void ResizeSettingsPanel::modeChanged(std::int32_t index) {
    if (index < 0) {
        return;
    }
    storeModeFields(settings_, previousMode_, widthField_->value(), heightField_->value());
    const ResizeMode mode = resizeModeFromIndex(index);
    snapshot_.mode = mode;
    showModeFields(mode);
    previousMode_ = mode;
}

void ResizeSettingsPanel::showModeFields(ResizeMode mode) {
    const ModeFields fields = modeFields(settings_, mode, desktopSize_());
    widthField_->setValue(fields.width);
    heightField_->setValue(fields.height);
    widthField_->setVisible(fields.widthVisible);
    heightField_->setVisible(fields.heightVisible);
    byLabel_->setVisible(fields.widthVisible && fields.heightVisible);
    widthField_->setReadOnly(fields.readOnly);
    heightField_->setReadOnly(fields.readOnly);
    unitLabel_->setText(fields.percentage ? "%" : "px");
}

void ResizeSettingsPanel::setDestinationFolder(std::string_view path) {
    std::string folder(path);
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    if (!isDirectory(folder)) {
        folder.clear();
    }
    destinationField_->setText(folder);
    snapshot_.destinationFolder = folder;
}

std::string ResizeSettingsPanel::destinationText() const {
    return destinationField_->text();
}

void ResizeSettingsPanel::setDestinationText(const std::string& text) {
    destinationField_->setText(text);
}

void ResizeSettingsPanel::setAcceptDrops(bool on) {
    destinationField_->setOption(kAcceptsDrops, on);
}

void ResizeSettingsPanel::openDestination() {
    const std::string folder = trim(destinationText());
    if (!folder.empty() && isDirectory(folder)) {
        static_cast<void>(openWithDesktop(folder));
    }
}

} // namespace scalora
