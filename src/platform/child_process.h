// A helper program run as a child process while the caller goes on with its own work: its
// output is collected through pipes a little at a time (poll never blocks), its end is noticed
// by polling, and a child still running when its owner goes away is stopped (by its process
// id) and reaped, so none is ever left behind as a zombie.
#pragma once

#include "platform/file_descriptor.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace scalora {

class ChildProcess {
public:
    // Output kept per stream; what comes after is read and dropped, so a runaway child can
    // neither fill our memory nor stall on a full pipe.
    static constexpr std::size_t kMaxOutput = 16u << 20;

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (looked up in PATH) with the other items as its arguments, standard input
    // on /dev/null and standard output and error into pipes. False when it cannot be started.
    [[nodiscard]] bool start(const std::vector<std::string>& argv);
    // Reads what the child has written so far and notices its end; true while it runs.
    bool poll();
    bool isRunning() const { return pid_ > 0; }
    // After the end: the exit status 0 to 255, or -1 when a signal ended it (or it never ran).
    int exitStatus() const { return exitStatus_; }
    const std::string& output() const { return output_; }
    const std::string& errorOutput() const { return errors_; }
    // Asks the child to end (SIGTERM), waits a moment, then kills it, and reaps it.
    void stop();

private:
    void finish(int waitStatus);

    pid_t pid_ = -1;
    FileDescriptor out_;
    FileDescriptor err_;
    std::string output_;
    std::string errors_;
    int exitStatus_ = -1;
};

// The full path of a program found in PATH, or empty when it is not installed.
std::string findProgram(std::string_view name);

} // namespace scalora
