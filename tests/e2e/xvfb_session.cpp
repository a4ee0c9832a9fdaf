#include "xvfb_session.h"

#include <X11/Xlib.h>
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace scalora::test {

namespace {

using namespace std::chrono_literals;

// The environment of this process with DISPLAY replaced.
std::vector<std::string> environmentWith(const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string(*e).rfind("DISPLAY=", 0) != 0) {
            env.emplace_back(*e);
        }
    }
    if (!display.empty()) {
        env.push_back("DISPLAY=" + display);
    }
    return env;
}

// Starts a program with standard output and error going to `outputFd` when it is 0 or more,
// else to the file `output`.
pid_t spawnWith(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                const std::string& output, int outputFd = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (!dir.empty() && access((std::filesystem::path(dir) / program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

int remainingMs(std::chrono::steady_clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::int64_t>(left.count(), 0));
}

} // namespace

XvfbSession::~XvfbSession() {
    for (pid_t pid : std::vector<pid_t>(children_)) {
        stop(pid);
    }
    if (windowManager_ > 0) {
        stop(windowManager_);
    }
    if (server_ > 0) {
        stop(server_);
    }
}

std::string XvfbSession::missingTool(const std::vector<std::string>& extra) {
    std::vector<std::string> tools{"Xvfb", "openbox"};
    tools.insert(tools.end(), extra.begin(), extra.end());
    for (const std::string& tool : tools) {
        if (!onPath(tool)) {
            return tool;
        }
    }
    return "";
}

bool XvfbSession::start() {
    // Generous limits: on a loaded machine (tests running in parallel, sanitizer builds) a
    // server can take seconds to come up; the waits end as soon as it is there.
    constexpr auto kStartLimit = 30s;
    // Xvfb picks a free display itself and reports it on a pipe: it takes the number with
    // the X server's own atomic lock, so sessions started at the same moment (tests running
    // in parallel) never end up sharing one server.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error_ = "cannot make a pipe";
        return false;
    }
    const int writeFd = fcntl(fds[1], F_DUPFD, 3); // an inherited copy for the server
    close(fds[1]);
    server_ = spawnWith({"Xvfb", "-displayfd", std::to_string(writeFd), "-noreset", "-screen", "0",
                         "1280x800x24", "-dpi", "96", "-nolisten", "tcp"},
                        environmentWith(""), "/dev/null");
    close(writeFd);
    std::string number;
    const auto end = std::chrono::steady_clock::now() + kStartLimit;
    pollfd readable{fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&readable, 1, remainingMs(end)) > 0) {
        char buf[16];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) {
            break;
        }
        number.append(buf, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (server_ < 0 || number.find('\n') == std::string::npos) {
        error_ = "Xvfb did not start";
        return false;
    }
    display_ = ":" + number.substr(0, number.find('\n'));
    windowManager_ = spawnWith({"openbox", "--sm-disable"}, environmentWith(display_), "/dev/null");
    if (windowManager_ < 0) {
        error_ = "cannot start openbox";
        return false;
    }
    // openbox announces itself on the root window once it manages the screen. A window
    // shown before that can wait forever for its map notification, so start() waits.
    Display* d = XOpenDisplay(display_.c_str());
    if (d == nullptr) {
        error_ = "cannot connect to " + display_;
        return false;
    }
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    bool managed = false;
    while (!managed && std::chrono::steady_clock::now() < end) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, AnyPropertyType, &type,
                           &format, &count, &remaining, &data);
        if (data != nullptr) {
            XFree(data);
        }
        managed = type != None;
        if (!managed) {
            std::this_thread::sleep_for(20ms);
        }
    }
    XCloseDisplay(d);
    if (!managed) {
        error_ = "openbox did not take over " + display_;
        return false;
    }
    return true;
}

pid_t XvfbSession::spawn(const std::vector<std::string>& argv,
                         const std::filesystem::path& output) {
    const pid_t pid = spawnWith(argv, environmentWith(display_), output.string());
    if (pid > 0) {
        children_.push_back(pid);
    }
    return pid;
}

int XvfbSession::wait(pid_t pid, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::erase(children_, pid);
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(20ms);
    }
    printStacks(pid);
    stop(pid);
    return -1;
}

int XvfbSession::exitStatus(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, WNOHANG) != pid) {
        return -1;
    }
    std::erase(children_, pid);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A child that will not end is stuck somewhere: its threads' stacks, printed before it is
// killed, say where. Nothing is printed where gdb is missing.
void XvfbSession::printStacks(pid_t pid) {
    if (access("/usr/bin/gdb", X_OK) != 0) {
        return;
    }
    const std::string command = "/usr/bin/gdb -p " + std::to_string(pid) +
                                " -batch -nx -ex 'thread apply all bt' 1>&2 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "no stacks for %d\n", static_cast<int>(pid));
    }
}

void XvfbSession::stop(pid_t pid) {
    if (pid <= 0) {
        return;
    }
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::erase(children_, pid);
            return;
        }
        std::this_thread::sleep_for(20ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::erase(children_, pid);
}

CommandResult XvfbSession::run(const std::vector<std::string>& argv,
                               std::chrono::milliseconds timeout) {
    CommandResult result;
    int fds[2];
    if (argv.empty() || pipe2(fds, O_CLOEXEC) != 0) {
        return result;
    }
    const pid_t pid = spawnWith(argv, environmentWith(display_), "", fds[1]);
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return result;
    }
    children_.push_back(pid);
    // Read until the program closes its end (it ends), so a full pipe never blocks it.
    const auto end = std::chrono::steady_clock::now() + timeout;
    pollfd readable{fds[0], POLLIN, 0};
    while (poll(&readable, 1, remainingMs(end)) > 0) {
        char buf[4096];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) {
            break;
        }
        result.output.append(buf, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    result.status = wait(pid, std::chrono::milliseconds(std::max(remainingMs(end), 1000)));
    return result;
}

bool XvfbSession::screenshot(const std::filesystem::path& png) {
    return run({"import", "-window", "root", png.string()}, 30s).status == 0;
}

std::vector<std::string> readLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (l.rfind(prefix, 0) == 0) {
            out.push_back(l);
        }
    }
    return out;
}

bool waitForLine(const std::filesystem::path& file, const std::string& needle,
                 std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        for (const std::string& line : readLines(file)) {
            if (line.find(needle) != std::string::npos) {
                return true;
            }
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

} // namespace scalora::test
