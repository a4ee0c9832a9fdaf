// Whole-file reading for the data layer, in bounded chunks. (Writing goes through the
// platform's writeFileAtomically, so readers never see a half-written file.)
#pragma once

#include <string>

namespace scalora {

// Reads the whole file; false when it cannot be opened or a read fails.
bool readFileBytes(const std::string& path, std::string& bytes);

} // namespace scalora
