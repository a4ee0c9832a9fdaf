#include "pak_commands.h"

#include "base/strings.h"
#include "data/file_bytes.h"
#include "data/resource_archive.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace scalora::pak {
namespace {

std::vector<fs::directory_entry> sortedEntries(const fs::path& dir, std::error_code& ec) {
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename().string() < b.path().filename().string();
    });
    return entries;
}

bool checkName(const std::string& name, const fs::path& where, std::string& error) {
    if (!isValidUtf8(name)) {
        error = where.string() + ": the name is not valid UTF-8";
        return false;
    }
    if (utf8ToUtf16leBytes(name).size() > ResourceArchive::kMaxNameBytes) {
        error = where.string() + ": the name is longer than 255 UTF-16 code units";
        return false;
    }
    return true;
}

bool isSafeName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// A name as it may reach a terminal: control characters (C0, DEL and C1) and the backslash
// written as escapes, so that a crafted archive cannot move the cursor or retitle the window.
std::string printableName(const std::string& name) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const bool c1 = byte == 0xC2 && i + 1 < name.size() &&
                        static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(name[i + 1]) <= 0x9F;
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F || c1) {
            const auto code = c1 ? static_cast<unsigned char>(name[++i]) : byte;
            out += "\\x";
            out += kHex[code >> 4];
            out += kHex[code & 0xF];
        } else {
            out += name[i];
        }
    }
    return out;
}

// The archive folder `name` inside the open destination, created when missing and opened
// without following a link there: a link planted in the destination cannot redirect the files.
FileDescriptor openFolderInside(int parent, const std::string& name) {
    if (::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST) {
        return FileDescriptor();
    }
    return FileDescriptor(
        ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

bool loadArchive(const std::string& path, ResourceArchive& archive, std::string& error) {
    if (!archive.readFile(path)) {
        error = path + ": not a readable resource archive";
        return false;
    }
    return true;
}

} // namespace

bool pack(const std::string& sourceDir, const std::string& archivePath, std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(sourceDir, ec)) {
        error = sourceDir + ": not a folder";
        return false;
    }
    ResourceArchive archive;
    const auto folders = sortedEntries(sourceDir, ec);
    if (ec) {
        error = sourceDir + ": " + ec.message();
        return false;
    }
    for (const fs::directory_entry& folderEntry : folders) {
        const std::string folderName = folderEntry.path().filename().string();
        if (!folderEntry.is_directory(ec)) {
            error = folderEntry.path().string() +
                    ": only folders may stand at the top of the source folder";
            return false;
        }
        if (!checkName(folderName, folderEntry.path(), error)) {
            return false;
        }
        ArchiveFolder& folder = archive.addFolder(folderName);
        const auto files = sortedEntries(folderEntry.path(), ec);
        if (ec) {
            error = folderEntry.path().string() + ": " + ec.message();
            return false;
        }
        for (const fs::directory_entry& fileEntry : files) {
            const std::string fileName = fileEntry.path().filename().string();
            if (!fileEntry.is_regular_file(ec)) {
                error = fileEntry.path().string() + ": archive folders hold only files";
                return false;
            }
            if (!checkName(fileName, fileEntry.path(), error)) {
                return false;
            }
            std::string data;
            if (!readFileBytes(fileEntry.path().string(), data)) {
                error = fileEntry.path().string() + ": cannot be read";
                return false;
            }
            folder.addFile(fileName, std::move(data));
        }
    }
    std::string bytes;
    if (!encodeArchive(archive, bytes)) {
        error = "the contents do not fit the archive format (a file of 2 GB or more?)";
        return false;
    }
    if (!writeFileAtomically(archivePath, bytes)) {
        error = archivePath + ": cannot be written";
        return false;
    }
    return true;
}

bool list(const std::string& archivePath, std::ostream& out, std::string& error) {
    ResourceArchive archive;
    if (!loadArchive(archivePath, archive, error)) {
        return false;
    }
    for (const auto& folder : archive.folders()) {
        if (folder->files.empty()) {
            out << printableName(folder->name) << "/\n";
        }
        for (const auto& file : folder->files) {
            out << printableName(folder->name) << '/' << printableName(file->name) << '\t'
                << file->data.size() << '\n';
        }
    }
    return static_cast<bool>(out);
}

bool extract(const std::string& archivePath, const std::string& destDir, std::ostream& warnings,
             std::string& error) {
    ResourceArchive archive;
    if (!loadArchive(archivePath, archive, error)) {
        return false;
    }
    for (const auto& folder : archive.folders()) {
        if (!isSafeName(folder->name)) {
            error = "refusing the folder name \"" + printableName(folder->name) + "\"";
            return false;
        }
        for (const auto& file : folder->files) {
            if (!isSafeName(file->name)) {
                error = "refusing the file name \"" + printableName(folder->name) + "/" +
                        printableName(file->name) + "\"";
                return false;
            }
        }
    }
    std::error_code ec;
    fs::create_directories(destDir, ec);
    const FileDescriptor root(::open(destDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!root.isValid()) {
        error = destDir + ": cannot open the folder: " + std::strerror(errno);
        return false;
    }
    std::set<std::string> written;
    for (const auto& folder : archive.folders()) {
        const std::string folderPath = (fs::path(destDir) / folder->name).string();
        const FileDescriptor folderFd = openFolderInside(root.get(), folder->name);
        if (!folderFd.isValid()) {
            error = printableName(folderPath) + ": cannot create the folder (" +
                    std::strerror(errno) + ")";
            return false;
        }
        for (const auto& file : folder->files) {
            const std::string key = folder->name + "/" + file->name;
            if (!written.insert(key).second) {
                warnings << "skipped a second file " << printableName(key) << '\n';
                continue;
            }
            AtomicFile out(folderFd.get(), file->name);
            if (!out.write(file->data) || !out.commit()) {
                error = printableName(folderPath + "/" + file->name) + ": cannot be written";
                return false;
            }
        }
    }
    return true;
}

} // namespace scalora::pak
