#include "data/resource_archive.h"
#include "pak_commands.h"
#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace scalora {
namespace {

// Every folder and file below root, relative, with file contents (folders map to "<dir>").
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        tree[relative] = entry.is_directory() ? "<dir>" : test::readFile(entry.path());
    }
    return tree;
}

int runTool(const std::string& arguments) {
    const std::string command =
        (test::binDir() / "scalora-pak").string() + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ScaloraPak, PackListExtractRoundTripsExactly) {
    test::TempDir dir;
    const fs::path source = dir / "src";
    fs::create_directories(source / "images");
    fs::create_directories(source / "xml");
    fs::create_directories(source / "leer");
    fs::create_directories(source / "größe 写真");
    std::string binary;
    for (int i = 0; i < 256; ++i) {
        binary += static_cast<char>(i);
    }
    ASSERT_TRUE(test::writeFile(source / "images" / "b.png", binary));
    ASSERT_TRUE(test::writeFile(source / "images" / "a.png", "first"));
    ASSERT_TRUE(test::writeFile(source / "xml" / "empty.xml", ""));
    ASSERT_TRUE(test::writeFile(source / "größe 写真" / "ü.txt", "\xEF\xBB\xBFtext"));

    std::string error;
    const std::string pak = (dir / "out.pak").string();
    ASSERT_TRUE(pak::pack(source.string(), pak, error)) << error;

    std::ostringstream listing;
    ASSERT_TRUE(pak::list(pak, listing, error)) << error;
    EXPECT_EQ(listing.str(), "größe 写真/ü.txt\t7\n"
                             "images/a.png\t5\n"
                             "images/b.png\t256\n"
                             "leer/\n"
                             "xml/empty.xml\t0\n");

    ResourceArchive archive;
    ASSERT_TRUE(archive.readFile(pak));
    EXPECT_EQ(archive.findFile("größe 写真", "ü.txt")->text(), "text");

    std::ostringstream warnings;
    ASSERT_TRUE(pak::extract(pak, (dir / "back").string(), warnings, error)) << error;
    EXPECT_EQ(snapshot(dir / "back"), snapshot(source));
    EXPECT_EQ(warnings.str(), "");

    // Packing the extracted tree gives the same archive, byte for byte.
    const std::string again = (dir / "again.pak").string();
    ASSERT_TRUE(pak::pack((dir / "back").string(), again, error)) << error;
    EXPECT_EQ(test::readFile(again), test::readFile(pak));
}

TEST(ScaloraPak, RefusesWhatTheFormatCannotHold) {
    test::TempDir dir;
    std::string error;
    EXPECT_FALSE(pak::pack((dir / "missing").string(), (dir / "x.pak").string(), error));
    fs::create_directories(dir / "flat");
    ASSERT_TRUE(test::writeFile(dir / "flat" / "loose.txt", "x"));
    EXPECT_FALSE(pak::pack((dir / "flat").string(), (dir / "x.pak").string(), error));
    EXPECT_NE(error.find("loose.txt"), std::string::npos);
    fs::create_directories(dir / "deep" / "a" / "b");
    EXPECT_FALSE(pak::pack((dir / "deep").string(), (dir / "x.pak").string(), error));
    fs::create_directories(dir / "long" / std::string(200, 'n'));
    ASSERT_TRUE(test::writeFile(dir / "long" / std::string(200, 'n') / std::string(250, 'f'), ""));
    EXPECT_TRUE(pak::pack((dir / "long").string(), (dir / "x.pak").string(), error)) << error;

    std::ostringstream out;
    EXPECT_FALSE(pak::list((dir / "flat" / "loose.txt").string(), out, error));
}

