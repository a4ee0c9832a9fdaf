// Keeps a second copy of the program from running alongside the first. The first instance
// holds an flock on a per-user lock file (released by the kernel when the process ends, however
// it ends) and listens on an abstract-namespace Unix socket; a later start finds the lock taken,
// sends the running instance a notification (with the paths it was given) over the socket and
// leaves.
#pragma once

#include "platform/instance_message.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace scalora {

// "[" + product name in upper case + "]".
std::string guardNameForProduct(std::string_view productName);

class SingleInstanceGuard {
public:
    enum State : std::int32_t {
        Created = 0,        // this process is the running instance
        AlreadyRunning = 1, // another process of this user holds the guard
        NotChecked = 2,     // not opened, closed, or the lock could not be created
    };
    using Handler = std::function<void(const InstanceNotification&)>;

    // Opens the guard at once. A lock that cannot be created leaves the state NotChecked, and
    // the caller goes on as a first instance.
    explicit SingleInstanceGuard(std::string name);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    State state() const { return state_; }
    const std::string& name() const { return name_; }
    const std::string& lockFilePath() const { return lockPath_; }
    // The abstract socket name (without its leading zero byte), for diagnostics and tests.
    const std::string& socketName() const { return socketName_; }

    // Called on the guard's listener thread for every notification from a later start; keep it
    // short (post to the UI thread). Notifications arriving without a handler are dropped, and
    // so is a record that breaks the rules of instance_message.h, whose sender is cut off
    // without a confirmation.
    void setNotificationHandler(Handler handler);

    // Sends a notification to the running instance and waits until it was handled, retrying
    // the connection for up to patience in case that instance is still starting. True when the
    // running instance confirmed it. Paths that cannot be sent intact are left out (see
    // encodeInstanceNotification).
    bool notifyRunningInstance(const InstanceNotification& notification = {},
                               std::chrono::milliseconds patience = std::chrono::seconds(2)) const;

    // Releases the lock and stops listening; the state returns to NotChecked.
    void close();

private:
    void startListening();
    void listen();
    void serve(int connection);

    std::string name_;
    std::string lockPath_;
    std::string socketName_;
    State state_ = NotChecked;
    int lockFd_ = -1;
    int listenFd_ = -1;
    int wakeFd_ = -1;
    std::thread listener_;
    std::mutex handlerMutex_;
    Handler handler_;
};

} // namespace scalora
