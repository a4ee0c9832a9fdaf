#include "app/mode_parameters.h"

#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "data/settings_store.h"

#include <algorithm>

namespace scalora {
namespace {

std::int32_t storedValue(const SettingsStore& settings, std::string_view key) {
    return std::clamp(readIntSetting(settings, key), kMinSizeValue, kMaxSizeValue);
}

} // namespace

ModeFields modeFields(const SettingsStore& settings, ResizeMode mode, Size desktop) {
    ModeFields fields;
    if (mode == ResizeMode::Desktop || mode == ResizeMode::DesktopKeepProportions) {
        fields.width = std::clamp(desktop.width, kMinSizeValue, kMaxSizeValue);
        fields.height = std::clamp(desktop.height, kMinSizeValue, kMaxSizeValue);
        fields.readOnly = true;
        return fields;
    }
    const ModeParameterKeys keys = modeParameterKeys(mode);
    fields.widthVisible = !keys.width.empty();
    fields.heightVisible = !keys.height.empty();
    if (fields.widthVisible) {
        fields.width = storedValue(settings, keys.width);
    }
    if (fields.heightVisible) {
        fields.height = storedValue(settings, keys.height);
    }
    fields.percentage = mode == ResizeMode::Percentage;
    return fields;
}

void storeModeFields(SettingsStore& settings, std::optional<ResizeMode> leaving, std::int32_t width,
                     std::int32_t height) {
    if (!leaving) {
        return;
    }
    const ModeParameterKeys keys = modeParameterKeys(*leaving);
    if (!keys.width.empty()) {
        settings.set(keys.width, width);
    }
    if (!keys.height.empty()) {
        settings.set(keys.height, height);
    }
}

} // namespace scalora
