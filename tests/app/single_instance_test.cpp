// Two real processes meet through the single-instance guard: the helper program
// scalora_instance_probe plays the first instance, and either another probe or the real
// program plays the second.
#include "support/test_support.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using scalora::test::binDir;
using scalora::test::TempDir;

// A child process with its standard output on a pipe.
class Child {
public:
    // cwd: the working folder of the child, when not empty.
    Child(const std::vector<std::string>& command, const std::vector<std::string>& environment,
          const std::string& cwd = {}) {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        if (!cwd.empty()) {
            posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
        }
        std::vector<char*> argv;
        for (const std::string& item : command) {
            argv.push_back(const_cast<char*>(item.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (const std::string& item : environment) {
            envp.push_back(const_cast<char*>(item.c_str()));
        }
        envp.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        output_ = out[0];
    }
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            exitStatus();
        }
        if (output_ >= 0) {
            close(output_);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // The next line of output, or "" when the child ends or stays silent for too long (the
    // bound only matters for a failing test).
    std::string readLine() {
        std::string line;
        char c = 0;
        while (true) {
            pollfd wait{output_, POLLIN, 0};
            if (poll(&wait, 1, 20000) <= 0 || read(output_, &c, 1) != 1) {
                return line;
            }
            if (c == '\n') {
                return line;
            }
            line += c;
        }
    }

    // Waits for the end; the exit status, or -signal when it was killed.
    int exitStatus() {
        if (pid_ <= 0) {
            return -1000;
        }
        int status = 0;
        pid_t waited = -1;
        do {
            waited = waitpid(pid_, &status, 0);
        } while (waited < 0 && errno == EINTR);
        pid_ = -1;
        if (WIFEXITED(status)) {
            return WEXITSTATUS(status);
        }
        return WIFSIGNALED(status) ? -WTERMSIG(status) : -1000;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// The current environment with a private runtime folder, so that the guard of these tests
// meets neither a real running program nor a parallel test.
std::vector<std::string> isolatedEnvironment(const TempDir& runtime) {
    std::vector<std::string> environment;
    for (char** item = environ; *item != nullptr; ++item) {
        const std::string entry = *item;
        if (entry.rfind("XDG_RUNTIME_DIR=", 0) != 0 && entry.rfind("SDL_VIDEODRIVER=", 0) != 0) {
            environment.push_back(entry);
        }
    }
    environment.push_back("XDG_RUNTIME_DIR=" + runtime.path().string());
    // The program checks for a window system first; the dummy driver passes without a display.
    environment.push_back("SDL_VIDEODRIVER=dummy");
    return environment;
}

std::string probe() {
    return (binDir() / "scalora_instance_probe").string();
}

// The paths a first probe printed for its notification, up to its "end" line.
std::vector<std::string> notifiedPaths(Child& first) {
    std::vector<std::string> paths;
    for (std::string line = first.readLine(); line != "end"; line = first.readLine()) {
        if (line.rfind("path ", 0) != 0) {
            ADD_FAILURE() << "unexpected line: " << line;
            break;
        }
        paths.push_back(line.substr(5));
    }
    return paths;
}

TEST(SingleInstance, SecondStartNotifiesTheFirstAndExitsWith255) {
    TempDir runtime;
    const auto environment = isolatedEnvironment(runtime);
    Child first({probe(), "Scalora Probe"}, environment);
    ASSERT_TRUE(first.started());
    ASSERT_EQ(first.readLine(), "ready 0"); // Created

    Child second({probe(), "Scalora Probe"}, environment);
    ASSERT_TRUE(second.started());
    EXPECT_EQ(second.exitStatus(), 255);
    EXPECT_EQ(first.readLine(), "notified 53248 0 0");
    EXPECT_EQ(notifiedPaths(first), std::vector<std::string>{});
    EXPECT_EQ(first.exitStatus(), 0);

    // Once the first is gone, the next start is a first instance again.
    Child third({probe(), "Scalora Probe"}, environment);
    EXPECT_EQ(third.readLine(), "ready 0");
}

TEST(SingleInstance, PathsOfASecondStartArriveInTheFirstIntactAndAbsolute) {
    TempDir runtime;
    std::vector<std::string> environment = isolatedEnvironment(runtime);
    std::erase_if(environment, [](const std::string& e) { return e.rfind("HOME=", 0) == 0; });
    environment.push_back("HOME=/home/tester");
    // The second start works in a folder of its own, as a file manager's start would.
    ASSERT_EQ(mkdir((runtime / "Ordner mit Leerzeichen ü").c_str(), 0700), 0);
    // As the second start's system reports it, a temp folder behind a link resolved.
    const std::string folder =
        std::filesystem::canonical(runtime / "Ordner mit Leerzeichen ü").string();

    Child first({probe(), "Scalora Paths"}, environment);
    ASSERT_EQ(first.readLine(), "ready 0");
    Child second({probe(), "Scalora Paths", "holiday photo.jpg", "/fotos/Straße 写真.png", "",
                  "sub/../x.tif", "~/in home.bmp", "\"/quoted path.jpg\""},
                 environment, folder);
    EXPECT_EQ(second.exitStatus(), 255);
    EXPECT_EQ(first.readLine(), "notified 53248 0 0");
    EXPECT_EQ(notifiedPaths(first),
              (std::vector<std::string>{folder + "/holiday photo.jpg", "/fotos/Straße 写真.png",
                                        folder + "/sub/../x.tif", "/home/tester/in home.bmp",
                                        "/quoted path.jpg"}));
    EXPECT_EQ(first.exitStatus(), 0);
}

TEST(SingleInstance, TheProgramItselfStepsAsideAndHandsOverItsPaths) {
    TempDir runtime;
    const auto environment = isolatedEnvironment(runtime);
    Child first({probe(), "Halvorn Scalora"}, environment);
    ASSERT_EQ(first.readLine(), "ready 0");

    const std::filesystem::path folder = std::filesystem::canonical(runtime.path());
    Child program({(binDir() / "scalora").string(), "/some/photo.jpg", "Ölgemälde 1.png"},
                  environment, folder.string());
    ASSERT_TRUE(program.started());
    EXPECT_EQ(program.exitStatus(), 255);
    EXPECT_EQ(first.readLine(), "notified 53248 0 0");
    EXPECT_EQ(notifiedPaths(first),
              (std::vector<std::string>{"/some/photo.jpg", (folder / "Ölgemälde 1.png").string()}));
    EXPECT_EQ(first.exitStatus(), 0);
}

TEST(SingleInstance, ACrashedInstanceDoesNotBlockTheNextStart) {
    TempDir runtime;
    const auto environment = isolatedEnvironment(runtime);
    {
        Child crashed({probe(), "Scalora Crash"}, environment);
        ASSERT_EQ(crashed.readLine(), "ready 0");
        ASSERT_EQ(kill(crashed.pid(), SIGKILL), 0);
        EXPECT_EQ(crashed.exitStatus(), -SIGKILL);
    }
    // The lock file is still there, but nobody holds it.
    Child next({probe(), "Scalora Crash"}, environment);
    ASSERT_EQ(next.readLine(), "ready 0");
    Child second({probe(), "Scalora Crash"}, environment);
    EXPECT_EQ(second.exitStatus(), 255);
    EXPECT_EQ(next.readLine(), "notified 53248 0 0");
    EXPECT_EQ(notifiedPaths(next), std::vector<std::string>{});
}

TEST(SingleInstance, ProgramWithoutADisplayExitsWith255AndSaysWhy) {
    TempDir runtime;
    std::vector<std::string> environment;
    for (const std::string& entry : isolatedEnvironment(runtime)) {
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("WAYLAND_DISPLAY=", 0) != 0 &&
            entry.rfind("SDL_VIDEODRIVER=", 0) != 0) {
            environment.push_back(entry);
        }
    }
    // Standard error goes to the pipe too, so that the one line can be checked.
    Child program({"/bin/sh", "-c", "exec \"$0\" 2>&1", (binDir() / "scalora").string()},
                  environment);
    const std::string line = program.readLine();
    EXPECT_NE(line.find("Halvorn Scalora: no display"), std::string::npos) << line;
    EXPECT_EQ(program.readLine(), ""); // one line only
    EXPECT_EQ(program.exitStatus(), 255);
}

} // namespace
