// Images reaching the window program's list the ways a user brings them on a real X server:
// a folder dragged from a file manager, the desktop's file and folder dialogs, and the
// language chosen in Options taking effect at once.
#include "e2e_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace scalora {
namespace {

using namespace std::chrono_literals;
constexpr const char* kTitle = "^Halvorn Scalora$";

class AppAddTest : public test::AppTest {
protected:
    void SetUp() override {
        const std::filesystem::path corpus = test::sharedDir() / "corpus" / "jpeg";
        std::error_code error;
        std::filesystem::create_directories(photos_);
        for (const auto& entry : std::filesystem::directory_iterator(corpus, error)) {
            if (count_ == 3) {
                break;
            }
            std::filesystem::copy_file(entry.path(), photos_ / entry.path().filename());
            ++count_;
        }
        if (count_ < 3) {
            GTEST_SKIP() << test::sharedSkipReason();
        }
    }
    // The middle of a reported part of the main window, in its client coordinates.
    std::vector<std::string> middleOf(const std::string& part) {
        const test::Box box = boxes()[part];
        return {std::to_string(box.x + box.width / 2), std::to_string(box.y + box.height / 2)};
    }
    int drop(const std::string& part, const std::filesystem::path& path) {
        std::vector<std::string> argv{(test::binDir() / "xdnd_drop_source").string(), "--window",
                                      "Halvorn Scalora"};
        for (const std::string& coordinate : middleOf(part)) {
            argv.push_back(coordinate);
        }
        argv.push_back("--");
        argv.push_back(path.string());
        return session_.wait(session_.spawn(argv, dir_ / "drop.log"), 30s);
    }

    std::filesystem::path photos_ = dir_ / "photos";
    int count_ = 0;
};

TEST_F(AppAddTest, AFolderDroppedOnTheListIsAddedAndOneDroppedOnTheFieldIsTheDestination) {
    if (!startProgram()) {
        return;
    }
    ASSERT_EQ(drop("main.table", photos_), 0) << test::readFile(dir_ / "drop.log");
    ASSERT_TRUE(waitForState("main.counter", "3 images"));
    const std::filesystem::path out = dir_ / "out";
    std::filesystem::create_directories(out);
    ASSERT_EQ(drop("main.destination", out), 0) << test::readFile(dir_ / "drop.log");
    // A chosen folder is shown with its trailing slash.
    ASSERT_TRUE(waitForState("main.destination", out.string() + "/"));
    ASSERT_TRUE(keepScreenshot("app_add_dropped.png"));
    ASSERT_EQ(closeProgram(), 0);
}

// zenity stands in for the desktop's dialogs: it records what it was asked and answers with
// the photos, or with their folder when asked for one.
TEST_F(AppAddTest, TheDialogsAddTheChosenImagesAndTheChosenFolder) {
    const std::filesystem::path bin = dir_ / "fakebin";
    std::filesystem::create_directories(bin);
    const std::filesystem::path asked = dir_ / "asked.txt";
    {
        std::ofstream script(bin / "zenity");
        script << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << asked.string() << "'\n"
               << "case \" $* \" in *\" --directory \"*) echo '" << photos_.string() << "' ;;\n"
               << "*) ls -d '" << photos_.string() << "'/* | head -n 2 ;; esac\n";
    }
    ::chmod((bin / "zenity").c_str(), 0755);
    const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
    if (!startProgram()) {
        return;
    }
    ASSERT_TRUE(click(kTitle, "main.add_images"));
    ASSERT_TRUE(waitForState("main.counter", "2 images"));
    const std::string request = test::readFile(asked);
    EXPECT_NE(request.find("--multiple"), std::string::npos) << request;
    EXPECT_NE(request.find("--title=Select images"), std::string::npos) << request;
    EXPECT_NE(request.find("*.jpg"), std::string::npos) << request;
    // The folder holds the two images already listed and one more.
    ASSERT_TRUE(click(kTitle, "main.add_folder"));
    ASSERT_TRUE(waitForState("main.counter", "3 images"));
    EXPECT_NE(test::readFile(asked).find("--directory"), std::string::npos);
    ASSERT_TRUE(keepScreenshot("app_add_dialogs.png"));
    ASSERT_EQ(closeProgram(), 0);
}

TEST_F(AppAddTest, GermanChosenInOptionsRetranslatesTheMainWindowAtOnce) {
    if (!startProgram({photos_.string()})) {
        return;
    }
    ASSERT_TRUE(waitForState("main.counter", "3 images"));
    ASSERT_TRUE(click(kTitle, "main.options"));
    ASSERT_TRUE(waitForPaint("options"));
    // The list holds the language files in the order of their names.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(test::binDir() / "languages")) {
        if (entry.path().extension() == ".xml") {
            files.push_back(entry.path().filename().string());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> keys{"key", "Home"};
    const auto german = std::find(files.begin(), files.end(), "german.xml");
    ASSERT_NE(german, files.end());
    keys.insert(keys.end(), static_cast<std::size_t>(german - files.begin()), "Down");
    keys.push_back("Return");
    ASSERT_TRUE(click("Options", "options.language"));
    ASSERT_EQ(xdotool(keys), 0);
    ASSERT_TRUE(waitForState("options.language", "Deutsch"));
    ASSERT_TRUE(keepScreenshot("app_options_german.png"));
    ASSERT_TRUE(click("Options", "options.ok"));
    ASSERT_TRUE(waitForState("main.counter", "3 Bilder"));
    ASSERT_TRUE(keepScreenshot("app_main_german.png"));
    ASSERT_EQ(closeProgram(), 0);
}

} // namespace
} // namespace scalora
