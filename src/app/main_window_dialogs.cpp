#include "app/main_window_dialogs.h"

#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "app/start_folders.h"
#include "data/settings_store.h"
#include "data/translate.h"
#include "ui/core/ui_window.h"
#include "ui/widgets/ui_file_dialog.h"
#include "ui/widgets/ui_folder_dialog.h"

namespace scalora {
namespace {

std::string startFolder(const SettingsStore& settings, std::string_view key) {
    return dialogStartFolder(readStringSetting(settings, key));
}

std::optional<std::string> runFolderDialog(UIWindow* owner, SettingsStore& settings,
                                           std::string_view key, std::string title,
                                           std::string prompt) {
    UIFolderDialog dialog(owner);
    dialog.setTitle(std::move(title));
    dialog.setPrompt(std::move(prompt));
    dialog.setFolder(startFolder(settings, key));
    dialog.setOptions(UIFolderDialog::kNewFolderButton);
    if (!dialog.run() || dialog.result().empty()) {
        return std::nullopt;
    }
    settings.set(key, dialog.folder());
    return dialog.folder();
}

} // namespace

std::optional<std::vector<std::string>> runAddImagesDialog(UIWindow* owner,
                                                           SettingsStore& settings) {
    UIFileDialog dialog(owner, UIFileDialogKind::Open);
    dialog.setTitle(translate("Select images", "Dialogs"));
    dialog.setFolder(startFolder(settings, setting_keys::kSourceFolder));
    dialog.setMultipleSelection(true);
    dialog.addFilter("Bitmap (*.bmp)", "*.bmp", "bmp");
    dialog.addFilter("JPEG (*.jpg,*.jpeg)", "*.jpg|*.jpeg", "jpg");
    dialog.addFilter("PNG (*.png)", "*.png", "png");
    dialog.addFilter("TIFF (*.tif,*.tiff)", "*.tif|*.tiff", "tif");
    dialog.addFilter(translate("All supported image formats", "Dialogs"),
                     "*.bmp|*.jpg|*.jpeg|*.png|*.tif|*.tiff");
    // The list of every format is the one people want first.
    dialog.setSelectedFilter(dialog.filters().size() - 1);
    if (!dialog.run() || dialog.result().empty()) {
        return std::nullopt;
    }
    settings.set(setting_keys::kSourceFolder, dialog.folder());
    return dialog.result();
}

std::optional<std::string> runAddFolderDialog(UIWindow* owner, SettingsStore& settings) {
    return runFolderDialog(owner, settings, setting_keys::kSourceFolder,
                           translate("Select folder", "Dialogs"),
                           translate("Please select folder with images.", "Dialogs"));
}

std::optional<std::string> runDestinationDialog(UIWindow* owner, SettingsStore& settings) {
    return runFolderDialog(owner, settings, setting_keys::kDestinationFolder,
                           translate("Select the destination folder", "Dialogs"),
                           translate("Please select the destination folder.", "Dialogs"));
}

} // namespace scalora
