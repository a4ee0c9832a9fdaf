// The flavours of a conformance file, for the decoders' table: what layout a TIFF or BMP uses
// (tiles or strips, planes, sample depth, alpha, header version, compression), read from the
// file itself rather than from the manifest's notes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace scalora::test {

// Each entry names one flavour the file has ("tiff tiled", "tiff 12-bit", "bmp v5 header" ...);
// a TIFF libtiff cannot open, or a BMP too short for its header, has one: "<format> unreadable".
// Other formats have none.
std::vector<std::string> fileFlavours(const std::filesystem::path& file, const std::string& format);

} // namespace scalora::test
