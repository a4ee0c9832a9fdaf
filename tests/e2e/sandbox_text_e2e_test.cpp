// The sandbox's text widgets and file dialog on the SDL2 backend under Xvfb, driven by
// xdotool like a user would: text of any script arrives intact through the window system's
// text input into a line edit and a text edit, and the desktop's file dialog (zenity) hands back
// the file typed into it.
#include "e2e_fixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

class SandboxTextTest : public SandboxTest {
protected:
    explicit SandboxTextTest(std::vector<std::string> tools = {"xdotool", "import"})
        : SandboxTest(std::move(tools)) {}

    int clickInto(const Box& box) {
        return xdotool({"search", "--sync", "--name", "UI Sandbox", "mousemove", "--window", "%1",
                        std::to_string(box.x + box.width / 2),
                        std::to_string(box.y + box.height / 2), "click", "1"});
    }
};

TEST_F(SandboxTextTest, TypedTextOfAnyScriptArrivesIntact) {
    ASSERT_EQ(boxes_.count("blankedit"), 1u);
    ASSERT_EQ(clickInto(boxes_["blankedit"]), 0);
    ASSERT_EQ(session_.run({"xdotool", "type", "--delay", "60", "Grüße, 東京"}, 30s).status, 0);
    ASSERT_TRUE(waitForLine(log_, "text blankedit Grüße, 東京", 20s))
        << "typed: " << testing::PrintToString(linesStartingWith(readLines(log_), "text "));
    EXPECT_TRUE(keepScreenshot("sandbox_line_edit.png"));
}

TEST_F(SandboxTextTest, TheTextEditTakesTypingAtItsStartAndShowsASelection) {
    ASSERT_EQ(boxes_.count("textedit"), 1u);
    ASSERT_EQ(clickInto(boxes_["textedit"]), 0);
    ASSERT_EQ(session_.run({"xdotool", "key", "ctrl+Home"}, 20s).status, 0);
    ASSERT_EQ(session_.run({"xdotool", "type", "--delay", "60", "東京: "}, 30s).status, 0);
    ASSERT_TRUE(waitForLine(log_, "text textedit 東京: A text edit wraps", 20s))
        << "typed: " << testing::PrintToString(linesStartingWith(readLines(log_), "text "));
    ASSERT_EQ(
        session_.run({"xdotool", "key", "--delay", "100", "shift+Down", "shift+End"}, 20s).status,
        0);
    EXPECT_TRUE(keepScreenshot("sandbox_text_edit.png"));
}

class SandboxFileDialogTest : public SandboxTextTest {
protected:
    SandboxFileDialogTest() : SandboxTextTest({"xdotool", "import", "zenity"}) {}
};

TEST_F(SandboxFileDialogTest, ZenityReturnsTheTypedFileWithItsLinkKept) {
    const std::filesystem::path pictures = dir_ / "pictures";
    std::filesystem::create_directories(pictures);
    ASSERT_TRUE(writeFile(pictures / "photo.jpg", "not really a photo"));
    std::filesystem::create_symlink(pictures / "photo.jpg", pictures / "link.jpg");

    ASSERT_EQ(boxes_.count("choosefile"), 1u);
    ASSERT_EQ(clickInto(boxes_["choosefile"]), 0);
    const std::vector<std::string> dialog{"search", "--sync", "--name",
                                          "Choose a file for the sandbox"};
    std::vector<std::string> activate = dialog;
    activate.insert(activate.end(), {"windowactivate", "--sync", "%1"});
    ASSERT_EQ(xdotool(activate), 0) << readFile(dir_ / "sandbox.out");
    // Moved aside, the dialog leaves the sandbox in view, which keeps painting meanwhile (its
    // ticker counts on): the screenshot shows both.
    std::vector<std::string> aside = dialog;
    aside.insert(aside.end(), {"windowmove", "--sync", "%1", "700", "0", "windowsize", "--sync",
                               "%1", "570", "600", "windowactivate", "--sync", "%1"});
    ASSERT_EQ(xdotool(aside), 0);
    EXPECT_TRUE(keepScreenshot("sandbox_file_dialog.png"));
    // A leading "/" opens the file chooser's location field.
    ASSERT_EQ(
        session_.run({"xdotool", "type", "--delay", "40", (pictures / "link.jpg").string()}, 30s)
            .status,
        0);
    ASSERT_EQ(session_.run({"xdotool", "key", "--delay", "200", "Return"}, 20s).status, 0);
    ASSERT_TRUE(waitForLine(log_, "chosen ", 30s)) << readFile(log_);
    EXPECT_EQ(linesStartingWith(readLines(log_), "chosen "),
              std::vector<std::string>{"chosen " + (pictures / "link.jpg").string() + " folder " +
                                       pictures.string() + "/"});
}

} // namespace
} // namespace scalora::test
