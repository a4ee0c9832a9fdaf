// The set-up the end-to-end tests share: a scratch folder and a private X session per test,
// screenshots kept for a developer to look at (SCALORA_KEEP_PNG names the folder), and the
// ui-sandbox started with its element geometry read from its report.
#pragma once

#include "support/test_support.h"
#include "xvfb_session.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace scalora::test {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

// The boxes of the sandbox's "element <name> x y w h" lines, by name.
std::map<std::string, Box> elementBoxes(const std::vector<std::string>& lines);

class XvfbTest : public ::testing::Test {
protected:
    // Skips the test when Xvfb, openbox or one of `tools` is missing; a session that does not
    // start is a failure. Callers return when the test was skipped or failed.
    void startSession(const std::vector<std::string>& tools = {});
    bool stopped() const { return IsSkipped() || HasFailure(); }
    // A screenshot of the whole screen into the test's folder, copied to SCALORA_KEEP_PNG when
    // that is set; false when it could not be taken.
    [[nodiscard]] bool keepScreenshot(const std::string& name);
    // Runs xdotool until it succeeds or 20 s have passed, and gives its last exit status. Right
    // after a window maps, a search can still come back empty or a move fail while the window
    // manager reparents it; a chain that fails stops before its click, so retrying is safe.
    int xdotool(const std::vector<std::string>& args);

    TempDir dir_;
    XvfbSession session_;
};

class SandboxTest : public XvfbTest {
protected:
    // The tools the test needs besides Xvfb and openbox, further sandbox arguments, and the
    // line the sandbox reports once what the test drives is on the screen.
    explicit SandboxTest(std::vector<std::string> tools, std::vector<std::string> arguments = {},
                         std::string readyLine = "ready")
        : tools_(std::move(tools)), arguments_(std::move(arguments)),
          readyLine_(std::move(readyLine)) {}
    // Starts the session and the ui-sandbox (reporting into log_), and waits until the sandbox
    // has painted its window and reported its elements into boxes_.
    void SetUp() override;

    std::filesystem::path log_ = dir_ / "sandbox.log";
    pid_t sandbox_ = -1;
    std::map<std::string, Box> boxes_;

private:
    std::vector<std::string> tools_;
    std::vector<std::string> arguments_;
    std::string readyLine_;
};

// The window program itself on the session: its settings and single-instance socket in the
// test's folder, the places of its windows' parts reported into layout_.
class AppTest : public XvfbTest {
protected:
    // Starts the session and the program with these arguments, and waits until its main
    // window has painted; false (with a failure recorded) when it does not.
    bool startProgram(const std::vector<std::string>& arguments = {},
                      const std::vector<std::string>& tools = {"xdotool"});
    // Waits until the layout report holds at least `count` "painted <window>" lines.
    [[nodiscard]] bool waitForPaint(const std::string& window, std::size_t count = 1);
    // Waits until the latest report of a part ends with that state (what the part shows).
    [[nodiscard]] bool waitForState(const std::string& part, const std::string& state);
    // The latest place of every reported part ("main.resize" ...).
    std::map<std::string, Box> boxes() const { return elementBoxes(readLines(layout_)); }
    // Clicks the middle of a reported part of the window with that title.
    [[nodiscard]] bool click(const std::string& title, const std::string& part, int button = 1);
    // Ends the program as the window's close box does, and gives its exit status.
    int closeProgram();
    std::filesystem::path configFile() const;

    std::filesystem::path layout_ = dir_ / "layout.txt";
    pid_t program_ = -1;
};

} // namespace scalora::test
