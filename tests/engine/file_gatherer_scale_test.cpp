#include "engine/file_gatherer.h"
#include "link_loop_tree.h"
#include "platform/file_system.h"
#include "support/test_support.h"

#include <algorithm>
#include <grp.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace scalora {
namespace {

constexpr uid_t kNobody = 65534;

// The gather of a folder, recursively, as an ordinary user: root reads folders whatever their
// permissions, so as root the gather runs in a child that has given up its privileges.
std::vector<std::string> gatherAsUser(const std::string& folder) {
    GatherOptions options;
    options.recursive = true;
    if (::geteuid() != 0) {
        return gatherImageFiles({folder}, options);
    }
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(1);
        }
        std::string lines;
        for (const std::string& file : gatherImageFiles({folder}, options)) {
            lines += file + "\n";
        }
        const bool sent =
            ::write(pipeFds[1], lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string text;
    char buffer[65536];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::vector<std::string> files;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        files.push_back(line);
    }
    return files;
}

TEST(FileGathererScaleTest, LinkLoopsEndAndUnreadableFoldersAreLeftOut) {
    test::TempDir dir;
    const test::LinkLoopTree tree(std::filesystem::canonical(dir.path()));
    ASSERT_EQ(tree.fileCount(), 10000U);
    const std::vector<std::string> files = gatherAsUser(dir.path().string());
    // Each image once, whichever path led to it first (the shortcut's folder through the
    // shortcut); none from the folders that cannot be read, and no word about them either.
    std::vector<std::string> real;
    for (const std::string& file : files) {
        real.push_back(canonicalPath(file).value_or(file));
    }
    std::sort(real.begin(), real.end());
    EXPECT_EQ(std::adjacent_find(real.begin(), real.end()), real.end());
    std::vector<std::string> expected = tree.readableImages();
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(real, expected);
    EXPECT_EQ(std::count_if(files.begin(), files.end(),
                            [](const std::string& file) {
                                return file.find("/a-shortcut/") != std::string::npos;
                            }),
              60);
}

} // namespace
} // namespace scalora
