#include "app/settings_schema.h"

#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace scalora {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(SettingsSchema, HoldsTheTwentySixKeysInOrderWithTheirDefaults) {
    const auto& schema = settingsSchema();
    ASSERT_EQ(schema.size(), 26u);
    EXPECT_EQ(schema.front().key, "general/language");
    EXPECT_EQ(std::get<std::string>(schema.front().defaultValue), "english");
    EXPECT_EQ(schema[7].key, "general/jpegQuality");
    EXPECT_EQ(schema[10].key, "export/mode");
    EXPECT_EQ(schema[19].key, "export/format");
    EXPECT_EQ(schema[20].key, "export/sourceFolder");
    EXPECT_EQ(schema.back().key, "windows/windowMainHeight");

    std::set<std::string_view> keys;
    for (const SettingDefinition& d : schema) {
        EXPECT_TRUE(keys.insert(d.key).second) << "duplicate " << d.key;
        // The default is of the declared kind.
        switch (d.kind) {
        case SettingKind::Bool:
            EXPECT_TRUE(std::holds_alternative<bool>(d.defaultValue)) << d.key;
            break;
        case SettingKind::Int:
            EXPECT_TRUE(std::holds_alternative<std::int32_t>(d.defaultValue)) << d.key;
            // Defaults read back as themselves.
            EXPECT_EQ(clampIntSetting(d.key, std::get<std::int32_t>(d.defaultValue), {200, 300}),
                      std::get<std::int32_t>(d.defaultValue))
                << d.key;
            break;
        case SettingKind::String:
            EXPECT_TRUE(std::holds_alternative<std::string>(d.defaultValue)) << d.key;
            break;
        }
    }

    // A fresh installation: mode "Width & Height" with 100 x 100, format "As original", no
    // destination, a 400 x 500 main window centred (-1, -1).
    auto intDefault = [](std::string_view key) {
        return std::get<std::int32_t>(findSetting(key)->defaultValue);
    };
    EXPECT_EQ(intDefault(setting_keys::kMode), 0);
    EXPECT_EQ(intDefault(setting_keys::kParam1ForMode0), 100);
    EXPECT_EQ(intDefault(setting_keys::kParam2ForMode0), 100);
    EXPECT_EQ(intDefault(setting_keys::kFormat), 0);
    EXPECT_EQ(std::get<std::string>(findSetting(setting_keys::kDestinationFolder)->defaultValue),
              "");
    EXPECT_EQ(intDefault(setting_keys::kWindowMainLeft), -1);
    EXPECT_EQ(intDefault(setting_keys::kWindowMainTop), -1);
    EXPECT_EQ(intDefault(setting_keys::kWindowMainWidth), 400);
    EXPECT_EQ(intDefault(setting_keys::kWindowMainHeight), 500);
    EXPECT_FALSE(std::get<bool>(findSetting(setting_keys::kIsDoNotEnlargeImages)->defaultValue));
    EXPECT_FALSE(std::get<bool>(findSetting(setting_keys::kIsShowFullName)->defaultValue));
    EXPECT_TRUE(std::get<bool>(findSetting(setting_keys::kBeepWhenResizeFinish)->defaultValue));

    EXPECT_EQ(findSetting("export/Mode"), nullptr); // exact, case-sensitive keys
    EXPECT_EQ(findSetting(""), nullptr);
}

