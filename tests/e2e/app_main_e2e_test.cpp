// The window program driven with the mouse and keys on a real X server: the main window's
// controls, and what it keeps in config.dat when it is closed.
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "e2e_fixture.h"

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

} // namespace
} // namespace scalora
