#include "base/paths.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scalora {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

std::size_t entryCount(const TempDir& dir) {
    return listDirectory(dir.path().string())->size();
}

mode_t permissions(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit) {
    TempDir dir;
    const std::string target = (dir / "config.dat").string();
    ASSERT_TRUE(writeFile(target, "old contents"));
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.isOpen());
        EXPECT_NE(file.temporaryPath(), target);
        EXPECT_EQ(directoryPart(file.temporaryPath()), dir.path().string()); // same file system
        EXPECT_TRUE(file.write("new "));
        EXPECT_EQ(std::fputs("contents", file.stream()), 1);
        EXPECT_EQ(readFile(target), "old contents"); // nothing visible before the commit
        EXPECT_TRUE(file.commit());
        EXPECT_EQ(file.error(), 0);
        EXPECT_FALSE(file.commit()); // only once
    }
    EXPECT_EQ(readFile(target), "new contents");
    EXPECT_EQ(entryCount(dir), 1u);
}

TEST(AtomicFile, AbandonedWriteLeavesOldFileAndNoTemporary) {
    TempDir dir;
    const std::string target = (dir / "résumé.jpg").string();
    ASSERT_TRUE(writeFile(target, "old"));
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.write(std::string(100000, 'x')));
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(entryCount(dir), 1u);

    AtomicFile discarded(target);
    ASSERT_TRUE(discarded.write("y"));
    discarded.discard();
    EXPECT_FALSE(discarded.commit());
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(entryCount(dir), 1u);
}

TEST(AtomicFile, FailedRenameLeavesTargetAndNoTemporary) {
    TempDir dir;
    // A folder in the way cannot be replaced by a file, not even by root.
    const std::string target = (dir / "taken").string();
    ASSERT_TRUE(createDirectories(target + "/inside"));
    EXPECT_FALSE(writeFileAtomically(target, "data"));
    EXPECT_TRUE(isDirectory(target + "/inside"));
    EXPECT_EQ(entryCount(dir), 1u);

    AtomicFile file(target);
    ASSERT_TRUE(file.write("data"));
    EXPECT_FALSE(file.commit());
    EXPECT_NE(file.error(), 0);
    EXPECT_EQ(entryCount(dir), 1u);
}

TEST(AtomicFile, MissingFolderOrNoNameFailsCleanly) {
    TempDir dir;
    AtomicFile file((dir / "missing/config.dat").string());
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.stream(), nullptr);
    EXPECT_EQ(file.descriptor(), -1);
    EXPECT_FALSE(file.write("x"));
    EXPECT_FALSE(file.commit());
    EXPECT_NE(file.error(), 0);
    EXPECT_FALSE(fileExists((dir / "missing").string()));

    EXPECT_FALSE(writeFileAtomically(dir.path().string() + "/", "x"));
    EXPECT_FALSE(writeFileAtomically("", "x"));
    EXPECT_EQ(entryCount(dir), 0u);
}

TEST(AtomicFile, WritesNewFilesAndEmptyContents) {
    TempDir dir;
    const std::string target = (dir / "новый файл.txt").string();
    EXPECT_TRUE(writeFileAtomically(target, ""));
    EXPECT_TRUE(isRegularFile(target));
    EXPECT_EQ(fileSize(target), 0u);
    const std::string binary("\0\xff\r\n\0", 5);
    EXPECT_TRUE(writeFileAtomically(target, binary));
    EXPECT_EQ(readFile(target), binary);
}

TEST(AtomicFile, KeepsPermissionsOfReplacedFileAndHonoursUmaskForNewOnes) {
    TempDir dir;
    const std::string existing = (dir / "existing").string();
    ASSERT_TRUE(writeFile(existing, "old"));
    ASSERT_EQ(chmod(existing.c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(existing, "new"));
    EXPECT_EQ(permissions(existing), 0640u);

    const mode_t old = umask(027);
    const std::string fresh = (dir / "fresh").string();
    const bool written = writeFileAtomically(fresh, "x");
    umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ(permissions(fresh), 0640u); // 0666 & ~027, not mkstemp's 0600
}

TEST(AtomicFile, WritesThroughASymbolicLink) {
    TempDir dir;
    const std::string real = (dir / "real.dat").string();
    const std::string link = (dir / "link.dat").string();
    ASSERT_TRUE(writeFile(real, "old"));
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(link, "new"));
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)); // the link survives
    EXPECT_EQ(readFile(real), "new");
}

} // namespace
} // namespace scalora
