// File and folder queries the program needs, with the Linux reading of the design's rules: a
// hidden entry is one whose name starts with '.', and "the same file" means the same device and
// inode. Every query follows symbolic links, so a link counts as what it points to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

bool fileExists(std::string_view path); // anything at all, including a dangling link
bool isDirectory(std::string_view path);
bool isRegularFile(std::string_view path);
// True when the last name of the path starts with '.' ("." and ".." included); a trailing
// separator is ignored, so "/a/.b/" is hidden.
bool isHidden(std::string_view path);
// Size in bytes of a regular file (after links); nothing for folders or missing files.
std::optional<std::uint64_t> fileSize(std::string_view path);

// Which file a path names: two paths with equal identities are the same file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};
enum class FileKind { Directory, RegularFile, Other };
struct FileStatus {
    FileKind kind = FileKind::Other;
    FileIdentity identity;
    std::uint64_t size = 0; // bytes, for a regular file
};
// What path names (after links); nothing when it does not exist, a dangling link included.
std::optional<FileStatus> fileStatus(std::string_view path);

// The absolute path with every link, "." and ".." resolved; nothing when some part of it does
// not exist.
std::optional<std::string> canonicalPath(std::string_view path);

struct DirectoryEntry {
    std::string name; // the name inside the folder, never "." or ".."
    bool isDirectory = false;
    bool isRegularFile = false;
    FileIdentity identity; // zero when the entry could not be looked at
    friend bool operator==(const DirectoryEntry&, const DirectoryEntry&) = default;
};
enum class HiddenEntries { Include, Skip };
// The entries of a folder sorted by name (byte order) so that results do not depend on the
// file system's order; nothing when the folder cannot be read.
std::optional<std::vector<DirectoryEntry>>
listDirectory(std::string_view path, HiddenEntries hidden = HiddenEntries::Include);

// Both paths exist and name the same file (device and inode after links).
bool isSameFile(std::string_view a, std::string_view b);

// Creates the folder and every missing parent; true when the folder exists afterwards.
[[nodiscard]] bool createDirectories(std::string_view path);

// Gives target the access and modification times of source, to the nanosecond. Linux has no
// settable creation time.
[[nodiscard]] bool copyFileTimes(std::string_view source, std::string_view target);
// The same onto an open file, for one that has no name yet.
[[nodiscard]] bool copyFileTimes(std::string_view source, int targetDescriptor);

// Bytes an unprivileged user may still write on the file system holding path; nothing when
// the file system cannot be asked (so a caller can skip a check instead of refusing).
std::optional<std::uint64_t> freeBytes(std::string_view path);

[[nodiscard]] bool removeFile(std::string_view path);

// The system's wording of an errno value ("No space left on device").
std::string systemErrorText(int error);
// Whether a write failed because the file system is out of room (or the user's quota is).
bool isOutOfSpace(int error);

// The working folder of the process; empty when it cannot be told (it was removed, say).
std::string currentDirectory();

} // namespace scalora
