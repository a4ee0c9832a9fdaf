#include "platform/file_system.h"
#include "platform/single_instance_guard.h"
#include "support/test_support.h"

#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace scalora {
namespace {

// Every test uses a name of its own so that parallel test processes never meet.
std::string uniqueName(std::string_view what) {
    return "[SCALORA TEST " + std::string(what) + " " + std::to_string(getpid()) + "]";
}

class Inbox {
public:
    void receive(const InstanceNotification& notification) {
        std::lock_guard lock(mutex_);
        received_.push_back(notification);
    }
    std::vector<InstanceNotification> received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    std::mutex mutex_;
    std::vector<InstanceNotification> received_;
};

// A raw client connection to a running guard's socket, or -1.
int connectTo(const SingleInstanceGuard& running) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string& id = running.socketName();
    if (fd < 0 || id.size() >= sizeof address.sun_path) {
        return -1;
    }
    std::copy(id.begin(), id.end(), address.sun_path + 1);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + id.size());
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Sends raw bytes as a client and tells whether the guard confirmed them (it closes the
// connection without a word on a record it refuses).
bool confirmedRaw(const SingleInstanceGuard& running, const std::string& bytes) {
    const int fd = connectTo(running);
    if (fd < 0) {
        return false;
    }
    bool confirmed = false;
    if (send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size())) {
        char answer = 0;
        confirmed = recv(fd, &answer, 1, 0) == 1 && answer == 'A';
    }
    close(fd);
    return confirmed;
}

std::string header(std::uint32_t payloadBytes) {
    InstanceNotification empty;
    std::string bytes = encodeInstanceNotification(empty);
    for (int i = 0; i < 4; ++i) {
        bytes[12 + static_cast<std::size_t>(i)] = static_cast<char>(payloadBytes >> (8 * i));
    }
    return bytes;
}

TEST(InstanceMessage, PathsTravelIntactAndUnsendableOnesAreLeftOut) {
    const std::string longest = "/" + std::string(kMaxInstancePathBytes - 1, 'x');
    InstanceNotification notification{kActivateInstanceMessage,
                                      7,
                                      0xFFFFFFFF,
                                      {"/a b/Straße 写真.jpg", "relative.png", "", longest,
                                       longest + "y", std::string("/nul\0inside", 11), "/z"}};
    const std::string record = encodeInstanceNotification(notification);
    const std::optional<InstanceHeader> decoded = decodeInstanceHeader(record);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->message, kActivateInstanceMessage);
    EXPECT_EQ(decoded->wParam, 7u);
    EXPECT_EQ(decoded->lParam, 0xFFFFFFFFu);
    ASSERT_EQ(decoded->payloadBytes, record.size() - kInstanceHeaderBytes);
    EXPECT_EQ(decodeInstancePaths(std::string_view(record).substr(kInstanceHeaderBytes)),
              (std::vector<std::string>{"/a b/Straße 写真.jpg", longest, "/z"}));

    // Whatever does not fit the payload limit stays behind; what is sent is whole.
    InstanceNotification many;
    many.paths.assign(kMaxInstancePayloadBytes / longest.size() + 10, longest);
    const std::string full = encodeInstanceNotification(many);
    EXPECT_LE(full.size() - kInstanceHeaderBytes, kMaxInstancePayloadBytes);
    const auto fitted = decodeInstancePaths(std::string_view(full).substr(kInstanceHeaderBytes));
    ASSERT_TRUE(fitted.has_value());
    EXPECT_EQ(fitted->size(), kMaxInstancePayloadBytes / (longest.size() + 1));
}

TEST(InstanceMessage, RecordsOutsideTheRulesAreRefused) {
    EXPECT_FALSE(decodeInstanceHeader(std::string(15, '\0')).has_value());
    EXPECT_TRUE(decodeInstanceHeader(header(kMaxInstancePayloadBytes)).has_value());
    EXPECT_FALSE(decodeInstanceHeader(header(kMaxInstancePayloadBytes + 1)).has_value());
    EXPECT_EQ(decodeInstancePaths(""), std::vector<std::string>{});
    for (const std::string_view payload :
         {std::string_view("/no/terminator"), std::string_view("relative\0", 9),
          std::string_view("/a\0\0", 4), std::string_view("\0", 1)}) {
        EXPECT_FALSE(decodeInstancePaths(payload).has_value()) << payload;
    }
    EXPECT_FALSE(decodeInstancePaths("/" + std::string(kMaxInstancePathBytes, 'x') + '\0'));
}

