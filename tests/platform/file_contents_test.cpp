#include "platform/file_contents.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scalora {
namespace {

using test::TempDir;
using test::writeFile;

TEST(FileContents, ReadsRegularFilesUpToTheCap) {
    TempDir dir;
    const std::string file = (dir / "data.bin").string();
    ASSERT_TRUE(writeFile(file, std::string(100000, 'x') + "end"));
    ASSERT_EQ(symlink(file.c_str(), (dir / "link").c_str()), 0);

    std::string text;
    ASSERT_TRUE(readRegularFile(file, 100003, text)); // exactly at the cap
    EXPECT_EQ(text.size(), 100003u);
    EXPECT_TRUE(text.ends_with("end"));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readRegularFile((dir / "link").string(), 1 << 20, bytes));
    EXPECT_EQ(bytes.size(), 100003u);

    text = "stale";
    EXPECT_FALSE(readRegularFile(file, 100002, text)); // one byte too many
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(readRegularFile(dir.path().string(), 1 << 20, text));
    EXPECT_FALSE(readRegularFile((dir / "missing").string(), 1 << 20, text));
    EXPECT_FALSE(readRegularFile("", 1 << 20, text));
    // A pipe would block the reader until a writer comes, a device may never end.
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(readRegularFile(fifo, 1 << 20, text));
    EXPECT_FALSE(readRegularFile("/dev/zero", 1 << 20, bytes));

    ASSERT_TRUE(writeFile(dir / "empty", ""));
    EXPECT_TRUE(readRegularFile((dir / "empty").string(), 0, text));
    EXPECT_TRUE(text.empty());
}

TEST(FileContents, HeadGivesTheFirstBytesAndTheWholeSize) {
    TempDir dir;
    const std::string file = (dir / "image").string();
    ASSERT_TRUE(writeFile(file, "0123456789"));
    std::vector<std::uint8_t> head;
    std::uint64_t size = 0;
    ASSERT_TRUE(readRegularFileHead(file, 4, head, size));
    EXPECT_EQ(std::string(head.begin(), head.end()), "0123");
    EXPECT_EQ(size, 10u);
    ASSERT_TRUE(readRegularFileHead(file, 64, head, size));
    EXPECT_EQ(head.size(), 10u);
    EXPECT_FALSE(readRegularFileHead(dir.path().string(), 4, head, size));
    EXPECT_TRUE(head.empty());
    EXPECT_EQ(size, 0u);
}

} // namespace
} // namespace scalora
