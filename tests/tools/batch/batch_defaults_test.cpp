#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "data/settings_store.h"
#include "support/test_support.h"
#include "tools/batch/batch_defaults.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using namespace setting_keys;

// The entries of a settings file as the program writes it.
std::vector<SettingEntry> schemaEntries() {
    std::vector<SettingEntry> entries;
    for (const SettingKeyDefault& item : schemaDefaults()) {
        entries.push_back({item.key, item.defaultValue});
    }
    return entries;
}

void change(std::vector<SettingEntry>& entries, std::string_view key, SettingValue value) {
    for (SettingEntry& entry : entries) {
        if (entry.key == key) {
            entry.value = std::move(value);
        }
    }
}

TEST(BatchDefaults, MissingFileGivesTheSchemaDefaults) {
    test::TempDir dir;
    const std::string path = (dir / "config.dat").string();
    const BatchDefaults defaults = loadBatchDefaults(path);
    EXPECT_FALSE(fs::exists(path)); // never created
    // The built-in values agree with the schema's.
    const auto schemaInt = [](std::string_view key) {
        return std::get<std::int32_t>(findSetting(key)->defaultValue);
    };
    const auto schemaBool = [](std::string_view key) {
        return std::get<bool>(findSetting(key)->defaultValue);
    };
    EXPECT_EQ(resizeModeIndex(defaults.mode), schemaInt(kMode));
    EXPECT_EQ(outputFormatIndex(defaults.format), schemaInt(kFormat));
    EXPECT_EQ(defaults.widthForMode[0], schemaInt(kParam1ForMode0));
    EXPECT_EQ(defaults.heightForMode[0], schemaInt(kParam2ForMode0));
    EXPECT_EQ(defaults.widthForMode[1], schemaInt(kParam1ForMode1));
    EXPECT_EQ(defaults.heightForMode[2], schemaInt(kParam1ForMode2));
    EXPECT_EQ(defaults.widthForMode[3], schemaInt(kParam1ForMode3));
    EXPECT_EQ(defaults.heightForMode[4], schemaInt(kParam2ForMode4));
    EXPECT_EQ(defaults.jpegQuality, schemaInt(kJpegQuality));
    EXPECT_EQ(defaults.copyMetadata, schemaBool(kJpegCopyExif));
    EXPECT_EQ(defaults.doNotEnlarge, schemaBool(kIsDoNotEnlargeImages));
    EXPECT_EQ(defaults.keepDates, schemaBool(kIsSaveOriginalFileDate));
    EXPECT_EQ(defaults.allowRewrite, schemaBool(kIsAllowRewrite));
    EXPECT_EQ(defaults.recursive, schemaBool(kIsUseSubfolders));
    EXPECT_EQ(defaults.destination,
              std::get<std::string>(findSetting(kDestinationFolder)->defaultValue));
    EXPECT_EQ(defaults.language, std::get<std::string>(findSetting(kLanguage)->defaultValue));
}

TEST(BatchDefaults, StoredValuesAreReadWithTheirRangesAndNeverWritten) {
    test::TempDir dir;
    const std::string path = (dir / "config.dat").string();
    std::vector<SettingEntry> entries = schemaEntries();
    change(entries, kMode, SettingValue(std::int32_t{9}));
    change(entries, kParam1ForMode3, SettingValue(std::int32_t{1280}));
    change(entries, kParam2ForMode3, SettingValue(std::int32_t{0}));
    change(entries, kFormat, SettingValue(std::int32_t{2}));
    change(entries, kJpegQuality, SettingValue(std::int32_t{0}));
    change(entries, kIsAllowRewrite, SettingValue(false));
    change(entries, kIsUseSubfolders, SettingValue(false));
    change(entries, kDestinationFolder, SettingValue("/srv/results"));
    change(entries, kLanguage, SettingValue("german"));
    const std::string text = SettingsStore::formatEntries(entries);
    ASSERT_TRUE(test::writeFile(path, text));
    const BatchDefaults defaults = loadBatchDefaults(path);
    EXPECT_EQ(defaults.mode, ResizeMode::DesktopKeepProportions); // out of range: the last mode
    EXPECT_EQ(defaults.widthForMode[3], 1280);
    EXPECT_EQ(defaults.heightForMode[3], 1);
    EXPECT_EQ(defaults.format, OutputFormat::Png);
    EXPECT_EQ(defaults.jpegQuality, 1);
    EXPECT_FALSE(defaults.allowRewrite);
    EXPECT_FALSE(defaults.recursive);
    EXPECT_EQ(defaults.destination, "/srv/results");
    EXPECT_EQ(defaults.language, "german");
    EXPECT_EQ(test::readFile(path), text);

    // A file the program would reset stands for the defaults.
    change(entries, kFormat, SettingValue(std::int32_t{3}));
    entries.pop_back();
    ASSERT_TRUE(test::writeFile(path, SettingsStore::formatEntries(entries)));
    EXPECT_EQ(loadBatchDefaults(path).format, OutputFormat::AsOriginal);
    ASSERT_TRUE(test::writeFile(path, "<groups><group"));
    EXPECT_EQ(loadBatchDefaults(path).format, OutputFormat::AsOriginal);
}

} // namespace
} // namespace scalora
