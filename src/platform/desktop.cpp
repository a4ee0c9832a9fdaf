#include "platform/desktop.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
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

class SpawnSetup {
public:
    SpawnSetup() {
        valid_ = posix_spawn_file_actions_init(&actions_) == 0;
        valid_ = posix_spawnattr_init(&attributes_) == 0 && valid_;
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    bool prepare() {
        if (!valid_) {
            return false;
        }
        for (int fd = 0; fd <= 2; ++fd) {
            if (posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null",
                                                 fd == 0 ? O_RDONLY : O_WRONLY, 0) != 0) {
                return false;
            }
        }
        // A fresh session keeps the program alive when our terminal goes away; signals we
        // block or ignore (SIGPIPE for sockets) must not leak into it.
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGCHLD);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGTERM);
        return posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
               posix_spawnattr_setsigdefault(&attributes_, &defaults) == 0 &&
               posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                                          POSIX_SPAWN_SETSIGDEF) == 0;
    }
    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
    bool valid_ = false;
};

} // namespace

bool startDetached(const std::vector<std::string>& command) {
    if (command.empty() || command.front().empty()) {
        return false;
    }
    SpawnSetup setup;
    if (!setup.prepare()) {
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
