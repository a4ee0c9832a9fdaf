// The settings store of the program seen through the schema: creating it for config.dat and
// reconciling it with the schema's key set, and the typed readers that fall back to the
// schema's default and apply the key's range to the value read.
#pragma once

#include "base/geometry.h"
#include "data/settings_store.h"
#include "engine/geometry.h"
#include "engine/output_format.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// The schema's keys and defaults in table order, as the store takes them.
std::vector<SettingKeyDefault> schemaDefaults();

// The store for <config folder>/<productName>/config.dat, reconciled with the schema: a store
// whose key set differs in any way is reset to the defaults and saved at once.
std::unique_ptr<SettingsStore> openSettingsStore(std::string_view productName);
// The same over an explicit base folder (tests).
std::unique_ptr<SettingsStore> openSettingsStore(std::string_view productName,
                                                 std::string baseFolder);
// The settings the program would start with from the file at path (its values, or the defaults
// when its key set differs or it cannot be read) in a store that belongs to no file: the file
// is never created, reset or written.
std::unique_ptr<SettingsStore> readSettingsFile(const std::string& path);

bool readBoolSetting(const SettingsStore& store, std::string_view key);
// Clamped by the key's range; windowMinimum applies to the window size keys.
std::int32_t readIntSetting(const SettingsStore& store, std::string_view key,
                            Size windowMinimum = {});
std::string readStringSetting(const SettingsStore& store, std::string_view key);
// export/mode and export/format as what they stand for.
ResizeMode readResizeModeSetting(const SettingsStore& store);
OutputFormat readOutputFormatSetting(const SettingsStore& store);

} // namespace scalora
