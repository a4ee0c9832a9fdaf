#include "app/settings_schema.h"

#include "engine/output_format.h"
#include "imaging/image_encoder.h"

#include <algorithm>

namespace scalora {
namespace {

using namespace setting_keys;

SettingDefinition boolSetting(std::string_view key, bool value) {
    return {key, SettingKind::Bool, value, SettingRange::None, 0, 0};
}
SettingDefinition stringSetting(std::string_view key, std::string value) {
    return {key, SettingKind::String, std::move(value), SettingRange::None, 0, 0};
}
SettingDefinition intSetting(std::string_view key, std::int32_t value,
                             SettingRange range = SettingRange::None, std::int32_t minimum = 0,
                             std::int32_t maximum = 0) {
    return {key, SettingKind::Int, value, range, minimum, maximum};
}
SettingDefinition modeParam(std::string_view key) {
    return intSetting(key, 100, SettingRange::Fixed, kMinSizeValue, kMaxSizeValue);
}

std::vector<SettingDefinition> buildSchema() {
    return {
        stringSetting(kLanguage, "english"),
        boolSetting(kBeepWhenResizeFinish, true),
        boolSetting(kIsUseSubfolders, true),
        boolSetting(kIsAllowRewrite, true),
        boolSetting(kIsSaveOriginalFileDate, true),
        boolSetting(kIsDoNotEnlargeImages, false),
        boolSetting(kJpegCopyExif, true),
        intSetting(kJpegQuality, 100, SettingRange::Fixed, kMinJpegQuality, kMaxJpegQuality),
        boolSetting(kIsShowPreview, true),
        boolSetting(kIsShowFullName, false),
        intSetting(kMode, 0, SettingRange::Fixed, 0, kResizeModeCount - 1),
        modeParam(kParam1ForMode0),
        modeParam(kParam2ForMode0),
        modeParam(kParam1ForMode1),
        modeParam(kParam1ForMode2),
        modeParam(kParam1ForMode3),
        modeParam(kParam2ForMode3),
        modeParam(kParam1ForMode4),
        modeParam(kParam2ForMode4),
        intSetting(kFormat, 0, SettingRange::Fixed, 0, kOutputFormatCount - 1),
        stringSetting(kSourceFolder, ""),
        stringSetting(kDestinationFolder, ""),
        intSetting(kWindowMainLeft, -1),
        intSetting(kWindowMainTop, -1),
        intSetting(kWindowMainWidth, 400, SettingRange::AtLeastWindowMinWidth),
        intSetting(kWindowMainHeight, 500, SettingRange::AtLeastWindowMinHeight),
    };
}

} // namespace

const std::vector<SettingDefinition>& settingsSchema() {
    static const std::vector<SettingDefinition> schema = buildSchema();
    return schema;
}

const SettingDefinition* findSetting(std::string_view key) {
    const auto& schema = settingsSchema();
    const auto found = std::find_if(schema.begin(), schema.end(),
                                    [key](const SettingDefinition& d) { return d.key == key; });
    return found != schema.end() ? &*found : nullptr;
}

bool keySetMatchesSchema(std::span<const std::string> storedKeys) {
    const auto& schema = settingsSchema();
    if (storedKeys.size() != schema.size()) {
        return false;
    }
    return std::all_of(schema.begin(), schema.end(), [&](const SettingDefinition& d) {
        return std::find(storedKeys.begin(), storedKeys.end(), d.key) != storedKeys.end();
    });
}

std::int32_t clampIntSetting(std::string_view key, std::int32_t value, Size windowMinimum) {
    const SettingDefinition* definition = findSetting(key);
    if (definition == nullptr) {
        return value;
    }
    switch (definition->range) {
    case SettingRange::None:
        return value;
    case SettingRange::Fixed:
        return std::clamp(value, definition->minimum, definition->maximum);
    case SettingRange::AtLeastWindowMinWidth:
        return std::max(value, windowMinimum.width);
    case SettingRange::AtLeastWindowMinHeight:
        return std::max(value, windowMinimum.height);
    }
    return value;
}

std::string windowGeometryKey(std::string_view prefix, std::string_view field) {
    std::string key = "windows/window";
    key += prefix;
    key += field;
    return key;
}

ModeParameterKeys modeParameterKeys(ResizeMode mode) {
    switch (mode) {
    case ResizeMode::WidthHeight:
        return {kParam1ForMode0, kParam2ForMode0};
    case ResizeMode::Width:
        return {kParam1ForMode1, {}};
    case ResizeMode::Height:
        return {{}, kParam1ForMode2};
    case ResizeMode::Fit:
        return {kParam1ForMode3, kParam2ForMode3};
    case ResizeMode::Percentage:
        return {kParam1ForMode4, kParam2ForMode4};
    case ResizeMode::Desktop:
    case ResizeMode::DesktopKeepProportions:
        break;
    }
    return {};
}

} // namespace scalora
