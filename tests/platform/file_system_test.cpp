#include "platform/file_system.h"
#include "platform/module_path.h"
#include "platform/user_folders.h"
#include "support/test_support.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scalora {
namespace {

using test::TempDir;
using test::writeFile;

TEST(FileSystem, QueriesTellFilesFoldersAndLinksApart) {
    TempDir dir;
    const std::string file = (dir / "Größe ñ.jpg").string();
    const std::string folder = (dir / "日本").string();
    ASSERT_TRUE(writeFile(file, "12345"));
    ASSERT_TRUE(createDirectories(folder));
    ASSERT_EQ(symlink(folder.c_str(), (dir / "link").c_str()), 0);
    ASSERT_EQ(symlink((dir / "nowhere").c_str(), (dir / "dangling").c_str()), 0);

    EXPECT_TRUE(fileExists(file));
    EXPECT_TRUE(isRegularFile(file));
    EXPECT_FALSE(isDirectory(file));
    EXPECT_EQ(fileSize(file), 5u);
    EXPECT_TRUE(isDirectory(folder));
    EXPECT_TRUE(isDirectory(folder + "/"));
    EXPECT_FALSE(isRegularFile(folder));
    EXPECT_EQ(fileSize(folder), std::nullopt);
    EXPECT_TRUE(isDirectory((dir / "link").string())); // links count as what they point to
    EXPECT_TRUE(fileExists((dir / "dangling").string()));
    EXPECT_FALSE(isRegularFile((dir / "dangling").string()));
    EXPECT_FALSE(fileExists((dir / "missing").string()));
    EXPECT_EQ(fileSize((dir / "missing").string()), std::nullopt);
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(isDirectory(""));
    ASSERT_TRUE(writeFile(dir / "empty", ""));
    EXPECT_EQ(fileSize((dir / "empty").string()), 0u);
}

TEST(FileSystem, HiddenMeansTheLastNameStartsWithADot) {
    EXPECT_TRUE(isHidden(".config"));
    EXPECT_TRUE(isHidden("/home/u/.cache"));
    EXPECT_TRUE(isHidden("/home/u/.cache/"));
    EXPECT_TRUE(isHidden("a/.b.jpg"));
    EXPECT_FALSE(isHidden("/home/.u/photo.jpg")); // only the last name counts
    EXPECT_FALSE(isHidden("photo.jpg"));
    EXPECT_FALSE(isHidden("/"));
    EXPECT_FALSE(isHidden(""));
    EXPECT_FALSE(isHidden("a./b"));
}

TEST(FileSystem, ListingIsSortedAndCanSkipHiddenEntries) {
    TempDir dir;
    ASSERT_TRUE(writeFile(dir / "b.png", "x"));
    ASSERT_TRUE(writeFile(dir / "Ä.jpg", "x"));
    ASSERT_TRUE(writeFile(dir / ".hidden.jpg", "x"));
    ASSERT_TRUE(createDirectories((dir / "a folder").string()));
    ASSERT_TRUE(createDirectories((dir / ".git").string()));

    const auto all = listDirectory(dir.path().string());
    ASSERT_TRUE(all.has_value());
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : *all) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{".git", ".hidden.jpg", "a folder", "b.png", "Ä.jpg"}));
    EXPECT_TRUE((*all)[2].isDirectory);
    EXPECT_FALSE((*all)[2].isRegularFile);
    EXPECT_TRUE((*all)[3].isRegularFile);

    const auto visible = listDirectory(dir.path().string() + "/", HiddenEntries::Skip);
    ASSERT_TRUE(visible.has_value());
    ASSERT_EQ(visible->size(), 3u);
    EXPECT_EQ(visible->front().name, "a folder");

    EXPECT_FALSE(listDirectory((dir / "missing").string()).has_value());
    EXPECT_FALSE(listDirectory((dir / "b.png").string()).has_value());
    EXPECT_FALSE(listDirectory("").has_value());
    ASSERT_TRUE(createDirectories((dir / "empty").string()));
    EXPECT_EQ(listDirectory((dir / "empty").string()), std::vector<DirectoryEntry>{});
}

TEST(FileSystem, SameFileMeansSameInodeNotSameSpelling) {
    TempDir dir;
    const std::string file = (dir / "photo.jpg").string();
    ASSERT_TRUE(writeFile(file, "x"));
    ASSERT_TRUE(writeFile(dir / "PHOTO.jpg", "x"));
    ASSERT_EQ(link(file.c_str(), (dir / "hard").c_str()), 0);
    ASSERT_EQ(symlink(file.c_str(), (dir / "soft").c_str()), 0);

    EXPECT_TRUE(isSameFile(file, file));
    EXPECT_TRUE(isSameFile(file, dir.path().string() + "//./photo.jpg"));
    EXPECT_TRUE(isSameFile(file, (dir / "hard").string()));
    EXPECT_TRUE(isSameFile(file, (dir / "soft").string()));
    EXPECT_FALSE(isSameFile(file, (dir / "PHOTO.jpg").string())); // case matters here
    EXPECT_FALSE(isSameFile(file, (dir / "missing").string()));
    EXPECT_FALSE(isSameFile((dir / "missing").string(), (dir / "missing").string()));
}

