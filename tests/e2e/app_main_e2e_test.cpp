// The window program driven with the mouse and keys on a real X server: the main window's
// controls, and what it keeps in config.dat when it is closed.
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "e2e_fixture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace scalora {
namespace {

using namespace setting_keys;
constexpr const char* kTitle = "^Halvorn Scalora$";

class AppMainTest : public test::AppTest {
protected:
    // Opens the mode list and picks an entry with the keys.
    bool chooseMode(int index) {
        std::vector<std::string> keys{"key", "Home"};
        keys.insert(keys.end(), static_cast<std::size_t>(index), "Down");
        keys.push_back("Return");
        return click(kTitle, "main.mode") && xdotool(keys) == 0;
    }
    bool typeInto(const std::string& part, const std::string& text) {
        return click(kTitle, part) && xdotool({"key", "ctrl+a"}) == 0 &&
               xdotool({"type", text}) == 0 && xdotool({"key", "Tab"}) == 0;
    }
};

TEST_F(AppMainTest, ModesGiveTheirValuesBackAndClosingSavesTheControls) {
    if (!startProgram()) {
        return;
    }
    ASSERT_TRUE(keepScreenshot("app_main_started.png"));
    ASSERT_TRUE(typeInto("main.width", "640"));
    ASSERT_TRUE(chooseMode(4));
    ASSERT_TRUE(waitForState("main.mode", "4"));
    ASSERT_TRUE(waitForState("main.unit", "%"));
    ASSERT_TRUE(keepScreenshot("app_main_percentage.png"));
    ASSERT_TRUE(chooseMode(0));
    ASSERT_TRUE(waitForState("main.unit", "px"));
    ASSERT_TRUE(chooseMode(3)); // Fit: leaving Width & Height keeps its 640
    ASSERT_TRUE(waitForState("main.mode", "3"));
    ASSERT_TRUE(chooseMode(0));
    ASSERT_TRUE(waitForState("main.mode", "0"));
    ASSERT_TRUE(keepScreenshot("app_main_back.png"));
    ASSERT_EQ(closeProgram(), 0) << test::readFile(dir_ / "scalora.log");

    const auto stored = readSettingsFile(configFile().string());
    EXPECT_EQ(readIntSetting(*stored, kParam1ForMode0), 640);
    EXPECT_EQ(readIntSetting(*stored, kMode), 0);
    EXPECT_GE(readIntSetting(*stored, kWindowMainWidth), 400);
}

// Twenty real photos from the shared corpus, or none when it is not there.
std::vector<std::string> corpusPhotos() {
    std::vector<std::string> photos;
    const std::filesystem::path folder = test::sharedDir() / "corpus" / "jpeg";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        photos.push_back(entry.path().string());
    }
    std::sort(photos.begin(), photos.end());
    photos.resize(std::min<std::size_t>(photos.size(), 20));
    return photos;
}

// What a run left in a folder: result names, and whether anything else (a temporary) is there.
std::vector<std::string> folderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class AppRunTest : public AppMainTest {
protected:
    void SetUp() override {
        if (corpusPhotos().size() < 20) {
            GTEST_SKIP() << test::sharedSkipReason();
        }
    }
    // The program with the photos listed, the destination and a large size typed in.
    bool startWithPhotos() {
        const std::vector<std::string> photos = corpusPhotos();
        std::filesystem::create_directories(out_);
        return startProgram(photos) && waitForState("main.counter", "20 images") &&
               typeInto("main.destination", out_.string()) && typeInto("main.width", "2000") &&
               typeInto("main.height", "2000");
    }
    // The progress window has the keyboard: its one button is Stop, then Close.
    bool pressProgressButton() { return xdotool({"key", "Return"}) == 0; }
    int processed() {
        const std::vector<std::string> lines =
            test::linesStartingWith(test::readLines(layout_), "element progress.processed ");
        return lines.empty() ? -1 : std::stoi(lines.back().substr(lines.back().rfind(' ') + 1));
    }

    std::filesystem::path out_ = dir_ / "out";
};

