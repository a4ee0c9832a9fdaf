// Reading whole files, and the head of one, the only way the program reads a file it did not
// write itself: regular files only (after links), never more than a size cap the caller names,
// so a device, a pipe or an endless file cannot hang the reader or exhaust memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// The whole regular file at path, if it holds at most maxBytes. A file that changes size while
// it is read gives what it held when the read ended (still at most maxBytes). False, with bytes
// empty, for a missing file, a folder, a device or pipe, a larger file or a failed read.
[[nodiscard]] bool readRegularFile(std::string_view path, std::uint64_t maxBytes,
                                   std::string& bytes);
[[nodiscard]] bool readRegularFile(std::string_view path, std::uint64_t maxBytes,
                                   std::vector<std::uint8_t>& bytes);

// The first count bytes of a regular file (fewer when it is shorter) and the file's whole size,
// for readers that look at a header before deciding to read the rest.
[[nodiscard]] bool readRegularFileHead(std::string_view path, std::size_t count,
                                       std::vector<std::uint8_t>& bytes, std::uint64_t& fileSize);

} // namespace scalora
