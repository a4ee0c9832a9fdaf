#include "app/settings_access.h"

#include "app/settings_schema.h"
#include "data/text_file.h"

#include <variant>

namespace scalora {
namespace {

SettingValue defaultOf(std::string_view key) {
    const SettingDefinition* definition = findSetting(key);
    if (definition == nullptr) {
        return {};
    }
    return std::visit([](const auto& value) { return SettingValue(value); },
                      definition->defaultValue);
}

std::unique_ptr<SettingsStore> reconciled(std::unique_ptr<SettingsStore> store) {
    store->ensureKeys(schemaDefaults());
    return store;
}

} // namespace

std::vector<SettingKeyDefault> schemaDefaults() {
    std::vector<SettingKeyDefault> defaults;
    for (const SettingDefinition& definition : settingsSchema()) {
        defaults.push_back({std::string(definition.key), defaultOf(definition.key)});
    }
    return defaults;
}

std::unique_ptr<SettingsStore> openSettingsStore(std::string_view productName) {
    return reconciled(std::make_unique<SettingsStore>(std::string(SettingsStore::kDefaultFileName),
                                                      std::string(productName)));
}

std::unique_ptr<SettingsStore> openSettingsStore(std::string_view productName,
                                                 std::string baseFolder) {
    return reconciled(std::make_unique<SettingsStore>(std::string(SettingsStore::kDefaultFileName),
                                                      std::string(productName),
                                                      std::move(baseFolder)));
}

std::unique_ptr<SettingsStore> readSettingsFile(const std::string& path) {
    std::vector<SettingEntry> entries;
    const std::optional<std::string> text =
        path.empty() ? std::nullopt : readTextFile(path, TextEncoding::Utf8, kMaxSettingsFileBytes);
    std::vector<std::string> keys;
    if (text && SettingsStore::parseEntries(*text, entries)) {
        for (const SettingEntry& entry : entries) {
            keys.push_back(entry.key);
        }
    }
    if (!keySetMatchesSchema(keys)) {
        entries.clear();
        for (SettingKeyDefault& definition : schemaDefaults()) {
            entries.push_back({std::move(definition.key), std::move(definition.defaultValue)});
        }
    }
    return std::make_unique<SettingsStore>(std::move(entries));
}

bool readBoolSetting(const SettingsStore& store, std::string_view key) {
    return store.get(key, defaultOf(key)).toBool();
}

std::int32_t readIntSetting(const SettingsStore& store, std::string_view key, Size windowMinimum) {
    return clampIntSetting(key, store.get(key, defaultOf(key)).toInt(), windowMinimum);
}

std::string readStringSetting(const SettingsStore& store, std::string_view key) {
    return store.get(key, defaultOf(key)).toString();
}

ResizeMode readResizeModeSetting(const SettingsStore& store) {
    return resizeModeFromIndex(readIntSetting(store, setting_keys::kMode));
}

OutputFormat readOutputFormatSetting(const SettingsStore& store) {
    return outputFormatFromIndex(readIntSetting(store, setting_keys::kFormat));
}

} // namespace scalora
