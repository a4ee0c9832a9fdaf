// Handing files and folders to the desktop, and starting helper programs that outlive the
// call without ever blocking the caller.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scalora {

// Starts command[0] (looked up in PATH) with the remaining items as its arguments, detached:
// its own session, standard streams on /dev/null, never waited for and never left as a
// zombie. False when the program cannot be found or started.
[[nodiscard]] bool startDetached(const std::vector<std::string>& command);

// Opens a file or folder with the user's preferred application (xdg-open).
[[nodiscard]] bool openWithDesktop(std::string_view path);

} // namespace scalora
