#include "ui/style/resource_source.h"

#include "base/paths.h"
#include "data/file_bytes.h"

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

} // namespace scalora