TEST(SingleInstanceGuard, NameIsUpperCasedProductInBrackets) {
    EXPECT_EQ(guardNameForProduct("Halvorn Scalora"), "[HALVORN SCALORA]");
    EXPECT_EQ(guardNameForProduct("ärger"), "[ÄRGER]");
    EXPECT_EQ(guardNameForProduct(""), "[]");
}

TEST(SingleInstanceGuard, SecondGuardFindsTheFirstUntilItIsClosed) {
    const std::string name = uniqueName("states");
    SingleInstanceGuard first(name);
    ASSERT_EQ(first.state(), SingleInstanceGuard::Created);
    EXPECT_EQ(first.name(), name);
    EXPECT_TRUE(fileExists(first.lockFilePath()));
    {
        SingleInstanceGuard second(name);
        EXPECT_EQ(second.state(), SingleInstanceGuard::AlreadyRunning);
        SingleInstanceGuard third(name);
        EXPECT_EQ(third.state(), SingleInstanceGuard::AlreadyRunning);
    }
    // Losers leave the winner's lock alone.
    SingleInstanceGuard stillSecond(name);
    EXPECT_EQ(stillSecond.state(), SingleInstanceGuard::AlreadyRunning);

    first.close();
    EXPECT_EQ(first.state(), SingleInstanceGuard::NotChecked);
    first.close(); // twice is harmless
    SingleInstanceGuard next(name);
    EXPECT_EQ(next.state(), SingleInstanceGuard::Created);

    SingleInstanceGuard other(uniqueName("unrelated"));
    EXPECT_EQ(other.state(), SingleInstanceGuard::Created);
}

TEST(SingleInstanceGuard, NotificationReachesTheHandlerOfTheRunningInstance) {
    const std::string name = uniqueName("notify");
    SingleInstanceGuard running(name);
    ASSERT_EQ(running.state(), SingleInstanceGuard::Created);
    Inbox inbox;
    running.setNotificationHandler([&](const InstanceNotification& n) { inbox.receive(n); });

    SingleInstanceGuard later(name);
    ASSERT_EQ(later.state(), SingleInstanceGuard::AlreadyRunning);
    EXPECT_TRUE(later.notifyRunningInstance());
    EXPECT_TRUE(later.notifyRunningInstance({kActivateInstanceMessage, 7, 0xFFFFFFFF, {}}));
    // The confirmation comes after the handler ran, so the inbox is complete now.
    EXPECT_EQ(inbox.received(),
              (std::vector<InstanceNotification>{{0xD000, 0, 0, {}}, {0xD000, 7, 0xFFFFFFFF, {}}}));

    // Without a handler (no main window yet) the notification is still confirmed, and dropped.
    running.setNotificationHandler(nullptr);
    EXPECT_TRUE(later.notifyRunningInstance());
    EXPECT_EQ(inbox.received().size(), 2u);
}

TEST(SingleInstanceGuard, NotifyingNobodyGivesUpAfterThePatience) {
    SingleInstanceGuard lonely(uniqueName("lonely"));
    lonely.close();
    EXPECT_FALSE(lonely.notifyRunningInstance({}, std::chrono::milliseconds(0)));
    EXPECT_FALSE(lonely.notifyRunningInstance({}, std::chrono::milliseconds(120)));
}

TEST(SingleInstanceGuard, SilentOrForeignClientsDoNotStallTheListener) {
    const std::string name = uniqueName("silent");
    SingleInstanceGuard running(name);
    ASSERT_EQ(running.state(), SingleInstanceGuard::Created);
    Inbox inbox;
    running.setNotificationHandler([&](const InstanceNotification& n) { inbox.receive(n); });

    // A client that connects and sends half a record, then goes away.
    SingleInstanceGuard later(name);
    ASSERT_TRUE(later.notifyRunningInstance()); // the socket name is reachable
    const int rogue = connectTo(running);
    ASSERT_GE(rogue, 0);
    ASSERT_EQ(send(rogue, "\x00\xD0", 2, 0), 2);
    // While the half record hangs, a real notification still gets through in time.
    EXPECT_TRUE(later.notifyRunningInstance());
    close(rogue);
    EXPECT_EQ(inbox.received().size(), 2u);
}

