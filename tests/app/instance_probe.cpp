// Test helper: one start of the program as far as the single-instance rules go. The first
// start prints "ready" and then waits for a notification, which it prints as
// "notified <message> <wParam> <lParam>" before exiting with 0; a later start notifies the
// first and exits with 255, as the program does.
#include "app/application.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>

int main(int argc, char** argv) {
    using namespace scalora;
    if (argc < 2) {
        return 2;
    }
    Application application(argv[1], "0", std::vector<std::string>(argv, argv + argc));
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
    return 0;
}
