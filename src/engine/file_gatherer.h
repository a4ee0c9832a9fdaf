// Turns paths a user hands over (files, folders, links) into the list of image files to add:
// hidden entries left out, folders searched (and their subfolders when asked), only accepted
// extensions kept, each file once, and nothing from inside the destination folder.
#pragma once

#include "engine/image_format_handler.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

struct GatherOptions {
    bool recursive = true;       // descend into subfolders that are not hidden
    std::string destinationText; // as typed; files inside it are results, not sources
    std::string cwd;             // for relative paths
    std::function<bool(std::string_view)> acceptsExtension = isAcceptedImageExtension;
};

// Absolute, cleaned-up paths in the order given, folder contents sorted by name. A folder
// reached again through a link is not searched again, so link loops end.
std::vector<std::string> gatherImageFiles(const std::vector<std::string>& paths,
                                          const GatherOptions& options);

} // namespace scalora
