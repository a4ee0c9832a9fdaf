#include "app/command_line.h"

#include "base/paths.h"
#include "base/strings.h"

namespace scalora {

std::string cleanCommandLinePath(std::string_view argument) {
    const std::string trimmed = trim(argument);
    std::string_view piece = trimmed;
    while (!piece.empty() && piece.front() == '"') {
        piece.remove_prefix(1);
    }
    while (!piece.empty() && piece.back() == '"') {
        piece.remove_suffix(1);
    }
    return std::string(piece);
}

std::vector<std::string> commandLinePaths(const std::vector<std::string>& arguments) {
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string path = cleanCommandLinePath(arguments[i]);
        if (!path.empty()) {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

std::vector<std::string> absoluteCommandLinePaths(const std::vector<std::string>& paths,
                                                  std::string_view workingFolder) {
    std::vector<std::string> absolute;
    for (const std::string& path : paths) {
        std::string expanded = expandHome(path);
        if (isAbsolutePath(expanded)) {
            absolute.push_back(std::move(expanded));
        } else if (isAbsolutePath(workingFolder)) {
            absolute.push_back(joinPath(workingFolder, expanded));
        }
    }
    return absolute;
}

std::vector<std::string> PendingCommandLinePaths::take() {
    if (taken_) {
        return {};
    }
    taken_ = true;
    return std::move(paths_);
}

} // namespace scalora
