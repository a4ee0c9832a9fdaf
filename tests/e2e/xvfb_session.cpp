#include "xvfb_session.h"

#include <X11/Xlib.h>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace scalora::test {

namespace {

using namespace std::chrono_literals;

// Display numbers far above the ones desktops and other tests usually take.
constexpr int kFirstDisplay = 140;
constexpr int kLastDisplay = 240;

bool displayTaken(int n) {
    return std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) ||
           std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock");
}

// The environment of this process with DISPLAY replaced.
std::vector<std::string> environmentWith(const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string(*e).rfind("DISPLAY=", 0) != 0) {
            env.emplace_back(*e);
        }
    }
    env.push_back("DISPLAY=" + display);
    return env;
}

pid_t spawnWith(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                const std::string& output) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
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

bool exited(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
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

bool XvfbSession::start() {
    for (int n = kFirstDisplay; n <= kLastDisplay; ++n) {
        if (displayTaken(n)) {
            continue;
        }
        const std::string display = ":" + std::to_string(n);
        const pid_t server = spawnWith({"Xvfb", display, "-noreset", "-screen", "0", "1280x800x24",
                                        "-dpi", "96", "-nolisten", "tcp"},
                                       environmentWith(display), "/dev/null");
        if (server < 0) {
            error_ = "cannot start Xvfb";
            return false;
        }
        // Ready when a client can connect; a server that exits lost the number to someone
        // else, so try the next one.
        bool ready = false;
        for (int i = 0; i < 100 && !ready; ++i) {
            if (exited(server)) {
                break;
            }
            if (Display* d = XOpenDisplay(display.c_str())) {
                XCloseDisplay(d);
                ready = true;
            } else {
                std::this_thread::sleep_for(50ms);
            }
        }
        if (!ready) {
            kill(server, SIGKILL);
            waitpid(server, nullptr, 0);
            continue;
        }
        server_ = server;
        display_ = display;
        windowManager_ =
            spawnWith({"openbox", "--sm-disable"}, environmentWith(display), "/dev/null");
        // openbox announces itself on the root window once it manages the screen.
        Display* d = XOpenDisplay(display.c_str());
        if (d == nullptr) {
            return true;
        }
        const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
        for (int i = 0; i < 100; ++i) {
            Atom type = None;
            int format = 0;
            unsigned long count = 0, remaining = 0;
            unsigned char* data = nullptr;
            XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, AnyPropertyType, &type,
                               &format, &count, &remaining, &data);
            if (data != nullptr) {
                XFree(data);
            }
            if (type != None) {
                break;
            }
            std::this_thread::sleep_for(50ms);
        }
        XCloseDisplay(d);
        return true;
    }
    error_ = "no free display number";
    return false;
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
    stop(pid);
    return -1;
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

bool XvfbSession::screenshot(const std::filesystem::path& png) {
    const pid_t pid = spawnWith({"import", "-window", "root", png.string()},
                                environmentWith(display_), "/dev/null");
    if (pid < 0) {
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<std::string> readLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
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