TEST(SettingsSchema, ReadersClampIntoTheTableRanges) {
    using namespace setting_keys;
    EXPECT_EQ(clampIntSetting(kMode, 9), 6);
    EXPECT_EQ(clampIntSetting(kMode, -3), 0);
    EXPECT_EQ(clampIntSetting(kMode, 6), 6);
    EXPECT_EQ(clampIntSetting(kFormat, 7), 4);
    EXPECT_EQ(clampIntSetting(kFormat, kMin), 0);
    EXPECT_EQ(clampIntSetting(kJpegQuality, 0), 1);
    EXPECT_EQ(clampIntSetting(kJpegQuality, 101), 100);
    EXPECT_EQ(clampIntSetting(kJpegQuality, 55), 55);
    EXPECT_EQ(clampIntSetting(kParam1ForMode1, 0), 1);
    for (std::string_view key :
         {kParam1ForMode0, kParam2ForMode0, kParam1ForMode1, kParam1ForMode2, kParam1ForMode3,
          kParam2ForMode3, kParam1ForMode4, kParam2ForMode4}) {
        EXPECT_EQ(clampIntSetting(key, -5), 1) << key;
        EXPECT_EQ(clampIntSetting(key, 10001), 10000) << key;
        EXPECT_EQ(clampIntSetting(key, kMax), 10000) << key;
        EXPECT_EQ(clampIntSetting(key, 1234), 1234) << key;
    }
    // Window sizes: at least the window's minimum, no upper bound; position is free.
    EXPECT_EQ(clampIntSetting(kWindowMainWidth, 100, {320, 240}), 320);
    EXPECT_EQ(clampIntSetting(kWindowMainHeight, 100, {320, 240}), 240);
    EXPECT_EQ(clampIntSetting(kWindowMainWidth, 5000, {320, 240}), 5000);
    EXPECT_EQ(clampIntSetting(kWindowMainLeft, -20000), -20000);
    EXPECT_EQ(clampIntSetting(kWindowMainTop, kMax), kMax);
    // Keys outside the schema are left alone.
    EXPECT_EQ(clampIntSetting("export/unknown", -7), -7);
}

TEST(SettingsSchema, AStoredKeySetMustMatchExactly) {
    std::vector<std::string> keys;
    for (const SettingDefinition& d : settingsSchema()) {
        keys.emplace_back(d.key);
    }
    std::vector<std::string> reversed(keys.rbegin(), keys.rend());
    EXPECT_TRUE(keySetMatchesSchema(keys));
    EXPECT_TRUE(keySetMatchesSchema(reversed)); // order does not matter

    std::vector<std::string> missing(keys.begin(), keys.end() - 1);
    EXPECT_FALSE(keySetMatchesSchema(missing));
    std::vector<std::string> extra = keys;
    extra.emplace_back("general/somethingNew");
    EXPECT_FALSE(keySetMatchesSchema(extra));
    // Same count, but one key replaced by another (or by a duplicate, or by another case).
    std::vector<std::string> swapped = keys;
    swapped[3] = "general/somethingNew";
    EXPECT_FALSE(keySetMatchesSchema(swapped));
    std::vector<std::string> duplicated = keys;
    duplicated[3] = duplicated[4];
    EXPECT_FALSE(keySetMatchesSchema(duplicated));
    std::vector<std::string> recased = keys;
    recased[0] = "General/language";
    EXPECT_FALSE(keySetMatchesSchema(recased));
    EXPECT_FALSE(keySetMatchesSchema({}));
}

TEST(SettingsSchema, GeometryAndModeParameterKeys) {
    EXPECT_EQ(windowGeometryKey("Main", "Left"), setting_keys::kWindowMainLeft);
    EXPECT_EQ(windowGeometryKey("Main", "Height"), setting_keys::kWindowMainHeight);
    EXPECT_EQ(windowGeometryKey("", "Top"), "windows/windowTop");

    EXPECT_EQ(modeParameterKeys(ResizeMode::WidthHeight).width, setting_keys::kParam1ForMode0);
    EXPECT_EQ(modeParameterKeys(ResizeMode::WidthHeight).height, setting_keys::kParam2ForMode0);
    EXPECT_EQ(modeParameterKeys(ResizeMode::Width).width, setting_keys::kParam1ForMode1);
    EXPECT_TRUE(modeParameterKeys(ResizeMode::Width).height.empty());
    EXPECT_TRUE(modeParameterKeys(ResizeMode::Height).width.empty());
    EXPECT_EQ(modeParameterKeys(ResizeMode::Height).height, setting_keys::kParam1ForMode2);
    EXPECT_EQ(modeParameterKeys(ResizeMode::Percentage).height, setting_keys::kParam2ForMode4);
    for (std::int32_t mode : {5, 6, -1, 7}) {
        EXPECT_TRUE(modeParameterKeys(static_cast<ResizeMode>(mode)).width.empty()) << mode;
        EXPECT_TRUE(modeParameterKeys(static_cast<ResizeMode>(mode)).height.empty()) << mode;
    }
}

} // namespace
} // namespace scalora
