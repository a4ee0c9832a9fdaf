#include "tools/batch/batch_defaults.h"

#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "base/product.h"
#include "data/resource_locator.h"
#include "data/settings_store.h"
#include "data/translation.h"
#include "platform/module_path.h"
#include "platform/user_folders.h"

#include <memory>

namespace scalora {
namespace {

using namespace setting_keys;

} // namespace

std::string userSettingsPath() {
    const std::string folder = applicationDataDirectory(kProductName);
    if (folder.empty()) {
        return {};
    }
    return folder + "/" + std::string(SettingsStore::kDefaultFileName);
}

BatchDefaults commandLineDefaults() {
    BatchDefaults defaults;
    // 100 % of each side: a run that names no size converts or copies at the original size.
    defaults.mode = ResizeMode::Percentage;
    defaults.jpegQuality = 90;
    defaults.copyMetadata = true;
    defaults.doNotEnlarge = true;
    defaults.keepDates = true;
    defaults.allowRewrite = false;
    defaults.recursive = false;
    return defaults;
}

BatchDefaults loadBatchDefaults(const std::string& settingsPath) {
    // Read as the program reads it, but never created or written: this tool only borrows the
    // program's settings.
    const std::unique_ptr<SettingsStore> stored = readSettingsFile(settingsPath);
    BatchDefaults defaults;
    defaults.mode = readResizeModeSetting(*stored);
    defaults.format = readOutputFormatSetting(*stored);
    for (std::int32_t index = 0; index < kResizeModeCount; ++index) {
        const ModeParameterKeys keys = modeParameterKeys(resizeModeFromIndex(index));
        const auto mode = static_cast<std::size_t>(index);
        if (!keys.width.empty()) {
            defaults.widthForMode[mode] = readIntSetting(*stored, keys.width);
        }
        if (!keys.height.empty()) {
            defaults.heightForMode[mode] = readIntSetting(*stored, keys.height);
        }
    }
    defaults.destination = readStringSetting(*stored, kDestinationFolder);
    defaults.jpegQuality = readIntSetting(*stored, kJpegQuality);
    defaults.copyMetadata = readBoolSetting(*stored, kJpegCopyExif);
    defaults.doNotEnlarge = readBoolSetting(*stored, kIsDoNotEnlargeImages);
    defaults.keepDates = readBoolSetting(*stored, kIsSaveOriginalFileDate);
    defaults.allowRewrite = readBoolSetting(*stored, kIsAllowRewrite);
    defaults.recursive = readBoolSetting(*stored, kIsUseSubfolders);
    defaults.language = readStringSetting(*stored, kLanguage);
    return defaults;
}

bool useLanguage(const std::string& language) {
    return setLanguage(languageDirs(moduleDirectory()), language);
}

} // namespace scalora