TEST(SingleInstanceGuard, PathsArriveAndPeersBreakingTheRulesAreCutOff) {
    const std::string name = uniqueName("paths");
    SingleInstanceGuard running(name);
    ASSERT_EQ(running.state(), SingleInstanceGuard::Created);
    Inbox inbox;
    running.setNotificationHandler([&](const InstanceNotification& n) { inbox.receive(n); });

    // Too much announced, a relative path, a path without its end, a short payload: none is
    // confirmed, none reaches the handler.
    EXPECT_FALSE(confirmedRaw(running, header(kMaxInstancePayloadBytes + 1)));
    EXPECT_FALSE(confirmedRaw(running, header(9) + std::string("relative", 9)));
    EXPECT_FALSE(confirmedRaw(running, header(5) + "/abcd"));
    EXPECT_FALSE(confirmedRaw(running, header(100) + std::string("/abc", 5)));
    EXPECT_TRUE(inbox.received().empty());

    // The listener goes on serving real starts, with many paths of every kind.
    SingleInstanceGuard later(name);
    InstanceNotification notification;
    for (int i = 0; i < 1000; ++i) {
        notification.paths.push_back("/Bilder/Ferien " + std::to_string(i) + " é 写真.jpg");
    }
    EXPECT_TRUE(later.notifyRunningInstance(notification));
    EXPECT_EQ(inbox.received(), std::vector<InstanceNotification>{notification});
}

TEST(SingleInstanceGuard, LongNamesStillWork) {
    const std::string name = uniqueName(std::string(300, 'X'));
    SingleInstanceGuard running(name);
    ASSERT_EQ(running.state(), SingleInstanceGuard::Created);
    Inbox inbox;
    running.setNotificationHandler([&](const InstanceNotification& n) { inbox.receive(n); });
    SingleInstanceGuard later(name);
    EXPECT_EQ(later.state(), SingleInstanceGuard::AlreadyRunning);
    EXPECT_TRUE(later.notifyRunningInstance());
    EXPECT_EQ(inbox.received().size(), 1u);
}

TEST(SingleInstanceGuard, EachRuntimeFolderHasItsOwnLockAndChannel) {
    // Sessions with different runtime folders (or a test with a private one) never meet, and a
    // notification goes to the instance of the same folder only.
    const std::string name = uniqueName("runtime");
    test::TempDir one;
    test::TempDir two;
    const char* oldRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRuntime = oldRuntime != nullptr ? oldRuntime : "";
    setenv("XDG_RUNTIME_DIR", one.path().c_str(), 1);
    SingleInstanceGuard first(name);
    Inbox firstInbox;
    first.setNotificationHandler([&](const InstanceNotification& n) { firstInbox.receive(n); });
    setenv("XDG_RUNTIME_DIR", two.path().c_str(), 1);
    SingleInstanceGuard second(name);
    Inbox secondInbox;
    second.setNotificationHandler([&](const InstanceNotification& n) { secondInbox.receive(n); });
    SingleInstanceGuard secondAgain(name);
    oldRuntime != nullptr ? setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1)
                          : unsetenv("XDG_RUNTIME_DIR");

    EXPECT_EQ(first.state(), SingleInstanceGuard::Created);
    EXPECT_EQ(second.state(), SingleInstanceGuard::Created);
    EXPECT_EQ(first.lockFilePath(), (one.path() / (name + ".lock")).string());
    EXPECT_NE(first.socketName(), second.socketName());
    ASSERT_EQ(secondAgain.state(), SingleInstanceGuard::AlreadyRunning);
    EXPECT_TRUE(secondAgain.notifyRunningInstance());
    EXPECT_TRUE(firstInbox.received().empty());
    EXPECT_EQ(secondInbox.received().size(), 1u);
}

TEST(SingleInstanceGuard, UnusableLockFolderLeavesTheGuardUnchecked) {
    // A lock file that cannot be created leaves the guard NotChecked and start-up goes on.
    // /proc/self is a folder where nobody, not even root, can create files.
    const char* oldRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string savedRuntime = oldRuntime != nullptr ? oldRuntime : "";
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string savedTmp = oldTmp != nullptr ? oldTmp : "";
    setenv("XDG_RUNTIME_DIR", "/proc/self", 1);
    {
        SingleInstanceGuard blocked(uniqueName("blocked"));
        EXPECT_EQ(blocked.state(), SingleInstanceGuard::NotChecked);
        EXPECT_FALSE(blocked.notifyRunningInstance({}, std::chrono::milliseconds(0)));
    }
    unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", "/proc/self", 1);
    {
        SingleInstanceGuard blocked(uniqueName("blocked"));
        EXPECT_EQ(blocked.state(), SingleInstanceGuard::NotChecked);
    }
    oldTmp != nullptr ? setenv("TMPDIR", savedTmp.c_str(), 1) : unsetenv("TMPDIR");
    if (oldRuntime != nullptr) {
        setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    }
}

} // namespace
} // namespace scalora
