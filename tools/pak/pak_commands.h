// The three jobs of the scalora-pak tool: pack a folder of folders of files into a resource
// archive, list an archive, and extract it back into folders. Pack then extract gives back the
// same tree, byte for byte.
#pragma once

#include <ostream>
#include <string>

namespace scalora::pak {

// Folders and files are packed in name order so that the same tree always gives the same
// archive. The source may hold only folders, and those only files.
[[nodiscard]] bool pack(const std::string& sourceDir, const std::string& archivePath,
                        std::string& error);

// One line per file: folder/file, a tab, the size in bytes. Empty folders are listed as
// "folder/".
[[nodiscard]] bool list(const std::string& archivePath, std::ostream& out, std::string& error);

// Creates destDir if needed. Names that could escape it ("..", "/", empty) are refused; a
// second file of the same name in one folder is skipped (lookups only ever find the first).
[[nodiscard]] bool extract(const std::string& archivePath, const std::string& destDir,
                           std::ostream& warnings, std::string& error);

} // namespace scalora::pak
