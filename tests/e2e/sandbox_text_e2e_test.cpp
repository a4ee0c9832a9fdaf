// The sandbox's text widgets and file dialog on the SDL2 backend under Xvfb, driven by
// xdotool like a user would: text of any script arrives intact through the window system's
// text input into a line edit and a text edit, and the desktop's file dialog (zenity) hands back
// the file typed into it.
#include "e2e_fixture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

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

    // Types `text` one character at a time into the focused field and waits for the field's
    // "text <name> ..." line to show it. xdotool types a character the keyboard map lacks by
    // mapping a spare key for a moment; on a busy machine the window can see that key before
    // the new map and drop it, so a character that never arrived is typed again. One that
    // arrives wrong still fails the test.
    [[nodiscard]] bool typeInto(const std::string& name, const std::string& text,
                                const std::string& after = "") {
        std::string expected = "text " + name + " ";
        for (std::size_t i = 0; i < text.size();) {
            std::size_t length = 1;
            while (i + length < text.size() &&
                   (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80) {
                ++length;
            }
            const std::string character = text.substr(i, length);
            expected += character;
            bool arrived = false;
            for (int attempt = 0; attempt < 5 && !arrived; ++attempt) {
                if (session_.run({"xdotool", "type", character}, 20s).status != 0) {
                    return false;
                }
                arrived = waitForLine(log_, expected + after, 3s);
            }
            if (!arrived) {
                return false;
            }
            i += length;
        }
        return true;
    }
    // The sandbox's windows on the screen (its main window, and a popup while one is open).
    int visibleSandboxWindows() {
        const CommandResult r =
            session_.run({"xdotool", "search", "--onlyvisible", "--classname", "ui-sandbox"}, 20s);
        return static_cast<int>(std::count(r.output.begin(), r.output.end(), '\n'));
    }

    // Right-clicks into a field and waits for its context menu to be on the screen.
    [[nodiscard]] bool openContextMenu(const Box& box) {
        const int before = visibleSandboxWindows();
        if (xdotool({"search", "--sync", "--name", "UI Sandbox", "mousemove", "--window", "%1",
                     std::to_string(box.x + box.width / 2), std::to_string(box.y + box.height / 2),
                     "click", "3"}) != 0) {
            return false;
        }
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < end) {
            if (visibleSandboxWindows() > before) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    // Waits until the last "text <name> ..." line is `expected` ("text <name> " + text).
    [[nodiscard]] bool waitForLastText(const std::string& name, const std::string& text) {
        const std::string prefix = "text " + name + " ";
        const auto end = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < end) {
            const std::vector<std::string> lines = linesStartingWith(readLines(log_), prefix);
            if (!lines.empty() && lines.back() == prefix + text) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
};
TEST_F(SandboxTextTest, TypedTextOfAnyScriptArrivesIntact) {
    ASSERT_EQ(boxes_.count("blankedit"), 1u);
    ASSERT_EQ(clickInto(boxes_["blankedit"]), 0);
    ASSERT_TRUE(typeInto("blankedit", "Grüße, 東京"))
        << "typed: " << testing::PrintToString(linesStartingWith(readLines(log_), "text "));
    EXPECT_TRUE(keepScreenshot("sandbox_line_edit.png"));
}

TEST_F(SandboxTextTest, CutAndPasteFromTheContextMenuGoThroughTheClipboard) {
    const Box field = boxes_["blankedit"];
    ASSERT_EQ(clickInto(field), 0);
    ASSERT_TRUE(typeInto("blankedit", "abc"));
    ASSERT_EQ(session_.run({"xdotool", "key", "ctrl+a"}, 20s).status, 0);
    // Undo, Redo (disabled), Cut, ...: Home takes the first enabled item, Down the next.
    ASSERT_TRUE(openContextMenu(field));
    EXPECT_TRUE(keepScreenshot("sandbox_context_menu.png"));
    ASSERT_EQ(
        session_.run({"xdotool", "key", "--delay", "100", "Home", "Down", "Return"}, 20s).status,
        0);
    ASSERT_TRUE(waitForLastText("blankedit", ""))
        << testing::PrintToString(linesStartingWith(readLines(log_), "text "));
    // With an empty field only Undo and Paste are enabled; End takes Paste.
    ASSERT_TRUE(openContextMenu(field));
    ASSERT_EQ(session_.run({"xdotool", "key", "--delay", "100", "End", "Return"}, 20s).status, 0);
    EXPECT_TRUE(waitForLastText("blankedit", "abc"))
        << testing::PrintToString(linesStartingWith(readLines(log_), "text "));
}

TEST_F(SandboxTextTest, TheTextEditTakesTypingAtItsStartAndShowsASelection) {
    ASSERT_EQ(boxes_.count("textedit"), 1u);
    ASSERT_EQ(clickInto(boxes_["textedit"]), 0);
    ASSERT_EQ(session_.run({"xdotool", "key", "ctrl+Home"}, 20s).status, 0);
    ASSERT_TRUE(typeInto("textedit", "東京: ", "A text edit wraps"))
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
