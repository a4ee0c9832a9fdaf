#include "data/archive_registry.h"

#include "base/paths.h"
#include "data/resource_locator.h"

namespace scalora {

bool ArchiveRegistry::open(std::string_view exeDir, std::string_view name) {
    const std::string path = locateResourceFile(exeDir, name, ".pak", "data");
    return !path.empty() && openPath(path);
}

bool ArchiveRegistry::openPath(const std::string& path) {
    auto archive = std::make_unique<ResourceArchive>();
    if (!archive->readFile(path)) {
        return false;
    }
    entries_.push_back({baseName(path), std::move(archive)});
    return true;
}

const ResourceArchive* ArchiveRegistry::find(std::string_view name) const {
    for (const Entry& entry : entries_) {
        if (entry.name == name) {
            return entry.archive.get();
        }
    }
    return nullptr;
}

const ArchiveFile* ArchiveRegistry::findFile(std::string_view archive, std::string_view folder,
                                             std::string_view file) const {
    const ResourceArchive* found = find(archive);
    return found == nullptr ? nullptr : found->findFile(folder, file);
}

const ArchiveFile* ArchiveRegistry::imageResource(std::string_view name) const {
    return findFile("data", "images", std::string(name) + ".png");
}

} // namespace scalora
