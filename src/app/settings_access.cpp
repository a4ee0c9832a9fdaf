#include "app/settings_access.h"

#include "app/settings_schema.h"
#include "base/strings.h"
#include "data/text_file.h"

#include <cctype>
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

// A stored text is taken as a number when it starts like one (digits after an optional sign),
// as the readers always read it; "abc" or "" is no number and the default stands, so a damaged
// file cannot turn the JPEG quality into 1.
bool looksNumeric(const SettingValue& value) {
    if (value.type() != SettingType::String) {
        return value.type() != SettingType::Empty;
    }
    const std::string text = trim(value.toString());
    const std::size_t digit = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    return digit < text.size() && std::isdigit(static_cast<unsigned char>(text[digit])) != 0;
}

// A stored truth value: "0" / "1" as written, or the words people type.
bool looksBoolean(const SettingValue& value) {
    if (value.type() != SettingType::String) {
        return value.type() != SettingType::Empty;
    }
    const std::string word = toLower(trim(value.toString()));
    return looksNumeric(value) || word == "true" || word == "false";
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
    const SettingValue value = store.get(key, defaultOf(key));
    return (looksBoolean(value) ? value : defaultOf(key)).toBool();
}

std::int32_t readIntSetting(const SettingsStore& store, std::string_view key, Size windowMinimum) {
    const SettingValue value = store.get(key, defaultOf(key));
    return clampIntSetting(key, (looksNumeric(value) ? value : defaultOf(key)).toInt(),
                           windowMinimum);
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
