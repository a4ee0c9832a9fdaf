// Where scalora-batch takes its defaults from: the program's own settings file when the user
// has one (only read, never written), else the values a fresh installation starts with.
#pragma once

#include "tools/batch/batch_arguments.h"

#include <string>

namespace scalora {

// Path of the user's settings file; empty when there is no configuration folder.
std::string userSettingsPath();
// Reads the defaults from the settings file at path; schema defaults for what is missing or
// when the file does not exist or cannot be read.
BatchDefaults loadBatchDefaults(const std::string& settingsPath);
// Loads the translation of the language (file base name, lower case); false when it cannot.
[[nodiscard]] bool useLanguage(const std::string& language);

} // namespace scalora