TEST_F(AppRunTest, ResizesTwentyPhotosWithProgressAndShowsTheResults) {
    if (!startWithPhotos()) {
        return;
    }
    ASSERT_TRUE(keepScreenshot("app_run_listed.png"));
    ASSERT_TRUE(click(kTitle, "main.resize"));
    ASSERT_TRUE(waitForPaint("progress"));
    ASSERT_TRUE(keepScreenshot("app_run_progress.png"));
    ASSERT_TRUE(waitForState("progress.button", "Close"));
    EXPECT_TRUE(waitForState("progress.processed", "20"));
    EXPECT_TRUE(waitForState("progress.skipped", "0"));
    ASSERT_TRUE(keepScreenshot("app_run_finished.png"));
    ASSERT_TRUE(pressProgressButton());
    ASSERT_EQ(xdotool({"search", "--sync", "--onlyvisible", "--name", kTitle}), 0);
    ASSERT_TRUE(keepScreenshot("app_run_results.png"));
    EXPECT_EQ(folderNames(out_).size(), 20u);
    ASSERT_EQ(closeProgram(), 0);
}

TEST_F(AppRunTest, StopEndsTheRunWithEveryResultWholeAndNothingElse) {
    if (!startWithPhotos()) {
        return;
    }
    ASSERT_TRUE(click(kTitle, "main.resize"));
    ASSERT_TRUE(waitForPaint("progress"));
    ASSERT_TRUE(pressProgressButton());
    ASSERT_TRUE(waitForState("progress.button", "Close"));
    ASSERT_TRUE(keepScreenshot("app_run_stopped.png"));
    const int done = processed();
    EXPECT_GE(done, 0);
    EXPECT_LT(done, 20);
    ASSERT_TRUE(pressProgressButton());
    // Only whole results: as many files as images processed, no temporaries beside them.
    const std::vector<std::string> names = folderNames(out_);
    EXPECT_EQ(static_cast<int>(names.size()), done);
    for (const std::string& name : names) {
        EXPECT_NE(name.front(), '.') << name;
    }
    ASSERT_EQ(closeProgram(), 0);
}

TEST_F(AppRunTest, TheProgressWindowsCloseBoxStopsTheRunAndTheProgramGoesOn) {
    if (!startWithPhotos()) {
        return;
    }
    ASSERT_TRUE(click(kTitle, "main.resize"));
    ASSERT_TRUE(waitForPaint("progress"));
    // openbox sends the close request to the active window, the progress window.
    ASSERT_EQ(session_.run({"xdotool", "key", "alt+F4"}, std::chrono::seconds(20)).status, 0);
    // The run stops, the window closes itself, and the main window takes its name back.
    ASSERT_EQ(xdotool({"search", "--sync", "--onlyvisible", "--name", kTitle}), 0);
    ASSERT_TRUE(keepScreenshot("app_run_closed.png"));
    EXPECT_LE(folderNames(out_).size(), 20u);
    for (const std::string& name : folderNames(out_)) {
        EXPECT_NE(name.front(), '.') << name;
    }
    ASSERT_EQ(closeProgram(), 0);
}

// "Open with" while the program runs: a second start hands its paths to the first one, which
// lists them, and ends as a second start always has.
TEST_F(AppRunTest, ASecondStartsPathsAreListedInTheRunningWindow) {
    if (!startProgram()) {
        return;
    }
    std::vector<std::string> argv{(test::binDir() / "scalora").string()};
    const std::vector<std::string> photos = corpusPhotos();
    argv.insert(argv.end(), photos.begin(), photos.begin() + 3);
    const pid_t second = session_.spawn(argv, dir_ / "second.log");
    ASSERT_GT(second, 0);
    EXPECT_EQ(session_.wait(second, std::chrono::seconds(20)), 255);
    std::string names;
    for (std::size_t i = 0; i < 3; ++i) {
        names += (i > 0 ? "|" : "") + std::filesystem::path(photos[i]).filename().string();
    }
    ASSERT_TRUE(waitForState("main.table", names));
    ASSERT_TRUE(waitForState("main.counter", "3 images"));
    ASSERT_TRUE(keepScreenshot("app_second_start.png"));
    ASSERT_EQ(closeProgram(), 0);
}

} // namespace
} // namespace scalora
