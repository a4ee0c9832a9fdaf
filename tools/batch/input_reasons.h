// Why a path named on the command line gave no image to resize, in one line a person can act
// on: missing, not an image the engine reads, a GIF, a folder without images, or inside the
// destination, where results are never taken as sources.
#pragma once

#include <string>
#include <vector>

namespace scalora {

struct InputContext {
    std::string cwd;
    std::string destination; // normalized, ending with '/'
    bool recursive = false;
};

// One line per path of `given` that contributed none of `gathered` (absolute, cleaned-up
// paths), in the order given.
std::vector<std::string> unusedInputReasons(const std::vector<std::string>& given,
                                            const std::vector<std::string>& gathered,
                                            const InputContext& context);

} // namespace scalora
