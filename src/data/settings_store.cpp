#include "data/settings_store.h"

#include "base/paths.h"
#include "base/strings.h"
#include "data/text_file.h"
#include "data/xml_document.h"
#include "data/xml_writer.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/user_folders.h"

#include <cstdlib>

namespace scalora {

std::string settingsBaseFolder(SettingsLocation location) {
    if (location == SettingsLocation::UserAppData) {
        return userConfigDirectory();
    }
    // The XDG system configuration folders, first one wins.
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    if (dirs != nullptr) {
        const std::string first = split(dirs, ":").front();
        if (isAbsolutePath(first)) {
            return withoutTrailingSeparator(first);
        }
    }
    return "/etc/xdg";
}

SettingsStore::SettingsStore(std::string fileName, std::string subFolder, SettingsLocation location)
    : SettingsStore(std::move(fileName), std::move(subFolder), settingsBaseFolder(location)) {}

SettingsStore::SettingsStore(std::string fileName, std::string subFolder, std::string baseFolder)
    : fileName_(std::move(fileName)), subFolder_(std::move(subFolder)) {
    // Without a base folder there is nowhere to keep the file: the path stays empty and
    // loading and saving fail, so the program runs on its defaults.
    if (!baseFolder.empty() && !fileName_.empty()) {
        folderPath_ = withoutTrailingSeparator(joinPath(baseFolder, subFolder_));
        filePath_ = joinPath(folderPath_, fileName_);
    }
    // A file that cannot be read leaves no entries, which the schema then fills with defaults.
    static_cast<void>(load());
}

SettingsStore::SettingsStore(std::vector<SettingEntry> entries) : entries_(std::move(entries)) {}

SettingsStore::~SettingsStore() {
    // Callers that must know whether their values reached the disk call save() themselves; here
    // there is no one left to tell.
    static_cast<void>(save());
}

bool SettingsStore::load() {
    entries_.clear();
    if (filePath_.empty()) {
        return false;
    }
    // A save killed between naming its finished file and renaming it over this one leaves that
    // temporary behind; nothing else would ever remove it.
    static_cast<void>(removeStaleTemporaries(folderPath_));
    if (fileExists(filePath_)) {
        const std::optional<std::string> text =
            readTextFile(filePath_, TextEncoding::Utf8, kMaxSettingsFileBytes);
        return text && parseEntries(*text, entries_);
    }
    if (!createDirectories(folderPath_)) {
        return false;
    }
    return writeFileAtomically(filePath_, "") && isRegularFile(filePath_);
}

bool SettingsStore::ensureKeys(const std::vector<SettingKeyDefault>& definitions) {
    bool matches = entries_.size() == definitions.size();
    for (std::size_t i = 0; matches && i < definitions.size(); ++i) {
        matches = findEntry(definitions[i].key) != nullptr;
    }
    if (matches) {
        return false;
    }
    entries_.clear();
    for (const SettingKeyDefault& definition : definitions) {
        entries_.push_back({definition.key, definition.defaultValue});
    }
    // The reset values are in memory either way; a failed write is tried again on the next save.
    static_cast<void>(save());
    return true;
}

bool SettingsStore::save() const {
    if (filePath_.empty() || !createDirectories(folderPath_)) {
        return false;
    }
    return writeFileAtomically(filePath_, formatEntries(entries_));
}

std::string SettingsStore::fullKey(std::string_view key) const {
    if (keyPrefix_.empty()) {
        return std::string(key);
    }
    return keyPrefix_ + "/" + std::string(key);
}

const SettingEntry* SettingsStore::findEntry(std::string_view key) const {
    for (const SettingEntry& entry : entries_) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

SettingValue SettingsStore::get(std::string_view key, const SettingValue& defaultValue) const {
    const SettingEntry* entry = findEntry(fullKey(key));
    return entry != nullptr ? entry->value : defaultValue;
}

bool SettingsStore::getBool(std::string_view key, bool defaultValue) const {
    return get(key, defaultValue).toBool();
}

std::int32_t SettingsStore::getInt(std::string_view key, std::int32_t defaultValue) const {
    return get(key, defaultValue).toInt();
}

std::string SettingsStore::getString(std::string_view key, std::string_view defaultValue) const {
    return get(key, defaultValue).toString();
}

void SettingsStore::set(std::string_view key, const SettingValue& value) {
    const std::string full = fullKey(key);
    for (SettingEntry& entry : entries_) {
        if (entry.key == full) {
            entry.value = value;
            return;
        }
    }
}

bool SettingsStore::contains(std::string_view key) const {
    return findEntry(fullKey(key)) != nullptr;
}

bool SettingsStore::parseEntries(std::string_view xmlText, std::vector<SettingEntry>& entries) {
    entries.clear();
    XmlDocument doc;
    if (!doc.loadFromString(xmlText)) {
        return false;
    }
    const XmlElement* groups = doc.root().findChild("groups");
    if (groups == nullptr) {
        return true;
    }
    for (const auto& group : groups->children()) {
        if (group->name() != "group") {
            continue;
        }
        const std::string& groupName = group->attributeValue("name");
        for (const auto& item : group->children()) {
            if (item->name() == "item") {
                entries.push_back({groupName + "/" + item->attributeValue("name"),
                                   SettingValue(item->attributeValue("value"))});
            }
        }
    }
    return true;
}

std::string SettingsStore::formatEntries(const std::vector<SettingEntry>& entries) {
    XmlDocument doc;
    XmlElement& groups = doc.root().addChild("groups");
    XmlElement* group = nullptr;
    for (const SettingEntry& entry : entries) {
        const std::size_t slash = entry.key.rfind('/');
        const std::string groupName =
            slash == std::string::npos ? std::string() : entry.key.substr(0, slash);
        const std::string itemName =
            slash == std::string::npos ? entry.key : entry.key.substr(slash + 1);
        // A group that comes back after another gets an element of its own again.
        if (group == nullptr || group->attributeValue("name") != groupName) {
            group = &groups.addChild("group");
            group->addAttribute("name", groupName);
        }
        XmlElement& item = group->addChild("item");
        item.addAttribute("name", itemName);
        item.addAttribute("value", entry.value.toString());
    }
    return XmlWriter::toBytes(doc);
}

} // namespace scalora
