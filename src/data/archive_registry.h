// The open resource archives of the program, each registered under the base name of its file
// ("data" for data.pak). Owned by the application object for the whole run.
#pragma once

#include "data/resource_archive.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class ArchiveRegistry {
public:
    // Finds "<name>.pak" (see locateResourceFile, subfolder "data"), reads it and registers it.
    // False when no file exists or it is not a valid archive; nothing is registered then.
    [[nodiscard]] bool open(std::string_view exeDir, std::string_view name);
    // Reads the archive at path and registers it under the file's base name.
    [[nodiscard]] bool openPath(const std::string& path);

    // First archive registered under exactly that name, or nothing.
    const ResourceArchive* find(std::string_view name) const;
    const ArchiveFile* findFile(std::string_view archive, std::string_view folder,
                                std::string_view file) const;
    // The encoded PNG named name + ".png" in folder "images" of the archive "data".
    const ArchiveFile* imageResource(std::string_view name) const;

    std::size_t size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

private:
    struct Entry {
        std::string name;
        std::unique_ptr<ResourceArchive> archive;
    };
    std::vector<Entry> entries_;
};

} // namespace scalora
