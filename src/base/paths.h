// Path helpers with the Linux rules: '/' separator, a trailing '/' marks a folder, '/' is the
// root, a typed leading "~/" is the home folder. Paths are UTF-8 and compared exactly.
#pragma once

#include <string>
#include <string_view>

namespace scalora {

inline constexpr char kPathSeparator = '/';

bool isAbsolutePath(std::string_view path);
// Joins with exactly one separator between the parts; an absolute second part wins.
std::string joinPath(std::string_view base, std::string_view name);
// Folder part without a trailing separator ("/a/b.jpg" -> "/a"); "/" for a file in the root,
// empty for a bare name.
std::string directoryPart(std::string_view path);
// Text after the last separator.
std::string fileName(std::string_view path);
// File name without its last extension; a name without '.' is its own base name.
std::string baseName(std::string_view path);
// Text after the last '.' of the file name; empty when the name has none.
std::string extension(std::string_view path);
std::string withTrailingSeparator(std::string_view path);
std::string withoutTrailingSeparator(std::string_view path);
// "~" and "~/..." become the home folder ($HOME); other paths are returned unchanged.
std::string expandHome(std::string_view path);
// Lexical clean-up: repeated separators folded, "." dropped, ".." taken back where possible;
// keeps a trailing separator. Relative paths are made absolute against cwd when it is given.
std::string normalizePath(std::string_view path, std::string_view cwd = {});

} // namespace scalora
