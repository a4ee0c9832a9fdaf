// The program's windows destroyed from outside (xdotool windowclose, as a session tool or a
// crashed window manager may do): the main window then closes as its close box closes it,
// keeping the settings, and the program ends well; a dialog closes and the program goes on; a
// popup opens again.
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "e2e_fixture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace scalora {
namespace {

using namespace setting_keys;
using namespace std::chrono_literals;
constexpr const char* kTitle = "^Halvorn Scalora$";

class SdlWindowSystemTest : public test::AppTest {
protected:
    // Picks the fifth mode (Percentage) from the mode list with the keys; the mode is one of
    // the settings kept when the main window closes.
    bool choosePercentage() {
        return click(kTitle, "main.mode") &&
               xdotool({"key", "Home", "Down", "Down", "Down", "Down", "Return"}) == 0 &&
               waitForState("main.mode", "4");
    }
    bool typeInto(const std::string& part, const std::string& text) {
        return click(kTitle, part) && xdotool({"key", "ctrl+a"}) == 0 &&
               xdotool({"type", text}) == 0 && xdotool({"key", "Tab"}) == 0;
    }
    bool destroyWindow(const std::string& title) {
        return xdotool({"search", "--sync", "--onlyvisible", "--name", title, "windowclose",
                        "%1"}) == 0;
    }
    // The id of the visible window whose name matches, or "".
    std::string windowId(const std::string& title) {
        std::string id;
        std::istringstream(
            session_.run({"xdotool", "search", "--onlyvisible", "--name", title}, 20s).output) >>
            id;
        return id;
    }
    // The id of a visible window of the program other than `except`, once there is one (20 s).
    std::string otherWindowOfProgram(const std::string& except) {
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < end) {
            std::istringstream ids(
                session_
                    .run({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(program_)},
                         20s)
                    .output);
            for (std::string id; ids >> id;) {
                if (id != except) {
                    return id;
                }
            }
            std::this_thread::sleep_for(50ms);
        }
        return "";
    }
    // The program's exit status once it has ended, or -1 when it still runs after 20 s.
    int waitForExit() {
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < end) {
            if (const int status = session_.exitStatus(program_); status >= 0) {
                return status;
            }
            std::this_thread::sleep_for(20ms);
        }
        return -1;
    }
};

TEST_F(SdlWindowSystemTest, DestroyedMainWindowClosesAndKeepsTheSettings) {
    if (!startProgram()) {
        return;
    }
    ASSERT_TRUE(choosePercentage());
    ASSERT_TRUE(keepScreenshot("destroyed_main_before.png"));
    ASSERT_TRUE(destroyWindow(kTitle));
    ASSERT_EQ(waitForExit(), 0) << test::readFile(dir_ / "scalora.log");
    EXPECT_EQ(test::readFile(dir_ / "scalora.log"), "");

    const auto stored = readSettingsFile(configFile().string());
    ASSERT_TRUE(stored);
    EXPECT_EQ(readIntSetting(*stored, kMode), 4);
}

TEST_F(SdlWindowSystemTest, DestroyedDialogsCloseAndADestroyedPopupOpensAgain) {
    if (!startProgram()) {
        return;
    }
    const std::string mainId = windowId(kTitle);
    ASSERT_FALSE(mainId.empty());
    for (const auto& [button, title] :
         {std::pair{"main.about", "^About"}, std::pair{"main.options", "^Options - "}}) {
        SCOPED_TRACE(title);
        ASSERT_TRUE(click(kTitle, button));
        ASSERT_EQ(xdotool({"search", "--sync", "--onlyvisible", "--name", title}), 0);
        ASSERT_TRUE(keepScreenshot(std::string("destroyed_") + (button + 5) + "_before.png"));
        ASSERT_TRUE(destroyWindow(title));
    }
    // The toolkit keeps its popups and shows them again: a destroyed one comes back in a new
    // window.
    ASSERT_TRUE(click(kTitle, "main.mode"));
    const std::string first = otherWindowOfProgram(mainId);
    ASSERT_FALSE(first.empty()) << "the mode list did not open";
    ASSERT_EQ(session_.run({"xdotool", "windowclose", first}, 20s).status, 0);
    ASSERT_EQ(xdotool({"key", "Escape"}), 0);
    ASSERT_TRUE(click(kTitle, "main.mode"));
    const std::string second = otherWindowOfProgram(mainId);
    ASSERT_FALSE(second.empty()) << "the mode list did not open again";
    EXPECT_NE(second, first);
    ASSERT_TRUE(keepScreenshot("destroyed_popup_reopened.png"));
    // The main window takes input only once the dialogs' loops have ended.
    ASSERT_EQ(xdotool({"key", "Home", "Down", "Down", "Down", "Down", "Return"}), 0);
    ASSERT_TRUE(waitForState("main.mode", "4"));
    ASSERT_EQ(closeProgram(), 0) << test::readFile(dir_ / "scalora.log");

    const auto stored = readSettingsFile(configFile().string());
    ASSERT_TRUE(stored);
    EXPECT_EQ(readIntSetting(*stored, kMode), 4);
}

// While a run goes on the main window refuses to close; destroyed then, it closes once the run
// is over and the progress window has been closed.
TEST_F(SdlWindowSystemTest, MainWindowDestroyedDuringARunClosesAfterIt) {
    std::vector<std::string> photos;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(test::sharedDir() / "corpus" / "jpeg", error)) {
        photos.push_back(entry.path().string());
    }
    if (photos.size() < 20) {
        GTEST_SKIP() << test::sharedSkipReason();
    }
    std::sort(photos.begin(), photos.end());
    photos.resize(20);
    const std::filesystem::path out = dir_ / "out";
    std::filesystem::create_directories(out);
    if (!startProgram(photos)) {
        return;
    }
    ASSERT_TRUE(waitForState("main.counter", "20 images"));
    ASSERT_TRUE(typeInto("main.destination", out.string()));
    ASSERT_TRUE(typeInto("main.width", "2000"));
    ASSERT_TRUE(typeInto("main.height", "2000"));
    // The main window's name changes during the run: it is found by its id.
    const std::string mainId = windowId(kTitle);
    ASSERT_FALSE(mainId.empty());

    ASSERT_TRUE(click(kTitle, "main.resize"));
    ASSERT_TRUE(waitForPaint("progress"));
    ASSERT_EQ(session_.run({"xdotool", "windowclose", mainId}, 20s).status, 0);
    ASSERT_TRUE(keepScreenshot("destroyed_main_during_run.png"));
    ASSERT_TRUE(waitForState("progress.button", "Close"));
    EXPECT_EQ(session_.exitStatus(program_), -1) << "the program ended before the run did";
    ASSERT_TRUE(click("% - Halvorn Scalora$", "progress.button"));
    ASSERT_EQ(waitForExit(), 0) << test::readFile(dir_ / "scalora.log");

    const auto stored = readSettingsFile(configFile().string());
    ASSERT_TRUE(stored);
    EXPECT_EQ(readStringSetting(*stored, kDestinationFolder), out.string() + "/");
}

} // namespace
} // namespace scalora
