// The file actions and attributes of one posix_spawn: standard streams redirected, the
// signals we block or ignore (SIGPIPE for sockets) reset for the child, optionally a session
// of its own. Shared by the detached launcher and the child-process runner.
#pragma once

#include <csignal>
#include <fcntl.h>
#include <spawn.h>

namespace scalora {

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

    // The child's descriptor fd reads or writes /dev/null.
    [[nodiscard]] bool nullStream(int fd) {
        return valid_ && posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null",
                                                          fd == 0 ? O_RDONLY : O_WRONLY, 0) == 0;
    }
    // The child's descriptor fd is a copy of our descriptor from.
    [[nodiscard]] bool copyStream(int from, int fd) {
        return valid_ && posix_spawn_file_actions_adddup2(&actions_, from, fd) == 0;
    }
    // Signal dispositions and mask back to the defaults; with newSession the child survives
    // our terminal going away.
    [[nodiscard]] bool resetSignals(bool newSession) {
        if (!valid_) {
            return false;
        }
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGCHLD);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGTERM);
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        if (newSession) {
            flags = static_cast<short>(flags | POSIX_SPAWN_SETSID);
        }
        return posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
               posix_spawnattr_setsigdefault(&attributes_, &defaults) == 0 &&
               posix_spawnattr_setflags(&attributes_, flags) == 0;
    }
    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
    bool valid_ = false;
};

} // namespace scalora
