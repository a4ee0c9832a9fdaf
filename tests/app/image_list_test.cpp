#include "image_list_fixture.h"

#include <algorithm>
#include <filesystem>

namespace scalora::test {
namespace {

namespace fs = std::filesystem;

class ImageListTest : public ImageListFixture {
protected:
    std::vector<std::string> names(const std::vector<std::string>& paths) const {
        std::vector<std::string> out;
        for (const std::string& p : paths) {
            out.push_back(fs::relative(p, dir.path()).string());
        }
        return out;
    }
    std::vector<std::string> listedNames() const {
        std::vector<std::string> out;
        for (const ImageItem& item : list->items()) {
            out.push_back(fs::relative(item.path, dir.path()).string());
        }
        return out;
    }
};

TEST_F(ImageListTest, TheSameFileIsListedOnceWhateverNameItComesBy) {
    const std::string a = picture("a.png");
    fs::create_hard_link(a, dir / "hard.png");
    fs::create_symlink(a, dir / "soft.png");
    const std::string upper = picture("A.PNG"); // another file on a case-sensitive system
    EXPECT_TRUE(list->addImage(a));
    EXPECT_FALSE(list->addImage(a));
    EXPECT_FALSE(list->addImage("  " + a + " "));
    EXPECT_FALSE(list->addImage((dir / "hard.png").string()));
    EXPECT_FALSE(list->addImage((dir / "soft.png").string()));
    EXPECT_TRUE(list->addImage(upper));
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"a.png", "A.PNG"}));

    // Once excluded, the file may come back.
    list->excludeSelected({0});
    EXPECT_TRUE(list->addImage((dir / "hard.png").string()));
    EXPECT_TRUE(fs::exists(a)); // excluding never touches files
}

TEST_F(ImageListTest, AFolderOfGifsAloneGivesImagesNotFound) {
    fs::create_directories(dir / "gifs");
    ASSERT_TRUE(writeFile(dir / "gifs" / "one.gif", "GIF89a"));
    ASSERT_TRUE(writeFile(dir / "gifs" / "two.GIF", "GIF89a"));
    picture("gifs/.hidden.png");
    const std::vector<std::string> found = list->expandPaths({(dir / "gifs").string()});
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(list->addImages(found), 0);
    EXPECT_EQ(messages, (std::vector<std::string>{"Images not found."}));
    EXPECT_TRUE(host.calls.empty()); // never busy for nothing
}

TEST_F(ImageListTest, SubfoldersAreSearchedOnlyWhileTheSettingIsOn) {
    picture("photos/b.png");
    picture("photos/a.jpg");
    picture("photos/deeper/c.png");
    picture("photos/.private/d.png");
    ASSERT_TRUE(writeFile(dir / "photos" / "notes.txt", "x"));
    fs::create_directory_symlink(dir / "photos", dir / "link");
    const std::vector<std::string> given{(dir / "photos").string()};

    setBool("general/isUseSubfolders", true);
    EXPECT_EQ(names(list->expandPaths(given)),
              (std::vector<std::string>{"photos/a.jpg", "photos/b.png", "photos/deeper/c.png"}));
    // A link to a folder is gathered like the folder, and never twice.
    EXPECT_EQ(names(list->expandPaths({(dir / "link").string()})).size(), 3u);
    EXPECT_EQ(list->expandPaths({given[0], (dir / "link").string()}).size(), 3u);

    setBool("general/isUseSubfolders", false);
    EXPECT_EQ(names(list->expandPaths(given)),
              (std::vector<std::string>{"photos/a.jpg", "photos/b.png"}));
}

TEST_F(ImageListTest, ResultsInsideTheDestinationAreNotGatheredAgain) {
    picture("work/a.png");
    picture("work/out/a.png");
    const std::vector<std::string> given{(dir / "work").string(),
                                         (dir / "work" / "out" / "a.png").string()};
    setBool("general/isUseSubfolders", true);
    host.destination = (dir / "work" / "out").string() + "/";
    EXPECT_EQ(names(list->expandPaths(given)), (std::vector<std::string>{"work/a.png"}));
    host.destination = "  " + (dir / "work" / "Out").string(); // another folder here
    EXPECT_EQ(names(list->expandPaths(given)),
              (std::vector<std::string>{"work/a.png", "work/out/a.png"}));
}

TEST_F(ImageListTest, PreviewsAre48HighUnlessThePictureIsSmaller) {
    setBool("general/isShowPreview", true);
    ASSERT_TRUE(list->addImage(picture("tall.png", {480, 960})));
    ASSERT_TRUE(list->addImage(picture("low.png", {100, 40})));
    ASSERT_TRUE(list->addImage(picture("wide.png", {1000, 50})));
    const auto& items = list->items();
    EXPECT_EQ(items[0].thumbnail.size(), (Size{24, 48}));
    EXPECT_EQ(items[1].thumbnail.size(), (Size{100, 40}));
    EXPECT_EQ(items[2].thumbnail.size(), (Size{960, 48}));
    EXPECT_EQ((Size{items[0].width, items[0].height}), (Size{480, 960}));

    // Off: none made; switching on later makes the missing ones.
    setBool("general/isShowPreview", false);
    ASSERT_TRUE(list->addImage(picture("later.png", {96, 96})));
    EXPECT_TRUE(list->items()[3].thumbnail.isNull());
    host.calls.clear();
    list->setShowPreview(true);
    EXPECT_EQ(list->items()[3].thumbnail.size(), (Size{48, 48}));
    EXPECT_EQ(host.calls, (std::vector<std::string>{"begin", "turn", "progress 100", "end"}));
}

TEST_F(ImageListTest, AddingKeepsTheOrderReportsProgressAndStopsWhenTheProgramQuits) {
    std::vector<std::string> paths;
    for (const char* name : {"d.png", "c.png", "broken.png", "a.png"}) {
        paths.push_back(picture(name));
    }
    ASSERT_TRUE(writeFile(paths[2], "not a picture"));
    EXPECT_EQ(list->addImages(paths), 3);
    EXPECT_EQ(listedNames(), (std::vector<std::string>{"d.png", "c.png", "a.png"}));
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"begin", "turn", "progress 25", "counter", "turn",
                                        "progress 50", "counter", "turn", "turn", "progress 75",
                                        "counter", "commands", "end"}));
    EXPECT_EQ(list->items()[0].fileSize, fs::file_size(paths[0]));
    EXPECT_TRUE(list->items()[0].measured);

    // Quitting during the third file: the two before it stay, the busy state is left on.
    list->clear();
    host.calls.clear();
    host.turnsLeft = 3;
    EXPECT_EQ(list->addImages(paths), 2);
    EXPECT_EQ(list->size(), 2u);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "end"), 0);
}

} // namespace
} // namespace scalora::test
