// Paths handed to the program on its command line. Arguments arrive already split; every one
// after the program's own path is a path (there are no switches), taken once, when the main
// window is first shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// White space is trimmed first, then leading and trailing quotation marks; what is left
// empty is dropped.
std::string cleanCommandLinePath(std::string_view argument);
// arguments[0] is the program itself and is skipped.
std::vector<std::string> commandLinePaths(const std::vector<std::string>& arguments);
// The paths as a later start hands them to the running instance, whose working folder is not
// this one: "~" and "~/..." become the home folder and relative paths are taken from
// workingFolder. Without a working folder a relative path cannot be placed and is left out.
std::vector<std::string> absoluteCommandLinePaths(const std::vector<std::string>& paths,
                                                  std::string_view workingFolder);

// Hands the command-line paths out exactly once.
class PendingCommandLinePaths {
public:
    explicit PendingCommandLinePaths(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    // The paths on the first call, nothing on every later one.
    std::vector<std::string> take();
    bool taken() const { return taken_; }

private:
    std::vector<std::string> paths_;
    bool taken_ = false;
};

} // namespace scalora
