// Whole-file byte access for the data layer: reading a file into memory in bounded chunks and
// replacing a file in one step, so readers never see a half-written file.
#pragma once

#include <string>

namespace scalora {

// Reads the whole file; false when it cannot be opened or a read fails.
bool readFileBytes(const std::string& path, std::string& bytes);

// Writes bytes to a temporary file beside path, flushes it to the disk and renames it over
// path. On failure the temporary file is removed and the old file, if any, stays as it was.
bool replaceFileBytes(const std::string& path, const std::string& bytes);

} // namespace scalora
