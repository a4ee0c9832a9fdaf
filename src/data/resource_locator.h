// Where the program's data files are found: beside the executable, in a named subfolder of
// that folder, then in the installed location <exe dir>/../share/halvorn-scalora/.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// The installed data folder for an executable folder (normalized, no trailing separator).
std::string installedDataDir(std::string_view exeDir);

// The package file for a resource name, or the empty string when none exists. A name that
// contains "/" is a path taken unchanged (it must exist); otherwise the candidates are
// exeDir/name+extension, exeDir/subfolder/name+extension and the same two below the installed
// data folder, first existing wins.
std::string locateResourceFile(std::string_view exeDir, std::string_view name,
                               std::string_view extension, std::string_view subfolder);

// The folders that may hold language files, in lookup order: exeDir/languages and the
// installed data folder's languages.
std::vector<std::string> languageDirs(std::string_view exeDir);

} // namespace scalora
