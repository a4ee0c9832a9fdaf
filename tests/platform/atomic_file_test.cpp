#include "base/paths.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "support/test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
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
        EXPECT_TRUE(file.write("new "));
        EXPECT_EQ(std::fputs("contents", file.stream()), 1);
        EXPECT_EQ(readFile(target), "old contents"); // nothing visible before the commit
        EXPECT_EQ(entryCount(dir), 1u);              // not even a temporary name
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

TEST(AtomicFile, ReplacesALinkItselfWhenAskedTo) {
    TempDir dir;
    const std::string outside = (dir / "outside.txt").string();
    ASSERT_TRUE(createDirectories((dir / "dest").string()));
    const std::string link = (dir / "dest/result.jpg").string();
    ASSERT_TRUE(writeFile(outside, "precious"));
    ASSERT_EQ(symlink(outside.c_str(), link.c_str()), 0);
    ASSERT_TRUE(writeFileAtomically(link, "image", TargetLink::Replace));
    EXPECT_EQ(readFile(outside), "precious");
    struct stat info {};
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(readFile(link), "image");

    // Relative to an open folder, the same.
    ASSERT_EQ(symlink(outside.c_str(), (dir / "dest/b.txt").string().c_str()), 0);
    const FileDescriptor folder(::open((dir / "dest").string().c_str(), O_RDONLY | O_DIRECTORY));
    AtomicFile relative(folder.get(), "b.txt");
    ASSERT_TRUE(relative.write("b") && relative.commit());
    EXPECT_EQ(readFile(outside), "precious");
    EXPECT_EQ(readFile((dir / "dest/b.txt").string()), "b");
}

TEST(AtomicFile, LandsInItsFolderWhenTheFolderIsRenamedMeanwhile) {
    TempDir dir;
    ASSERT_TRUE(createDirectories((dir / "dest").string()));
    AtomicFile file((dir / "dest/a.png").string(), TargetLink::Replace);
    ASSERT_TRUE(file.write("png"));
    ASSERT_EQ(rename((dir / "dest").string().c_str(), (dir / "moved").string().c_str()), 0);
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(readFile((dir / "moved/a.png").string()), "png");
    EXPECT_EQ(listDirectory((dir / "moved").string())->size(), 1u);
    EXPECT_FALSE(fileExists((dir / "dest").string()));
}

TEST(AtomicFile, StaleTemporariesOfOurNamingAreRemovedLiveOnesKept) {
    TempDir dir;
    const std::string stale = (dir / ".a.jpg.tmp-Ab3xY9").string();
    const std::string live = (dir / ".b.jpg.tmp-Zz0000").string();
    ASSERT_TRUE(writeFile(stale, "half"));
    ASSERT_TRUE(writeFile(live, "in progress"));
    for (const char* name :
         {".c.jpg.tmp-12345", ".tmp-abcdef", "d.jpg.tmp-abcdef", ".e.jpg.tmp-abc_ef", ".f.jpg"}) {
        ASSERT_TRUE(writeFile((dir / name).string(), "not ours"));
    }
    const FileDescriptor writer(::open(live.c_str(), O_RDONLY));
    ASSERT_EQ(::flock(writer.get(), LOCK_EX), 0);
    EXPECT_EQ(removeStaleTemporaries(dir.path().string()), 1);
    EXPECT_FALSE(fileExists(stale));
    EXPECT_TRUE(fileExists(live));
    EXPECT_EQ(entryCount(dir), 6u);
    EXPECT_TRUE(isTemporaryFileName(".a.jpg.tmp-Ab3xY9"));
    EXPECT_FALSE(isTemporaryFileName(".tmp-abcdef"));
}

} // namespace
} // namespace scalora
