// Test helper: one start of the program as far as the single-instance rules go. The first
// start prints "ready" and then waits for a notification, which it prints as
// "notified <message> <wParam> <lParam>", one line "path <path>" for each path it carries and
// "end", before exiting with 0; a later start notifies the first, handing over its own
// arguments as the program does, and exits with 255.
#include "app/application.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>

int main(int argc, char** argv) {
    using namespace scalora;
    if (argc < 2) {
        return 2;
    }
    // argv[1] is the product name; the program's own arguments are the rest.
    std::vector<std::string> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    Application application(argv[1], "0", std::move(arguments));
    if (application.isAnotherInstanceRunning()) {
        return application.notifyRunningInstance() ? 255 : 254;
    }
    std::mutex mutex;
    std::condition_variable arrived;
    bool notified = false;
    InstanceNotification received;
    application.setInstanceNotificationRelay([&](const InstanceNotification& notification) {
        std::lock_guard lock(mutex);
        received = notification;
        notified = true;
        arrived.notify_one();
    });
    std::printf("ready %d\n", static_cast<int>(application.guard().state()));
    std::fflush(stdout);
    std::unique_lock lock(mutex);
    // Bounded, so that a broken test never leaves this process behind.
    if (!arrived.wait_for(lock, std::chrono::seconds(30), [&] { return notified; })) {
        return 3;
    }
    std::printf("notified %u %u %u\n", received.message, received.wParam, received.lParam);
    for (const std::string& path : received.paths) {
        std::printf("path %s\n", path.c_str());
    }
    std::printf("end\n");
    return 0;
}
