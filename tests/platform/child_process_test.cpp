#include "platform/child_process.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace scalora {
namespace {

// Polls until the child ends or a generous deadline passes; the deadline only guards a hang.
bool waitForEnd(ChildProcess& child) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (child.poll()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

TEST(ChildProcessTest, CollectsBothStreamsAndTheExitStatusWithoutBlocking) {
    ChildProcess child;
    ASSERT_TRUE(child.start({"sh", "-c", "printf 'a b\\n/c d\\n'; printf oops >&2; exit 3"}));
    EXPECT_TRUE(child.isRunning());
    ASSERT_TRUE(waitForEnd(child));
    EXPECT_EQ(child.output(), "a b\n/c d\n");
    EXPECT_EQ(child.errorOutput(), "oops");
    EXPECT_EQ(child.exitStatus(), 3);

    // Arguments are never read by a shell.
    ASSERT_TRUE(child.start({"printf", "%s", "$HOME; rm -rf x"}));
    ASSERT_TRUE(waitForEnd(child));
    EXPECT_EQ(child.output(), "$HOME; rm -rf x");
}

TEST(ChildProcessTest, AMissingProgramFailsAndARunningOneIsStopped) {
    EXPECT_FALSE(findProgram("sh").empty());
    EXPECT_EQ(findProgram("scalora-no-such-program"), "");
    ChildProcess missing;
    EXPECT_FALSE(missing.start({"scalora-no-such-program"}) && waitForEnd(missing) &&
                 missing.exitStatus() == 0);

    ChildProcess sleeper;
    ASSERT_TRUE(sleeper.start({"sleep", "30"}));
    EXPECT_TRUE(sleeper.poll());
    sleeper.stop();
    EXPECT_FALSE(sleeper.isRunning());
    EXPECT_EQ(sleeper.exitStatus(), -1);
}

} // namespace
} // namespace scalora
