#include "tools/batch/batch_defaults.h"

#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "data/resource_locator.h"
#include "data/settings_store.h"
#include "data/translation.h"
#include "platform/module_path.h"
#include "platform/user_folders.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace scalora {
namespace {

using namespace setting_keys;

// The product folder inside the user's configuration folder.
constexpr std::string_view kProductName = "Halvorn Scalora";

// The stored value of a key after the schema's range, or its default when the file lacks it.
class StoredSettings {
public:
    explicit StoredSettings(std::vector<SettingEntry> entries) : entries_(std::move(entries)) {}

    const SettingValue* find(std::string_view key) const {
        for (const SettingEntry& entry : entries_) {
            if (entry.key == key) {
                return &entry.value;
            }
        }
        return nullptr;
    }
    bool getBool(std::string_view key, bool fallback) const {
        const SettingValue* value = find(key);
        return value != nullptr ? value->toBool() : fallback;
    }
    std::int32_t getInt(std::string_view key, std::int32_t fallback) const {
        const SettingValue* value = find(key);
        return clampIntSetting(key, value != nullptr ? value->toInt() : fallback);
    }
    std::string getString(std::string_view key, std::string fallback) const {
        const SettingValue* value = find(key);
        return value != nullptr ? value->toString() : fallback;
    }

private:
    std::vector<SettingEntry> entries_;
};

// The program resets a settings file whose key set is not exactly the schema's; such a file
// stands for the defaults here too.
bool hasSchemaKeys(const std::vector<SettingEntry>& entries) {
    std::set<std::string, std::less<>> stored;
    for (const SettingEntry& entry : entries) {
        stored.insert(entry.key);
    }
    std::set<std::string, std::less<>> expected;
    for (const SettingDefinition& definition : settingsSchema()) {
        expected.insert(std::string(definition.key));
    }
    return stored == expected && stored.size() == entries.size();
}

} // namespace

std::string userSettingsPath() {
    const std::string folder = applicationDataDirectory(kProductName);
    if (folder.empty()) {
        return {};
    }
    return folder + "/" + std::string(SettingsStore::kDefaultFileName);
}

BatchDefaults loadBatchDefaults(const std::string& settingsPath) {
    BatchDefaults defaults;
    if (settingsPath.empty()) {
        return defaults;
    }
    // Read with a plain stream: the settings store would create a missing file and save on
    // destruction, and this tool never writes the program's settings.
    std::ifstream file(settingsPath, std::ios::binary);
    if (!file) {
        return defaults;
    }
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    std::vector<SettingEntry> entries;
    if (!SettingsStore::parseEntries(text, entries) || !hasSchemaKeys(entries)) {
        return defaults;
    }
    const StoredSettings stored(std::move(entries));
    defaults.mode = resizeModeFromIndex(stored.getInt(kMode, resizeModeIndex(defaults.mode)));
    defaults.format =
        outputFormatFromIndex(stored.getInt(kFormat, outputFormatIndex(defaults.format)));
    defaults.widthForMode[0] = stored.getInt(kParam1ForMode0, defaults.widthForMode[0]);
    defaults.heightForMode[0] = stored.getInt(kParam2ForMode0, defaults.heightForMode[0]);
    defaults.widthForMode[1] = stored.getInt(kParam1ForMode1, defaults.widthForMode[1]);
    defaults.heightForMode[2] = stored.getInt(kParam1ForMode2, defaults.heightForMode[2]);
    defaults.widthForMode[3] = stored.getInt(kParam1ForMode3, defaults.widthForMode[3]);
    defaults.heightForMode[3] = stored.getInt(kParam2ForMode3, defaults.heightForMode[3]);
    defaults.widthForMode[4] = stored.getInt(kParam1ForMode4, defaults.widthForMode[4]);
    defaults.heightForMode[4] = stored.getInt(kParam2ForMode4, defaults.heightForMode[4]);
    defaults.destination = stored.getString(kDestinationFolder, defaults.destination);
    defaults.jpegQuality = stored.getInt(kJpegQuality, defaults.jpegQuality);
    defaults.copyMetadata = stored.getBool(kJpegCopyExif, defaults.copyMetadata);
    defaults.doNotEnlarge = stored.getBool(kIsDoNotEnlargeImages, defaults.doNotEnlarge);
    defaults.keepDates = stored.getBool(kIsSaveOriginalFileDate, defaults.keepDates);
    defaults.allowRewrite = stored.getBool(kIsAllowRewrite, defaults.allowRewrite);
    defaults.recursive = stored.getBool(kIsUseSubfolders, defaults.recursive);
    defaults.language = stored.getString(kLanguage, defaults.language);
    return defaults;
}

bool useLanguage(const std::string& language) {
    return setLanguage(languageDirs(moduleDirectory()), language);
}

} // namespace scalora
