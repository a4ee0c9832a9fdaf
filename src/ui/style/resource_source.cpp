#include "ui/style/resource_source.h"

#include "base/paths.h"
#include "data/file_bytes.h"
#include "data/resource_archive.h"

namespace scalora {

bool FolderSource::read(std::string_view folder, std::string_view file, std::string& bytes) const {
    // Names come from package files: never let one climb out of the package folder.
    for (std::string_view part : {folder, file}) {
        if (part.empty() || part == "." || part == ".." ||
            part.find('/') != std::string_view::npos || part.find('\0') != std::string_view::npos) {
            return false;
        }
    }
    return readFileBytes(joinPath(joinPath(root_, folder), file), bytes);
}

ArchiveSource::ArchiveSource(const ResourceArchive* borrowed) : archive_(borrowed) {}

ArchiveSource::~ArchiveSource() = default;

std::unique_ptr<ArchiveSource> ArchiveSource::open(const std::string& path) {
    auto archive = std::make_unique<ResourceArchive>();
    if (!archive->readFile(path)) {
        return nullptr;
    }
    auto source = std::make_unique<ArchiveSource>(archive.get());
    source->owned_ = std::move(archive);
    return source;
}

bool ArchiveSource::read(std::string_view folder, std::string_view file, std::string& bytes) const {
    const ArchiveFile* found = archive_ != nullptr ? archive_->findFile(folder, file) : nullptr;
    if (found == nullptr) {
        return false;
    }
    bytes = found->data;
    return true;
}

} // namespace scalora
