#include "engine/file_gatherer.h"
#include "platform/file_system.h"
#include "support/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

class FileGathererTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = dir_.path().string();
        for (const char* name : {"b.jpg", "a.PNG", "c.gif", "d.txt", "e.jpeg", "f.tiff",
                                 ".hidden.jpg", "sub/g.bmp", "sub/deeper/h.tif", ".secret/i.jpg",
                                 "noext", "x.jp", "out/result.jpg", "outside/j.jpg"}) {
            fs::create_directories((dir_ / name).parent_path());
            test::writeFile(dir_ / name, "x");
        }
    }
    std::string p(const std::string& relative) const { return root_ + "/" + relative; }
    std::vector<std::string> gather(std::vector<std::string> paths, bool recursive = true,
                                    std::string destination = {}) const {
        GatherOptions options;
        options.recursive = recursive;
        options.destinationText = std::move(destination);
        options.cwd = root_;
        return gatherImageFiles(paths, options);
    }

    TempDir dir_;
    std::string root_;
};

TEST_F(FileGathererTest, FoldersGiveTheirAcceptedVisibleFiles) {
    EXPECT_EQ(gather({root_}, false),
              (std::vector<std::string>{p("a.PNG"), p("b.jpg"), p("e.jpeg"), p("f.tiff")}));
    EXPECT_EQ(gather({root_ + "/"}, true),
              (std::vector<std::string>{p("a.PNG"), p("b.jpg"), p("e.jpeg"), p("f.tiff"),
                                        p("out/result.jpg"), p("outside/j.jpg"), p("sub/g.bmp"),
                                        p("sub/deeper/h.tif")}));
    // Only GIFs: nothing.
    fs::create_directories(dir_ / "gifs");
    test::writeFile(dir_ / "gifs" / "x.GIF", "x");
    EXPECT_TRUE(gather({p("gifs")}).empty());
}

TEST_F(FileGathererTest, FilesAreTakenAsGivenWhenAcceptedAndVisible) {
    EXPECT_EQ(gather({"b.jpg", p("c.gif"), p(".hidden.jpg"), p("missing.jpg"), "  sub/g.bmp ",
                      p("noext"), p("x.jp")}),
              (std::vector<std::string>{p("b.jpg"), p("sub/g.bmp")}));
    EXPECT_TRUE(isAcceptedImageExtension("TIFF"));
    EXPECT_FALSE(isAcceptedImageExtension("gif"));
    EXPECT_FALSE(isAcceptedImageExtension("jpegs"));
}

TEST_F(FileGathererTest, EachFileOnceHoweverItIsReached) {
    fs::create_symlink(dir_ / "b.jpg", dir_ / "sub" / "link.jpg");
    fs::create_hard_link(dir_ / "a.PNG", dir_ / "sub" / "hard.png");
    const std::vector<std::string> files =
        gather({p("b.jpg"), p("./b.jpg"), p("sub"), root_ + "//b.jpg", p("a.PNG")});
    // First come, first kept: the hard link in sub is met before a.PNG itself.
    EXPECT_EQ(files, (std::vector<std::string>{p("b.jpg"), p("sub/g.bmp"), p("sub/hard.png"),
                                               p("sub/deeper/h.tif")}));
    EXPECT_TRUE(isSameFile(p("a.PNG"), p("sub/hard.png")));
    EXPECT_FALSE(isSameFile(p("a.PNG"), p("b.jpg")));
}

TEST_F(FileGathererTest, LinksToFoldersAreFollowedButNeverInCircles) {
    fs::create_directory_symlink(dir_.path(), dir_ / "sub" / "deeper" / "loop");
    fs::create_directory_symlink(dir_ / "sub", dir_ / "linked");
    const std::vector<std::string> viaLink = gather({p("linked")});
    EXPECT_EQ(viaLink.size(), 8U); // the loop leads back to the root once, never again
    EXPECT_EQ(viaLink.front(), p("linked/g.bmp"));
    const std::vector<std::string> all = gather({root_});
    EXPECT_EQ(all.size(), 8U);
}

TEST_F(FileGathererTest, ResultsInTheDestinationAreLeftOut) {
    std::vector<std::string> files = gather({root_}, true, p("out"));
    EXPECT_EQ(std::count(files.begin(), files.end(), p("out/result.jpg")), 0);
    EXPECT_EQ(std::count(files.begin(), files.end(), p("outside/j.jpg")), 1);
    // Through a link to the destination as well, and with a relative destination.
    fs::create_directory_symlink(dir_ / "out", dir_ / "sub" / "results");
    files = gather({p("sub")}, true, " out/ ");
    EXPECT_EQ(files, (std::vector<std::string>{p("sub/g.bmp"), p("sub/deeper/h.tif")}));
    // A destination that does not exist leaves everything.
    EXPECT_EQ(gather({p("out")}, true, p("nowhere")).size(), 1U);
}

} // namespace
} // namespace scalora
