#include "app/options_window.h"

#include "app/application.h"
#include "app/layout_report.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "base/strings.h"
#include "data/resource_locator.h"
#include "data/settings_store.h"
#include "data/translate.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_check_box.h"
#include "ui/widgets/ui_combo_box.h"
#include "ui/widgets/ui_group.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_spin_box.h"

#include <memory>
#include <string>
#include <utility>

namespace scalora {
namespace {

constexpr std::string_view kContext = "OptionsWindow";
constexpr std::int32_t kMinimumQuality = 1;
constexpr std::int32_t kMaximumQuality = 100;
// Wide enough for the longest check box text of the shipped languages.
constexpr std::int32_t kMinimumWidth = 320;

struct SwitchRow {
    std::string_view key;
    std::string_view text;
};

// In OptionSwitch order; the last one sits in the JPEG group.
constexpr std::array<SwitchRow, kOptionSwitchCount> kSwitchRows{{
    {setting_keys::kIsUseSubfolders, "Use subfolders."},
    {setting_keys::kIsDoNotEnlargeImages, "Do not enlarge smaller images."},
    {setting_keys::kIsSaveOriginalFileDate, "Keep original date / time attributes."},
    {setting_keys::kIsAllowRewrite, "Overwrite existing files in destination folder."},
    {setting_keys::kBeepWhenResizeFinish, "Play sound when processing is complete."},
    {setting_keys::kJpegCopyExif, "Copy metadata."},
}};

std::string tr(std::string_view text) {
    return translate(text, kContext);
}

// A label and its field on one line, the field taking the rest of the width.
std::unique_ptr<UIHBoxLayout> labelledRow(UILabel* label, UIElement* field) {
    auto row = std::make_unique<UIHBoxLayout>();
    row->setContentsMargins({0, 0, 0, 0});
    row->setSpacing(kDialogSpacing);
    row->addElement(label);
    row->addElement(field, 1);
    label->show();
    field->show();
    return row;
}

UIGroup* makeGroup(UIElement* parent, std::string_view title) {
    auto* group = new UIGroup(parent, tr(title));
    group->setLayout(dialogColumn(kDialogSpacing, kDialogLineSpacing + 2));
    group->show();
    return group;
}

} // namespace

OptionsWindow::OptionsWindow(UIWindow* owner, SettingsStore& settings,
                             std::vector<LanguageInfo> languages,
                             std::function<void()> saveMainWindowState)
    : DialogWindow(owner, tr("Options")), settings_(settings), languages_(std::move(languages)),
      saveMainWindowState_(std::move(saveMainWindowState)) {
    auto column = dialogColumn(kDialogMargin, kDialogSpacing);

    UIGroup* general = makeGroup(this, "General:");
    auto* generalColumn = static_cast<UIVBoxLayout*>(general->layout());
    language_ = new UIComboBox(general);
    generalColumn->addLayout(labelledRow(new UILabel(general, tr("Language:")), language_));
    const auto copyExif = static_cast<std::size_t>(OptionSwitch::JpegCopyMetadata);
    for (std::size_t i = 0; i < copyExif; ++i) {
        switches_[i] = new UICheckBox(general, tr(kSwitchRows[i].text));
        generalColumn->addElement(switches_[i]);
        switches_[i]->show();
    }
    column->addElement(general);

    UIGroup* jpegGroup = makeGroup(this, "JPEG Format:");
    auto* jpegColumn = static_cast<UIVBoxLayout*>(jpegGroup->layout());
    switches_[copyExif] = new UICheckBox(jpegGroup, tr(kSwitchRows[copyExif].text));
    jpegColumn->addElement(switches_[copyExif]);
    switches_[copyExif]->show();
    quality_ = new UISpinBox(jpegGroup, kMinimumQuality, kMaximumQuality);
    auto qualityRow = labelledRow(new UILabel(jpegGroup, tr("Quality:")), quality_);
    qualityRow->addStretch(2);
    jpegColumn->addLayout(std::move(qualityRow));
    column->addElement(jpegGroup);

    column->addStretch();
    ok_ = new UIButton(this, tr("OK"));
    cancel_ = new UIButton(this, tr("Cancel"));
    column->addLayout(dialogButtonRow({ok_, cancel_}));
    setLayout(std::move(column));

    ok_->clicked().connect([this] { accept(); });
    cancel_->clicked().connect([this] { close(); });
    fill();
    placeOverOwner(kMinimumWidth);
    layoutReport_ = std::make_unique<LayoutReport>(*this, "options");
    layoutReport_->add("language", language_, [this] { return language_->currentText(); });
    layoutReport_->add("ok", ok_);
}

OptionsWindow::~OptionsWindow() = default;

void OptionsWindow::fill() {
    const std::string stored = readStringSetting(settings_, setting_keys::kLanguage);
    for (std::size_t i = 0; i < languages_.size(); ++i) {
        language_->addItem(languages_[i].language);
        if (equalsIgnoreCase(languages_[i].baseName, stored)) {
            language_->setCurrentIndex(static_cast<std::int32_t>(i));
        }
    }
    for (std::size_t i = 0; i < kOptionSwitchCount; ++i) {
        switches_[i]->setChecked(readBoolSetting(settings_, kSwitchRows[i].key));
    }
    quality_->setValue(readIntSetting(settings_, setting_keys::kJpegQuality));
}

void OptionsWindow::accept() {
    const std::int32_t chosen = language_->currentIndex();
    const bool known = chosen >= 0 && static_cast<std::size_t>(chosen) < languages_.size();
    // The file's base name in lower case: German.xml is stored as "german".
    settings_.set(setting_keys::kLanguage,
                  known ? toLower(languages_[static_cast<std::size_t>(chosen)].baseName)
                        : std::string());
    for (std::size_t i = 0; i < kOptionSwitchCount; ++i) {
        settings_.set(kSwitchRows[i].key, switches_[i]->isChecked());
    }
    settings_.set(setting_keys::kJpegQuality, quality_->value());
    if (saveMainWindowState_) {
        saveMainWindowState_();
    }
    accepted_ = true;
    if (!settings_.save()) {
        // The choices stay in effect for this run; only the file could not take them.
        showDialogMessage(this, kWarningIcon, tr("Cannot save the settings."),
                          settings_.filePath());
    }
    close();
}

void runOptionsWindow(UIWindow* owner, SettingsStore& settings,
                      const std::function<void()>& saveMainWindowState) {
    const Application* app = Application::instance();
    const std::vector<std::string> folders =
        app != nullptr ? languageDirs(app->moduleDirectory()) : std::vector<std::string>{};
    OptionsWindow window(owner, settings, listLanguages(folders), saveMainWindowState);
    (void)window.exec();
}

} // namespace scalora
