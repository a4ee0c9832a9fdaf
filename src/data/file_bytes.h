// Whole-file reading for the data layer, of regular files of bounded size. (Writing goes through
// the platform's writeFileAtomically, so readers never see a half-written file.)
#pragma once

#include <cstdint>
#include <string>

namespace scalora {

// The archive format counts sizes in signed 32 bits: no data file of ours can be larger.
inline constexpr std::uint64_t kMaxDataFileBytes = 0x7FFFFFFF;

// Reads the whole file; false when it is not a regular file, cannot be opened, is larger than
// maxBytes, or a read fails.
[[nodiscard]] bool readFileBytes(const std::string& path, std::string& bytes,
                                 std::uint64_t maxBytes = kMaxDataFileBytes);

} // namespace scalora
