// With --keep-folders, each result goes into the folder below the destination that mirrors
// where its source was found under the folder named on the command line; the folders are
// made one level at a time so that none is ever reached through a link.
#pragma once

#include <string>
#include <vector>

namespace scalora {

// The folder of file (absolute, cleaned up) relative to the first of folders (the same, without
// a trailing '/') that holds it: "" when it lies directly in that folder or in none of them,
// else "sub/deeper/".
std::string mirroredFolder(const std::string& file, const std::vector<std::string>& folders);

// Makes destination (ending with '/') + relative level by level; false when a level exists as
// anything but a real folder (a symbolic link included) or cannot be made.
[[nodiscard]] bool makeMirroredFolder(const std::string& destination, const std::string& relative);

} // namespace scalora