TEST(ScaloraPak, ExtractKeepsInsideTheDestination) {
    test::TempDir dir;
    std::string error;
    std::ostringstream warnings;
    const auto write = [&](const ResourceArchive& archive) {
        std::string bytes;
        ASSERT_TRUE(encodeArchive(archive, bytes));
        ASSERT_TRUE(test::writeFile(dir / "crafted.pak", bytes));
    };
    for (const char* bad : {"..", ".", "", "a/b"}) {
        ResourceArchive archive;
        archive.addFolder(bad).addFile("x", "1");
        write(archive);
        EXPECT_FALSE(
            pak::extract((dir / "crafted.pak").string(), (dir / "out").string(), warnings, error))
            << bad;
        ResourceArchive fileArchive;
        fileArchive.addFolder("f").addFile(bad, "1");
        write(fileArchive);
        EXPECT_FALSE(
            pak::extract((dir / "crafted.pak").string(), (dir / "out").string(), warnings, error))
            << bad;
    }
    EXPECT_FALSE(fs::exists(dir / "x"));

    // A duplicate keeps the first file, the one lookups find.
    ResourceArchive archive;
    ArchiveFolder& folder = archive.addFolder("f");
    folder.addFile("same", "first");
    folder.addFile("same", "second");
    write(archive);
    ASSERT_TRUE(
        pak::extract((dir / "crafted.pak").string(), (dir / "out").string(), warnings, error));
    EXPECT_EQ(test::readFile(dir / "out" / "f" / "same"), "first");
    EXPECT_NE(warnings.str().find("f/same"), std::string::npos);

    // Links already in the destination redirect nothing: a folder link is refused, a file
    // link is replaced by the file, and what they point to stays as it was.
    fs::create_directories(dir / "outside");
    ASSERT_TRUE(test::writeFile(dir / "victim", "keep"));
    fs::create_symlink(dir / "outside", dir / "out" / "d");
    fs::create_symlink(dir / "victim", dir / "out" / "f" / "v");
    ResourceArchive linked;
    linked.addFolder("f").addFile("v", "new");
    write(linked);
    ASSERT_TRUE(
        pak::extract((dir / "crafted.pak").string(), (dir / "out").string(), warnings, error));
    EXPECT_EQ(test::readFile(dir / "victim"), "keep");
    EXPECT_FALSE(fs::is_symlink(dir / "out" / "f" / "v"));
    EXPECT_EQ(test::readFile(dir / "out" / "f" / "v"), "new");
    ResourceArchive throughFolder;
    throughFolder.addFolder("d").addFile("a.txt", "1");
    write(throughFolder);
    EXPECT_FALSE(
        pak::extract((dir / "crafted.pak").string(), (dir / "out").string(), warnings, error));
    EXPECT_TRUE(fs::is_empty(dir / "outside"));
}

TEST(ScaloraPak, ListEscapesControlCharacters) {
    test::TempDir dir;
    ResourceArchive archive;
    archive.addFolder("a\x1b]0;owned\x07").addFile("b\\c\xc2\x9b", "1");
    std::string bytes;
    ASSERT_TRUE(encodeArchive(archive, bytes));
    ASSERT_TRUE(test::writeFile(dir / "names.pak", bytes));
    std::ostringstream out;
    std::string error;
    ASSERT_TRUE(pak::list((dir / "names.pak").string(), out, error)) << error;
    EXPECT_EQ(out.str(), "a\\x1b]0;owned\\x07/b\\\\c\\x9b\t1\n");
}

TEST(ScaloraPak, CommandLineAndBuiltPackages) {
    test::TempDir dir;
    EXPECT_EQ(runTool(""), 2);
    EXPECT_EQ(runTool("pack onlyone"), 2);
    EXPECT_EQ(runTool("frobnicate a b"), 2);
    EXPECT_EQ(runTool("list " + (dir / "none.pak").string()), 1);
    const std::string pak = (dir / "data.pak").string();
    EXPECT_EQ(
        runTool("extract " + (test::binDir() / "data.pak").string() + " " + (dir / "x").string()),
        0);
    EXPECT_EQ(runTool("pack " + (dir / "x").string() + " " + pak), 0);
    // The build's data.pak comes from the assets folder and holds what start-up needs.
    EXPECT_EQ(test::readFile(pak), test::readFile(test::binDir() / "data.pak"));
    ResourceArchive data;
    ASSERT_TRUE(data.readFile(pak));
    EXPECT_NE(data.findFile("images", "window_icon_small.png"), nullptr);
    EXPECT_NE(data.findFile("images", "window_icon_big.png"), nullptr);
    ResourceArchive style;
    ASSERT_TRUE(style.readFile((test::binDir() / "default.style").string()));
    for (const char* name : {"skins.xml", "models.xml", "metrics.xml"}) {
        EXPECT_NE(style.findFile("xml", name), nullptr) << name;
    }
}

} // namespace
} // namespace scalora
