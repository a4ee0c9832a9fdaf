// End to end: the sandbox runs on the SDL2 backend under its own Xvfb with openbox, and a
// real pointer click from xdotool must reach exactly the element under it.
#include "support/test_support.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace scalora::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A child process that is stopped and reaped when the object goes.
class Child {
public:
    // Output goes to `output` (appended), or nowhere.
    Child(const std::vector<std::string>& argv, const std::string& display,
          const std::string& output = "/dev/null") {
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            if (std::string(*e).rfind("DISPLAY=", 0) != 0) {
                env.emplace_back(*e);
            }
        }
        if (!display.empty()) {
            env.push_back("DISPLAY=" + display);
        }
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& e : env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() { stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    // Waits for the process to end by itself; returns its exit status or -1.
    int wait() {
        if (pid_ <= 0) {
            return -1;
        }
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void stop() {
        if (pid_ <= 0) {
            return;
        }
        kill(pid_, SIGTERM);
        for (int i = 0; i < 100; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (access((fs::path(dir) / program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

// Polls until the predicate holds or the deadline passes (waiting for other processes).
template <typename Predicate> bool waitFor(Predicate ready, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        if (ready()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return ready();
}

std::vector<std::string> lines(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

bool hasLine(const fs::path& path, const std::string& prefix) {
    for (const std::string& line : lines(path)) {
        if (line.rfind(prefix, 0) == 0) {
            return true;
        }
    }
    return false;
}

int freeDisplay() {
    for (int n = 90 + static_cast<int>(getpid() % 50); n < 400; ++n) {
        if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
            !fs::exists("/tmp/.X" + std::to_string(n) + "-lock")) {
            return n;
        }
    }
    return -1;
}

TEST(SandboxEndToEnd, XdotoolClickReachesTheElementUnderThePointer) {
    for (const char* tool : {"Xvfb", "xdotool", "openbox"}) {
        if (!onPath(tool)) {
            GTEST_SKIP() << tool << " is not installed";
        }
    }
    const fs::path sandbox = binDir() / "ui-sandbox";
    ASSERT_TRUE(fs::exists(sandbox)) << sandbox;
    const int number = freeDisplay();
    ASSERT_GT(number, 0);
    const std::string display = ":" + std::to_string(number);
    Child xvfb({"Xvfb", display, "-noreset", "-screen", "0", "1280x800x24", "-dpi", "96"}, "");
    ASSERT_TRUE(xvfb.started());
    // The socket appears before the server answers: ask it until it does.
    ASSERT_TRUE(waitFor(
        [&] {
            Child probe({"xdotool", "getdisplaygeometry"}, display);
            return probe.wait() == 0;
        },
        std::chrono::seconds(10)));
    Child openbox({"openbox"}, display);
    TempDir dir;
    // A window shown while the window manager is still starting can wait forever for its map
    // notification, so the sandbox starts once openbox has announced itself on the root.
    const fs::path probeOut = dir / "probe.out";
    ASSERT_TRUE(waitFor(
        [&] {
            fs::remove(probeOut);
            Child probe({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, display, probeOut.string());
            return probe.wait() == 0 && readFile(probeOut).find("window id") != std::string::npos;
        },
        std::chrono::seconds(10)))
        << "openbox did not start";
    const fs::path log = dir / "sandbox.log";
    const fs::path output = dir / "sandbox.out";
    Child app({sandbox.string(), "--log", log.string()}, display, output.string());
    ASSERT_TRUE(app.started());
    ASSERT_TRUE(waitFor([&] { return hasLine(log, "ready"); }, std::chrono::seconds(20)))
        << "the sandbox never reported ready: " << readFile(output);

    std::map<std::string, std::vector<int>> rects;
    for (const std::string& line : lines(log)) {
        std::istringstream in(line);
        std::string word, name;
        int x = 0, y = 0, w = 0, h = 0;
        if (in >> word >> name >> x >> y >> w >> h && word == "element") {
            rects[name] = {x, y, w, h};
        }
    }
    ASSERT_EQ(rects.count("beta"), 1u);
    ASSERT_EQ(rects.count("alpha"), 1u);
    const auto& beta = rects["beta"];
    const auto& alpha = rects["alpha"];

    // Right after the window maps, xdotool can still fail to find or move to it (the window
    // manager is reparenting it); a failed chain stops before its click, so it is retried.
    auto xdotool = [&](const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        int status = -1;
        waitFor(
            [&] {
                Child tool(argv, display);
                status = tool.wait();
                return status == 0;
            },
            std::chrono::seconds(5));
        return status;
    };
    // The gap between alpha and beta belongs to the window: no element is clicked.
    const int gapX = alpha[0] + alpha[2] + (beta[0] - alpha[0] - alpha[2]) / 2;
    const int midY = beta[1] + beta[3] / 2;
    ASSERT_EQ(xdotool({"search", "--sync", "--name", "UI Sandbox", "mousemove", "--window", "%1",
                       std::to_string(gapX), std::to_string(midY), "click", "1"}),
              0);
    const int betaX = beta[0] + beta[2] / 2;
    ASSERT_EQ(xdotool({"search", "--sync", "--name", "UI Sandbox", "mousemove", "--window", "%1",
                       std::to_string(betaX), std::to_string(midY), "click", "1"}),
              0);
    ASSERT_TRUE(waitFor([&] { return hasLine(log, "click "); }, std::chrono::seconds(10)));
    std::vector<std::string> clicks;
    for (const std::string& line : lines(log)) {
        if (line.rfind("click ", 0) == 0) {
            clicks.push_back(line);
        }
    }
    ASSERT_EQ(clicks.size(), 1u);
    // The click lands in beta, at the point under the pointer in beta's own coordinates.
    EXPECT_EQ(clicks[0], "click beta " + std::to_string(betaX - beta[0]) + " " +
                             std::to_string(midY - beta[1]) + " button 1");

    // The click gave beta the keyboard focus; Tab moves it on to gamma, and Space reaches
    // gamma as virtual key 32.
    ASSERT_EQ(xdotool({"key", "--delay", "50", "Tab", "space"}), 0);
    ASSERT_TRUE(waitFor([&] { return hasLine(log, "key "); }, std::chrono::seconds(10)));
    EXPECT_TRUE(hasLine(log, "key gamma 32"));

    // A right click on alpha opens its context menu, a popup, with its corner under the
    // pointer, and the main window keeps the focus.
    const fs::path activeOut = dir / "active.out";
    auto activeWindow = [&] {
        fs::remove(activeOut);
        Child tool({"xdotool", "getactivewindow"}, display, activeOut.string());
        tool.wait();
        return readFile(activeOut);
    };
    const std::string activeBefore = activeWindow();
    const int menuX = alpha[0] + 30;
    const int menuY = alpha[1] + 20;
    ASSERT_EQ(xdotool({"search", "--sync", "--name", "UI Sandbox", "mousemove", "--window", "%1",
                       std::to_string(menuX), std::to_string(menuY), "click", "3"}),
              0);
    ASSERT_TRUE(waitFor([&] { return hasLine(log, "menu shown"); }, std::chrono::seconds(10)));
    for (const std::string& line : lines(log)) {
        std::istringstream in(line);
        std::string w1, w2, w3, w4, w5;
        int x = 0, y = 0, nx = 0, ny = 0, mx = 0, my = 0;
        if (in >> w1 >> w2 >> x >> y >> w3 >> nx >> ny >> w4 >> w5 >> mx >> my && w2 == "shown") {
            EXPECT_EQ(x, mx + menuX);
            EXPECT_EQ(y, my + menuY);
            EXPECT_EQ(nx, x);
            EXPECT_EQ(ny, y);
        }
    }
    EXPECT_EQ(activeWindow(), activeBefore);

    // Closing the window through the window manager ends the program normally.
    xdotool({"search", "--name", "UI Sandbox", "windowclose", "%1"});
    app.stop();
}

} // namespace
} // namespace scalora::test
