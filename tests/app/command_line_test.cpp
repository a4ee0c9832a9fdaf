#include "app/command_line.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace scalora {
namespace {

using Paths = std::vector<std::string>;

TEST(CommandLine, EveryArgumentAfterTheProgramIsAPath) {
    EXPECT_EQ(commandLinePaths({}), Paths{});
    EXPECT_EQ(commandLinePaths({"/usr/bin/scalora"}), Paths{}); // the program alone adds nothing
    EXPECT_EQ(commandLinePaths({"/usr/bin/scalora", "/a/b.jpg", "/c d/e f.png"}),
              (Paths{"/a/b.jpg", "/c d/e f.png"}));
    // There are no switches: "--help" is a file name like any other.
    EXPECT_EQ(commandLinePaths({"scalora", "--help", "-"}), (Paths{"--help", "-"}));
    // Order and duplicates are kept; duplicates are the image list's business.
    EXPECT_EQ(commandLinePaths({"scalora", "b", "a", "b"}), (Paths{"b", "a", "b"}));
}

TEST(CommandLine, ArgumentsAreTrimmedOfWhiteSpaceThenQuotes) {
    EXPECT_EQ(cleanCommandLinePath("  /photos/Ärger.jpg\t"), "/photos/Ärger.jpg");
    EXPECT_EQ(cleanCommandLinePath("\"/photos/x.jpg\""), "/photos/x.jpg");
    EXPECT_EQ(cleanCommandLinePath(" \"\"/photos/x.jpg\" \n"), "/photos/x.jpg");
    // White space inside the quotes stays: it was inside the quoted name.
    EXPECT_EQ(cleanCommandLinePath("\" /a \""), " /a ");
    EXPECT_EQ(cleanCommandLinePath("/a\"b\".jpg"), "/a\"b\".jpg"); // inner quotes untouched
    EXPECT_EQ(cleanCommandLinePath("\u00a0/日本/写真.jpg\u3000"), "/日本/写真.jpg");
    EXPECT_EQ(cleanCommandLinePath("/folder/"), "/folder/");

    // Pieces left empty are dropped.
    EXPECT_EQ(commandLinePaths({"scalora", "", "   ", "\"\"", "\" \"", "x"}), (Paths{" ", "x"}));
}

TEST(CommandLine, PathsForTheRunningInstanceAreAbsolute) {
    setenv("HOME", "/home/ü", 1);
    EXPECT_EQ(absoluteCommandLinePaths({"a b.jpg", "/x/y.png", "~", "~/p.tif", "~other/q"}, "/w"),
              (Paths{"/w/a b.jpg", "/x/y.png", "/home/ü", "/home/ü/p.tif", "/w/~other/q"}));
    // Without a known working folder a relative path has no place and is left out.
    EXPECT_EQ(absoluteCommandLinePaths({"a.jpg", "/b.jpg"}, ""), Paths{"/b.jpg"});
}

TEST(CommandLine, PathsAreHandedOutOnce) {
    PendingCommandLinePaths pending(commandLinePaths({"scalora", "/a.jpg", "/b"}));
    EXPECT_FALSE(pending.taken());
    EXPECT_EQ(pending.take(), (Paths{"/a.jpg", "/b"}));
    EXPECT_TRUE(pending.taken());
    EXPECT_EQ(pending.take(), Paths{});
}

} // namespace
} // namespace scalora