TEST(FileSystem, StatusAndCanonicalPathSeeThroughLinks) {
    TempDir dir;
    const std::string file = (dir / "photo.jpg").string();
    ASSERT_TRUE(writeFile(file, "1234"));
    ASSERT_TRUE(createDirectories((dir / "sub").string()));
    ASSERT_EQ(symlink(file.c_str(), (dir / "sub" / "soft").c_str()), 0);
    ASSERT_EQ(symlink((dir / "nowhere").c_str(), (dir / "dangling").c_str()), 0);

    const std::optional<FileStatus> status = fileStatus((dir / "sub" / "soft").string());
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->kind, FileKind::RegularFile);
    EXPECT_EQ(status->size, 4u);
    EXPECT_EQ(status->identity, fileStatus(file)->identity);
    EXPECT_EQ(fileStatus((dir / "sub").string())->kind, FileKind::Directory);
    EXPECT_NE(fileStatus((dir / "sub").string())->identity, status->identity);
    EXPECT_EQ(fileStatus((dir / "dangling").string()), std::nullopt);
    EXPECT_EQ(fileStatus(""), std::nullopt);

    const std::string real = canonicalPath(dir.path().string()).value_or("");
    EXPECT_EQ(canonicalPath((dir / "sub/../sub/./soft").string()), real + "/photo.jpg");
    EXPECT_EQ(canonicalPath((dir / "dangling").string()), std::nullopt);
    EXPECT_EQ(canonicalPath(""), std::nullopt);

    const auto entries = listDirectory((dir / "sub").string());
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ(entries->front().identity, status->identity);

    EXPECT_EQ(currentDirectory(), canonicalPath(".").value_or("?"));
}

TEST(FileSystem, CreatesWholeFolderChains) {
    TempDir dir;
    const std::string deep = (dir / "ä/b//c/").string();
    EXPECT_TRUE(createDirectories(deep));
    EXPECT_TRUE(isDirectory((dir / "ä/b/c").string()));
    EXPECT_TRUE(createDirectories(deep)); // already there
    ASSERT_TRUE(writeFile(dir / "file", "x"));
    EXPECT_FALSE(createDirectories((dir / "file/sub").string()));
    EXPECT_FALSE(createDirectories((dir / "file").string()));
    EXPECT_FALSE(createDirectories(""));
}

TEST(FileSystem, CopiesAccessAndModificationTimesToTheNanosecond) {
    TempDir dir;
    const std::string source = (dir / "source").string();
    const std::string target = (dir / "target").string();
    ASSERT_TRUE(writeFile(source, "a"));
    ASSERT_TRUE(writeFile(target, "b"));
    const timespec times[2] = {{1000000000, 123456789}, {1200000000, 987654321}};
    ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), times, 0), 0);

    ASSERT_TRUE(copyFileTimes(source, target));
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_atim.tv_sec, 1000000000);
    EXPECT_EQ(info.st_atim.tv_nsec, 123456789);
    EXPECT_EQ(info.st_mtim.tv_sec, 1200000000);
    EXPECT_EQ(info.st_mtim.tv_nsec, 987654321);

    EXPECT_FALSE(copyFileTimes((dir / "missing").string(), target));
    EXPECT_FALSE(copyFileTimes(source, (dir / "missing").string()));
}

TEST(FileSystem, FreeSpaceIsKnownForRealFoldersOnly) {
    TempDir dir;
    const auto free = freeBytes(dir.path().string());
    ASSERT_TRUE(free.has_value());
    EXPECT_GT(*free, 0u);
    EXPECT_FALSE(freeBytes((dir / "missing/deeper").string()).has_value());
    EXPECT_FALSE(freeBytes("").has_value());
}

TEST(ModulePath, NamesThisTestProgram) {
    const std::string path = modulePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_TRUE(isRegularFile(path));
    EXPECT_EQ(moduleDirectory(), test::binDir().string());
    EXPECT_NE(moduleDirectory().back(), '/');
}

class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            hadOld_ = true;
        }
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvironmentOverride() {
        if (hadOld_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(UserFolders, ConfigFolderFollowsXdgThenHome) {
    {
        EnvironmentOverride config("XDG_CONFIG_HOME", "/x/conf/");
        EXPECT_EQ(userConfigDirectory(), "/x/conf");
        EXPECT_EQ(applicationDataDirectory("Halvorn Scalora"), "/x/conf/Halvorn Scalora");
        EXPECT_EQ(applicationDataDirectory(""), "");
    }
    {
        EnvironmentOverride config("XDG_CONFIG_HOME", "relative/conf"); // ignored
        EnvironmentOverride home("HOME", "/home/zoë");
        EXPECT_EQ(userConfigDirectory(), "/home/zoë/.config");
    }
    {
        EnvironmentOverride config("XDG_CONFIG_HOME", "");
        EnvironmentOverride home("HOME", "/home/u/");
        EXPECT_EQ(userConfigDirectory(), "/home/u/.config");
    }
    {
        // Without HOME the password database still knows the home folder.
        EnvironmentOverride config("XDG_CONFIG_HOME", nullptr);
        EnvironmentOverride home("HOME", nullptr);
        const std::string folder = userConfigDirectory();
        ASSERT_FALSE(folder.empty());
        EXPECT_EQ(folder.front(), '/');
        EXPECT_EQ(folder.substr(folder.size() - 8), "/.config");
    }
}

} // namespace
} // namespace scalora
