#include "platform/child_process.h"

#include "platform/spawn_setup.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace scalora {

namespace {

// Reads everything available from a non-blocking descriptor; false at the end of the stream.
bool drain(const FileDescriptor& fd, std::string& into) {
    if (!fd.isValid()) {
        return false;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n > 0) {
            const std::size_t room =
                ChildProcess::kMaxOutput - std::min(into.size(), ChildProcess::kMaxOutput);
            into.append(buffer, std::min(static_cast<std::size_t>(n), room));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

} // namespace

ChildProcess::~ChildProcess() {
    stop();
}

bool ChildProcess::start(const std::vector<std::string>& argv) {
    if (isRunning() || argv.empty() || argv.front().empty()) {
        return false;
    }
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    if (::pipe2(errPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return false;
    }
    FileDescriptor outWrite(outPipe[1]);
    FileDescriptor errWrite(errPipe[1]);
    out_ = FileDescriptor(outPipe[0]);
    err_ = FileDescriptor(errPipe[0]);
    // The child writes blocking; only our ends are non-blocking.
    ::fcntl(outWrite.get(), F_SETFL, 0);
    ::fcntl(errWrite.get(), F_SETFL, 0);
    output_.clear();
    errors_.clear();
    exitStatus_ = -1;

    SpawnSetup setup;
    if (!setup.nullStream(0) || !setup.copyStream(outWrite.get(), 1) ||
        !setup.copyStream(errWrite.get(), 2) || !setup.resetSignals(false)) {
        return false;
    }
    std::vector<char*> args;
    for (const std::string& item : argv) {
        args.push_back(const_cast<char*>(item.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args.front(), setup.actions(), setup.attributes(), args.data(),
                     environ) != 0) {
        out_ = FileDescriptor();
        err_ = FileDescriptor();
        return false;
    }
    pid_ = pid;
    return true;
}

bool ChildProcess::poll() {
    drain(out_, output_);
    drain(err_, errors_);
    if (pid_ <= 0) {
        return false;
    }
    int status = 0;
    const pid_t waited = ::waitpid(pid_, &status, WNOHANG);
    if (waited == pid_ || (waited < 0 && errno == ECHILD)) {
        finish(status);
        return false;
    }
    return true;
}

void ChildProcess::finish(int waitStatus) {
    pid_ = -1;
    exitStatus_ = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    // The child is gone: what it wrote last is still in the pipes.
    drain(out_, output_);
    drain(err_, errors_);
    out_ = FileDescriptor();
    err_ = FileDescriptor();
}

void ChildProcess::stop() {
    if (pid_ <= 0) {
        return;
    }
    ::kill(pid_, SIGTERM);
    // A program that ignores the request gets a second from its 20 checks, then is killed.
    for (int i = 0; i < 20; ++i) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            finish(status);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    finish(status);
    exitStatus_ = -1;
}

std::string findProgram(std::string_view name) {
    if (name.empty()) {
        return {};
    }
    const auto executable = [](const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
               ::access(path.c_str(), X_OK) == 0;
    };
    if (name.find('/') != std::string_view::npos) {
        return executable(std::string(name)) ? std::string(name) : std::string();
    }
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        const std::string candidate =
            std::string(dir.empty() ? "." : dir) + "/" + std::string(name);
        if (executable(candidate)) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(colon + 1);
    }
}

} // namespace scalora
