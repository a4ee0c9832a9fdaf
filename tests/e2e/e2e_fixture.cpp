#include "e2e_fixture.h"

#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace scalora::test {

using namespace std::chrono_literals;

std::map<std::string, Box> elementBoxes(const std::vector<std::string>& lines) {
    std::map<std::string, Box> boxes;
    for (const std::string& line : linesStartingWith(lines, "element ")) {
        std::istringstream in(line);
        std::string word, name;
        Box b;
        if (in >> word >> name >> b.x >> b.y >> b.width >> b.height) {
            boxes[name] = b;
        }
    }
    return boxes;
}

void XvfbTest::startSession(const std::vector<std::string>& tools) {
    if (const std::string missing = XvfbSession::missingTool(tools); !missing.empty()) {
        GTEST_SKIP() << missing << " is not installed";
    }
    ASSERT_TRUE(session_.start()) << session_.error();
}

bool XvfbTest::keepScreenshot(const std::string& name) {
    const std::filesystem::path shot = dir_ / name;
    if (!session_.screenshot(shot)) {
        return false;
    }
    if (const char* keep = std::getenv("SCALORA_KEEP_PNG")) {
        std::error_code error;
        std::filesystem::copy_file(shot, std::filesystem::path(keep) / name,
                                   std::filesystem::copy_options::overwrite_existing, error);
        return !error;
    }
    return true;
}

void SandboxTest::SetUp() {
    startSession(tools_);
    if (stopped()) {
        return;
    }
    std::vector<std::string> argv{(binDir() / "ui-sandbox").string(), "--log", log_.string()};
    argv.insert(argv.end(), arguments_.begin(), arguments_.end());
    sandbox_ = session_.spawn(argv, dir_ / "sandbox.out");
    ASSERT_GT(sandbox_, 0);
    ASSERT_TRUE(waitForLine(log_, readyLine_, 30s))
        << "the sandbox did not start: " << readFile(dir_ / "sandbox.out");
    boxes_ = elementBoxes(readLines(log_));
}

int XvfbTest::xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    const auto end = std::chrono::steady_clock::now() + 20s;
    int status = -1;
    while (std::chrono::steady_clock::now() < end) {
        status = session_.run(argv, 20s).status;
        if (status == 0) {
            break;
        }
        std::this_thread::sleep_for(50ms);
    }
    return status;
}

bool AppTest::startProgram(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& tools) {
    startSession(tools);
    if (stopped()) {
        return false;
    }
    std::filesystem::create_directories(dir_ / "config");
    std::filesystem::create_directories(dir_ / "run");
    ::chmod((dir_ / "run").c_str(), 0700);
    ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (dir_ / "run").c_str(), 1);
    ::setenv("SCALORA_LAYOUT_REPORT", layout_.c_str(), 1);
    std::vector<std::string> argv{(binDir() / "scalora").string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    program_ = session_.spawn(argv, dir_ / "scalora.log");
    EXPECT_GT(program_, 0);
    if (program_ <= 0 || !waitForPaint("main")) {
        ADD_FAILURE() << "the main window did not paint: " << readFile(dir_ / "scalora.log");
        return false;
    }
    // The window manager may still be placing the window: wait until it is mapped.
    return xdotool({"search", "--sync", "--onlyvisible", "--name", "^Halvorn Scalora$"}) == 0;
}

bool AppTest::waitForPaint(const std::string& window, std::size_t count) {
    const auto end = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < end) {
        const std::vector<std::string> painted =
            linesStartingWith(readLines(layout_), "painted " + window);
        if (painted.size() >= count) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

bool AppTest::waitForState(const std::string& part, const std::string& state) {
    const std::string prefix = "element " + part + " ";
    const auto end = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < end) {
        const std::vector<std::string> reports = linesStartingWith(readLines(layout_), prefix);
        if (!reports.empty() && reports.back().ends_with(" " + state)) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    ADD_FAILURE() << part << " never showed " << state;
    return false;
}

bool AppTest::click(const std::string& title, const std::string& part, int button) {
    const std::map<std::string, Box> places = boxes();
    const auto it = places.find(part);
    if (it == places.end()) {
        ADD_FAILURE() << "no part " << part << " was reported";
        return false;
    }
    const Box& b = it->second;
    return xdotool({"search", "--sync", "--onlyvisible", "--name", title, "windowactivate",
                    "--sync", "%1", "mousemove", "--window", "%1",
                    std::to_string(b.x + b.width / 2), std::to_string(b.y + b.height / 2), "click",
                    std::to_string(button)}) == 0;
}

int AppTest::closeProgram() {
    // openbox closes the active window on Alt+F4 with WM_DELETE_WINDOW, as the close box does;
    // a chord that arrives while it is still busy with the activation is lost, so it is
    // pressed again while the program runs.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (xdotool({"search", "--sync", "--onlyvisible", "--name", "^Halvorn Scalora$",
                     "windowactivate", "--sync", "%1"}) != 0 ||
            session_.run({"xdotool", "key", "alt+F4"}, 20s).status != 0) {
            return -1;
        }
        const auto end = std::chrono::steady_clock::now() + 3s;
        while (std::chrono::steady_clock::now() < end) {
            if (const int status = session_.exitStatus(program_); status >= 0) {
                return status;
            }
            std::this_thread::sleep_for(20ms);
        }
    }
    return -1;
}

std::filesystem::path AppTest::configFile() const {
    return dir_ / "config" / "Halvorn Scalora" / "config.dat";
}

} // namespace scalora::test
