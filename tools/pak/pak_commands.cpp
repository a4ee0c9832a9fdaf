#include "pak_commands.h"

#include "base/strings.h"
#include "data/file_bytes.h"
#include "data/resource_archive.h"
#include "platform/atomic_file.h"

#include <algorithm>
#include <filesystem>
#include <set>
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
            out << folder->name << "/\n";
        }
        for (const auto& file : folder->files) {
            out << folder->name << '/' << file->name << '\t' << file->data.size() << '\n';
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
            error = "refusing the folder name \"" + folder->name + "\"";
            return false;
        }
        for (const auto& file : folder->files) {
            if (!isSafeName(file->name)) {
                error = "refusing the file name \"" + folder->name + "/" + file->name + "\"";
                return false;
            }
        }
    }
    std::set<std::string> written;
    for (const auto& folder : archive.folders()) {
        const fs::path folderPath = fs::path(destDir) / folder->name;
        std::error_code ec;
        fs::create_directories(folderPath, ec);
        if (!fs::is_directory(folderPath, ec)) {
            error = folderPath.string() + ": cannot create the folder";
            return false;
        }
        for (const auto& file : folder->files) {
            const std::string key = folder->name + "/" + file->name;
            if (!written.insert(key).second) {
                warnings << "skipped a second file " << key << '\n';
                continue;
            }
            const std::string path = (folderPath / file->name).string();
            if (!writeFileAtomically(path, file->data)) {
                error = path + ": cannot be written";
                return false;
            }
        }
    }
    return true;
}

} // namespace scalora::pak
