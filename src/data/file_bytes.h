// Whole-file reading for the data layer, of regular files of bounded size. (Writing goes through
// the platform's writeFileAtomically, so readers never see a half-written file.)
#pragma once

#include <string>

namespace scalora {

// Reads the whole file; false when it is not a regular file, cannot be opened, is larger than
// any data file can be, or a read fails.
[[nodiscard]] bool readFileBytes(const std::string& path, std::string& bytes);

} // namespace scalora
