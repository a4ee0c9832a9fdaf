#include "base/paths.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(Paths, NamePartsOfAnImagePath) {
    EXPECT_EQ(fileName("/home/ann/Pics/Photo.Final.JPG"), "Photo.Final.JPG");
    EXPECT_EQ(baseName("/home/ann/Pics/Photo.Final.JPG"), "Photo.Final");
    EXPECT_EQ(extension("/home/ann/Pics/Photo.Final.JPG"), "JPG");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(extension("/home/ann/v1.2/README"), "");
    EXPECT_EQ(baseName("/home/ann/v1.2/README"), "README");
    EXPECT_EQ(baseName("/x/.hidden"), "");
    EXPECT_EQ(extension("/x/.hidden"), "hidden");
    EXPECT_EQ(fileName("/x/folder/"), "");
    EXPECT_EQ(baseName("Ärger.png"), "Ärger");
}

TEST(Paths, DirectoryAndJoin) {
    EXPECT_EQ(directoryPart("/a/b.jpg"), "/a");
    EXPECT_EQ(directoryPart("/b.jpg"), "/");
    EXPECT_EQ(directoryPart("b.jpg"), "");
    EXPECT_EQ(joinPath("/a", "b.jpg"), "/a/b.jpg");
    EXPECT_EQ(joinPath("/a/", "b.jpg"), "/a/b.jpg");
    EXPECT_EQ(joinPath("/a", "/c"), "/c");
    EXPECT_EQ(joinPath("", "b"), "b");
    EXPECT_EQ(withTrailingSeparator("/a"), "/a/");
    EXPECT_EQ(withTrailingSeparator("/a/"), "/a/");
    EXPECT_EQ(withTrailingSeparator(""), "/");
    EXPECT_EQ(withoutTrailingSeparator("/a//"), "/a");
    EXPECT_EQ(withoutTrailingSeparator("/"), "/");
}

TEST(Paths, HomeExpansionOnlyForTildeSlash) {
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    const std::string h = withoutTrailingSeparator(home);
    EXPECT_EQ(expandHome("~/Pictures"), h + "/Pictures");
    EXPECT_EQ(expandHome("~"), h);
    EXPECT_EQ(expandHome("~ann/x"), "~ann/x");
    EXPECT_EQ(expandHome("/a/~/b"), "/a/~/b");
}

TEST(Paths, NormalisationIsLexical) {
    EXPECT_EQ(normalizePath("/a//b/./c/../d"), "/a/b/d");
    EXPECT_EQ(normalizePath("/../x"), "/x");
    EXPECT_EQ(normalizePath("/a/b/"), "/a/b/");
    EXPECT_EQ(normalizePath("/a/b/.."), "/a/");
    EXPECT_EQ(normalizePath("out", "/home/ann"), "/home/ann/out");
    EXPECT_EQ(normalizePath("../x", "/home/ann"), "/home/x");
    EXPECT_EQ(normalizePath("a/../.."), "../");
    EXPECT_EQ(normalizePath("/"), "/");
    EXPECT_EQ(normalizePath(""), "");
}

} // namespace
} // namespace scalora
