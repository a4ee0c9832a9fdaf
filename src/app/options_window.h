// The Options window: the language and the general processing switches of the settings store.
// OK stores every control, has the main window store its own state and writes the settings
// file; Cancel, Escape or the frame's close button store nothing.
#pragma once

#include "app/dialog_window.h"
#include "data/translation.h"

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace scalora {

class LayoutReport;
class SettingsStore;
class UIButton;
class UICheckBox;
class UIComboBox;
class UISpinBox;

// The check boxes, top to bottom.
enum class OptionSwitch : std::int32_t {
    UseSubfolders = 0,
    DoNotEnlarge = 1,
    KeepFileDate = 2,
    AllowRewrite = 3,
    SoundAtEnd = 4,
    JpegCopyMetadata = 5,
};
inline constexpr std::size_t kOptionSwitchCount = 6;

class OptionsWindow : public DialogWindow {
public:
    // languages: the installed language files, in the order the list shows them.
    OptionsWindow(UIWindow* owner, SettingsStore& settings, std::vector<LanguageInfo> languages,
                  std::function<void()> saveMainWindowState);
    ~OptionsWindow() override;

    UIComboBox& languageBox() const { return *language_; }
    UICheckBox& switchBox(OptionSwitch which) const {
        return *switches_[static_cast<std::size_t>(which)];
    }
    UISpinBox& qualityBox() const { return *quality_; }
    UIButton& okButton() const { return *ok_; }
    UIButton& cancelButton() const { return *cancel_; }
    // Whether OK closed the window.
    bool accepted() const { return accepted_; }

private:
    void fill();
    void accept();

    SettingsStore& settings_;
    std::vector<LanguageInfo> languages_;
    std::function<void()> saveMainWindowState_;
    UIComboBox* language_ = nullptr;
    std::array<UICheckBox*, kOptionSwitchCount> switches_{};
    UISpinBox* quality_ = nullptr;
    UIButton* ok_ = nullptr;
    UIButton* cancel_ = nullptr;
    bool accepted_ = false;
    std::unique_ptr<LayoutReport> layoutReport_;
};

// Builds the window from the current settings and the installed languages, runs it modally
// over owner and destroys it. The caller compares general/language before and after.
void runOptionsWindow(UIWindow* owner, SettingsStore& settings,
                      const std::function<void()>& saveMainWindowState);

} // namespace scalora
