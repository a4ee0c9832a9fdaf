// A private X session for end-to-end tests: Xvfb on a display number of its own with the openbox
// window manager, child processes started on it with their output in files, and everything
// stopped again (by process id) when the session ends.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace scalora::test {

// What a command run to completion left behind.
struct CommandResult {
    int status = -1;    // the exit status; -1 when it could not start or ran out of time
    std::string output; // standard output and error together
};

class XvfbSession {
public:
    XvfbSession() = default;
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    // The first of Xvfb, openbox and `extra` that is not on the PATH, or "" when all are
    // there: a test without its tools skips, but a session that fails to start is a failure.
    static std::string missingTool(const std::vector<std::string>& extra = {});

    // Starts Xvfb (1280 x 800, 24 bits, 96 dpi) and openbox, and returns once openbox manages
    // the screen; false with a reason in error().
    [[nodiscard]] bool start();
    const std::string& display() const { return display_; }
    const std::string& error() const { return error_; }

    // Starts a program on the session's display with standard output (and error) going to
    // a file. Returns the process id, or -1.
    pid_t spawn(const std::vector<std::string>& argv, const std::filesystem::path& output);
    // Waits for a child to exit; its exit status, or -1 after the timeout (it is then killed).
    int wait(pid_t pid, std::chrono::milliseconds timeout);
    // The exit status of a child that has ended (it is then reaped), or -1 while it runs.
    int exitStatus(pid_t pid);
    // Stops a child (terminate, then kill) and reaps it.
    void stop(pid_t pid);
    // Prints the stacks of every thread of a child (for a child that hangs).
    void printStacks(pid_t pid);
    // Runs a short program on the session's display to its end and collects its output; one
    // still running at the timeout is killed.
    CommandResult run(const std::vector<std::string>& argv, std::chrono::milliseconds timeout);
    // Writes a screenshot of the whole screen; false when ImageMagick's import fails.
    [[nodiscard]] bool screenshot(const std::filesystem::path& png);

private:
    std::string display_;
    std::string error_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::vector<pid_t> children_;
};

// Polls a file until a line containing `needle` appears (true) or the timeout passes.
[[nodiscard]] bool waitForLine(const std::filesystem::path& file, const std::string& needle,
                               std::chrono::milliseconds timeout);
std::vector<std::string> readLines(const std::filesystem::path& file);
// The lines that start with `prefix`, in order.
std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix);

} // namespace scalora::test
