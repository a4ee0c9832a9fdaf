#include "platform/desktop.h"
#include "platform/file_system.h"
#include "support/test_support.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace scalora {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

// Polls for a file another process creates; the deadline only bounds a failing test.
bool waitForFile(const std::filesystem::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (std::filesystem::exists(path)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(Desktop, StartsProgramsWithoutWaitingForThem) {
    TempDir dir;
    // The helper records its arguments, then blocks until the test releases it: if
    // startDetached waited for the program, this test would never get to the release.
    const auto script = dir / "viewer";
    ASSERT_TRUE(writeFile(script, "#!/bin/sh\n"
                                  "printf '%s\\n' \"$@\" > \"$1.args.tmp\"\n"
                                  "mv \"$1.args.tmp\" \"$1.args\"\n"
                                  "while [ ! -e \"$1.release\" ]; do sleep 0.01; done\n"
                                  "echo done > \"$1.finished\"\n"));
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);

    const std::string base = (dir / "out").string();
    const std::string awkward = "spaced name; $(touch pwned) 'quoted' \"ü\"";
    ASSERT_TRUE(startDetached({script.string(), base, awkward, ""}));
    ASSERT_TRUE(waitForFile(base + ".args"));
    EXPECT_EQ(readFile(base + ".args"), base + "\n" + awkward + "\n\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "pwned"));
    ASSERT_TRUE(writeFile(base + ".release", ""));
    EXPECT_TRUE(waitForFile(base + ".finished"));
    // The launcher shell was reaped and the program was never our child: nothing is left.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

TEST(Desktop, ReportsProgramsThatCannotStart) {
    TempDir dir;
    EXPECT_FALSE(startDetached({}));
    EXPECT_FALSE(startDetached({""}));
    EXPECT_FALSE(startDetached({(dir / "no-such-program").string()}));
    EXPECT_FALSE(startDetached({"scalora-surely-not-installed-anywhere"}));
    EXPECT_FALSE(openWithDesktop(""));
}

} // namespace
} // namespace scalora
