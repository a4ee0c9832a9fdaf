// Where scalora-batch takes its defaults from: its own, safe for a script (nothing replaced,
// nothing enlarged, no size change unless one is asked for), or with --settings the window's
// settings file (only read, never written).
#pragma once

#include "tools/batch/batch_arguments.h"

#include <string>

namespace scalora {

// Path of the user's settings file; empty when there is no configuration folder.
std::string userSettingsPath();
// The command line's own: the original size, JPEG quality 90 with metadata, never enlarged,
// no subfolders, existing files kept, file dates kept.
BatchDefaults commandLineDefaults();
// Reads the defaults from the settings file at path; schema defaults for what is missing or
// when the file does not exist or cannot be read.
BatchDefaults loadBatchDefaults(const std::string& settingsPath);
// Loads the translation of the language (file base name, lower case); false when it cannot.
[[nodiscard]] bool useLanguage(const std::string& language);

} // namespace scalora
