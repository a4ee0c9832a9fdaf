// Every key the program keeps in its settings store: kind, default, and the range readers
// apply to the value read (never written back). The table order is the order a reset store is
// filled in, and the key set is the validity test of a stored settings file. The ranges are the
// engine's own, so the window, scalora-batch and a run agree on them; nothing here needs the
// toolkit.
#pragma once

#include "base/geometry.h"
#include "engine/geometry.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace scalora {

namespace setting_keys {
inline constexpr std::string_view kLanguage = "general/language";
inline constexpr std::string_view kBeepWhenResizeFinish = "general/beepWhenResizeFinish";
inline constexpr std::string_view kIsUseSubfolders = "general/isUseSubfolders";
inline constexpr std::string_view kIsAllowRewrite = "general/isAllowRewrite";
inline constexpr std::string_view kIsSaveOriginalFileDate = "general/isSaveOriginalFileDate";
inline constexpr std::string_view kIsDoNotEnlargeImages = "general/isDoNotEnlargeImages";
inline constexpr std::string_view kJpegCopyExif = "general/jpegCopyExif";
inline constexpr std::string_view kJpegQuality = "general/jpegQuality";
inline constexpr std::string_view kIsShowPreview = "general/isShowPreview";
inline constexpr std::string_view kIsShowFullName = "general/isShowFullName";
inline constexpr std::string_view kMode = "export/mode";
inline constexpr std::string_view kParam1ForMode0 = "export/param1ForMode0";
inline constexpr std::string_view kParam2ForMode0 = "export/param2ForMode0";
inline constexpr std::string_view kParam1ForMode1 = "export/param1ForMode1";
inline constexpr std::string_view kParam1ForMode2 = "export/param1ForMode2";
inline constexpr std::string_view kParam1ForMode3 = "export/param1ForMode3";
inline constexpr std::string_view kParam2ForMode3 = "export/param2ForMode3";
inline constexpr std::string_view kParam1ForMode4 = "export/param1ForMode4";
inline constexpr std::string_view kParam2ForMode4 = "export/param2ForMode4";
inline constexpr std::string_view kFormat = "export/format";
inline constexpr std::string_view kSourceFolder = "export/sourceFolder";
inline constexpr std::string_view kDestinationFolder = "export/destinationFolder";
inline constexpr std::string_view kWindowMainLeft = "windows/windowMainLeft";
inline constexpr std::string_view kWindowMainTop = "windows/windowMainTop";
inline constexpr std::string_view kWindowMainWidth = "windows/windowMainWidth";
inline constexpr std::string_view kWindowMainHeight = "windows/windowMainHeight";
} // namespace setting_keys

enum class SettingKind { Bool, Int, String };

using SettingDefault = std::variant<bool, std::int32_t, std::string>;

// What a reader does to a stored integer before using it.
enum class SettingRange {
    None,
    Fixed,                  // clamp into [minimum, maximum]
    AtLeastWindowMinWidth,  // at least the window's minimum width
    AtLeastWindowMinHeight, // at least the window's minimum height
};

struct SettingDefinition {
    std::string_view key;
    SettingKind kind = SettingKind::Bool;
    SettingDefault defaultValue;
    SettingRange range = SettingRange::None;
    std::int32_t minimum = 0; // for SettingRange::Fixed
    std::int32_t maximum = 0;
};

// The 26 keys in table order.
const std::vector<SettingDefinition>& settingsSchema();
// The definition of key, or nullptr for a key the schema does not have.
const SettingDefinition* findSetting(std::string_view key);

// The validity test of a stored settings file: it holds exactly the schema's keys (as many
// keys as the schema, every schema key among them); kinds and values are not looked at.
bool keySetMatchesSchema(std::span<const std::string> storedKeys);

// The value a reader uses for a stored integer: clamped by the key's range; windowMinimum is
// the minimum size of the window the geometry keys belong to. Keys without a range, and keys
// that are not in the schema, return value unchanged.
std::int32_t clampIntSetting(std::string_view key, std::int32_t value, Size windowMinimum = {});

// "windows/window" + prefix + field, e.g. ("Main", "Left") -> "windows/windowMainLeft".
std::string windowGeometryKey(std::string_view prefix, std::string_view field);

// Keys of the parameters a resize mode stores when it is left; empty for modes without a
// stored value (nothing for 5 and 6, only one for 1 and 2).
struct ModeParameterKeys {
    std::string_view width;  // empty when the mode stores no width
    std::string_view height; // empty when the mode stores no height
};
ModeParameterKeys modeParameterKeys(ResizeMode mode);

} // namespace scalora
