#include "platform/desktop.h"

#include "platform/spawn_setup.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace scalora {
namespace {

// A short-lived shell starts the program in the background and exits at once; the program is
// then adopted by init (or a subreaper), so we wait only for the shell, which takes
// milliseconds, and no zombie is left behind. Arguments travel as positional parameters, so
// nothing in them is ever parsed by the shell.
constexpr const char* kLauncherScript =
    "command -v \"$1\" >/dev/null 2>&1 || exit 127; \"$@\" & exit 0";

} // namespace

bool startDetached(const std::vector<std::string>& command) {
    if (command.empty() || command.front().empty()) {
        return false;
    }
    SpawnSetup setup;
    if (!setup.nullStream(0) || !setup.nullStream(1) || !setup.nullStream(2) ||
        !setup.resetSignals(true)) {
        return false;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>("/bin/sh"));
    argv.push_back(const_cast<char*>("-c"));
    argv.push_back(const_cast<char*>(kLauncherScript));
    argv.push_back(const_cast<char*>("scalora-launcher")); // $0 of the script
    for (const std::string& item : command) {
        argv.push_back(const_cast<char*>(item.c_str()));
    }
    argv.push_back(nullptr);

    pid_t shell = -1;
    if (posix_spawn(&shell, "/bin/sh", setup.actions(), setup.attributes(), argv.data(), environ) !=
        0) {
        return false;
    }
    int status = 0;
    pid_t waited = -1;
    do {
        waited = waitpid(shell, &status, 0);
    } while (waited < 0 && errno == EINTR);
    return waited == shell && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool openWithDesktop(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    return startDetached({"xdg-open", std::string(path)});
}

} // namespace scalora
