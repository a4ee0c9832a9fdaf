// The program's options: an ordered list of typed key/value entries ("group/name" keys)
// persisted as XML in <config folder>/<sub-folder>/config.dat. Values read from the file are
// strings until a typed reader converts them. Every save replaces the file atomically.
//
// File form: <groups> <group name="general"> <item name="language" value="english" />
// ... </group> ... </groups>
#pragma once

#include "data/setting_value.h"

#include <string>
#include <string_view>
#include <vector>

namespace scalora {

enum class SettingsLocation {
    UserAppData = 0,   // $XDG_CONFIG_HOME, else ~/.config
    CommonAppData = 1, // the first folder of $XDG_CONFIG_DIRS, else /etc/xdg
};

struct SettingKeyDefault {
    std::string key;
    SettingValue defaultValue;
};

struct SettingEntry {
    std::string key;
    SettingValue value;
};

class SettingsStore {
public:
    static constexpr std::string_view kDefaultFileName = "config.dat";

    // Loads at once from the location's folder (see load()).
    SettingsStore(std::string fileName, std::string subFolder,
                  SettingsLocation location = SettingsLocation::UserAppData);
    // The same with an explicit base folder in place of the location's folder.
    SettingsStore(std::string fileName, std::string subFolder, std::string baseFolder);
    // A store of the given entries that belongs to no file: it is never loaded or saved, for
    // a tool that only reads the program's settings.
    explicit SettingsStore(std::vector<SettingEntry> entries);
    // Saves, as the program expects its settings written at exit.
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Clears and reads the file. A missing file is created empty, with its folder chain; a
    // file that does not parse leaves the store empty. False when nothing could be read or
    // created.
    [[nodiscard]] bool load();
    // Keeps the store when it holds exactly the definitions' keys; otherwise replaces every
    // entry by the defaults, in definition order, and saves at once. True when it reset.
    bool ensureKeys(const std::vector<SettingKeyDefault>& definitions);
    [[nodiscard]] bool save() const;

    // The value of the first entry with the key, or defaultValue.
    SettingValue get(std::string_view key, const SettingValue& defaultValue = {}) const;
    bool getBool(std::string_view key, bool defaultValue) const;
    std::int32_t getInt(std::string_view key, std::int32_t defaultValue) const;
    std::string getString(std::string_view key, std::string_view defaultValue = {}) const;
    // Changes the first entry with the key; a key without an entry is ignored. Does not save.
    void set(std::string_view key, const SettingValue& value);
    bool contains(std::string_view key) const;
    std::size_t count() const { return entries_.size(); }
    const std::vector<SettingEntry>& entries() const { return entries_; }

    // A group prefix put before every key passed in ("prefix/key"); empty by default.
    void setKeyPrefix(std::string prefix) { keyPrefix_ = std::move(prefix); }
    // The settings file, empty when there is no base folder.
    const std::string& filePath() const { return filePath_; }
    const std::string& folderPath() const { return folderPath_; }

    // The two XML forms, for tests and tools.
    [[nodiscard]] static bool parseEntries(std::string_view xmlText,
                                           std::vector<SettingEntry>& entries);
    static std::string formatEntries(const std::vector<SettingEntry>& entries);

private:
    std::string fullKey(std::string_view key) const;
    const SettingEntry* findEntry(std::string_view fullKey) const;

    std::string fileName_;
    std::string subFolder_;
    std::string folderPath_;
    std::string filePath_;
    std::vector<SettingEntry> entries_;
    std::string keyPrefix_;
};

// The folder a location stands for; empty when it cannot be determined.
std::string settingsBaseFolder(SettingsLocation location);

} // namespace scalora
