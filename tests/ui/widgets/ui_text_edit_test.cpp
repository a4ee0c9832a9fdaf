#include "../core/ui_test_fixture.h"
#include "text_widget_support.h"
#include "ui/widgets/ui_text_edit.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace scalora::test {
namespace {

constexpr Color kRed = 0xFFFF0000;
constexpr Color kGreen = 0xFF00FF00;
constexpr Color kMagenta = 0xFFFF00FF;

class UITextEditTest : public UITest {
protected:
    UITextEditTest() {
        setClipboardBackend(std::make_unique<MemoryClipboard>(&clipboard));
        window = makeWindow({300, 200});
        edit = new UITextEdit(window);
        edit->setGeometry({10, 10, 160, 80});
        edit->show();
        other = makeChild(window, "other", {10, 150, 40, 20});
        other->setFocusPolicy(kStrongFocus);
        edit->view()->setFocus();
        toolkit().processEvents();
    }
    ~UITextEditTest() override { setClipboardBackend(nullptr); }

    void type(const std::string& text) { sys().typeText(*window, text); }
    void key(std::int32_t k, std::uint32_t modifiers = 0) { sys().keyPress(*window, k, modifiers); }
    int near(Color color) {
        toolkit().processEvents();
        return pixelsNear(*window, *edit->view(), color);
    }
    std::size_t caretLine() const {
        return edit->view()->textLayout().lineOf(edit->caretPosition());
    }

    std::optional<std::string> clipboard;
    RecordingWindow* window = nullptr;
    UITextEdit* edit = nullptr;
    RecordingElement* other = nullptr;
};

TEST_F(UITextEditTest, BlankTextGivesWayToTypingAndASelectionLosesTheFocusColours) {
    edit->setStyleProperty("blankForeground", "255,0,0");
    edit->setStyleProperty("selectedBackground", "0,255,0");
    edit->setStyleProperty("unfocusedSelectedBackground", "255,0,255");
    edit->setBlankText("Write a note");
    EXPECT_GT(near(kRed), 10);

    type("a selection that wraps over more than one line");
    ASSERT_GT(edit->view()->textLayout().lineCount(), 1u);
    EXPECT_EQ(near(kRed), 0);
    key(vk::kHome, kControlModifier | kShiftModifier);
    const int focused = near(kGreen);
    EXPECT_GT(focused, 100);
    EXPECT_EQ(near(kMagenta), 0);
    if (const char* folder = std::getenv("SCALORA_KEEP_PNG")) {
        EXPECT_TRUE(sys().saveWindowPng(*window, std::filesystem::path(folder) / "text_edit.png"));
    }

    other->setFocus();
    EXPECT_EQ(near(kGreen), 0);
    EXPECT_NEAR(near(kMagenta), focused, focused / 10);
}

TEST_F(UITextEditTest, ZoomStopsAtItsLimitsAndNormalGoesBack) {
    edit->setStyleProperty("zoomMinimum", "7");
    edit->setStyleProperty("zoomMaximum", "12");
    const double normal = edit->zoom();
    for (int i = 0; i < 10; ++i) {
        key(vk::kOemPlus, kControlModifier);
    }
    EXPECT_EQ(edit->zoom(), 12);
    EXPECT_EQ(edit->textFont().pointSize(), 12);
    EXPECT_FALSE(edit->zoomIn());

    const auto menu = edit->contextMenuEntries();
    ASSERT_EQ(menu.size(), 8u);
    const TextEditMenuEntry& size = menu.back();
    EXPECT_EQ(size.text, "Text Size");
    ASSERT_EQ(size.submenu.size(), 3u);
    EXPECT_EQ(size.submenu[0].text, "Increase");
    EXPECT_FALSE(size.submenu[0].enabled);
    EXPECT_TRUE(size.submenu[1].enabled);
    EXPECT_TRUE(size.submenu[2].enabled); // Normal

    EXPECT_TRUE(edit->runCommand(TextEditCommand::ZoomReset));
    EXPECT_EQ(edit->zoom(), normal);
    EXPECT_FALSE(edit->contextMenuEntries().back().submenu[2].enabled);
    sys().keyRelease(*window, vk::kControl, 0);
    sys().wheel(*window, {50, 40}, -120); // without Ctrl the wheel scrolls
    EXPECT_EQ(edit->zoom(), normal);
    key(vk::kControl);
    for (int i = 0; i < 10; ++i) {
        sys().wheel(*window, {50, 40}, -120);
    }
    EXPECT_EQ(edit->zoom(), 7);
}

TEST_F(UITextEditTest, LongLinesWrapAndTheCaretStaysInViewWhileMovingByLines) {
    type("one two three four five six seven eight nine ten eleven twelve");
    const TextEditLayout& layout = edit->view()->textLayout();
    ASSERT_GT(layout.lineCount(), 2u);
    for (std::size_t i = 0; i + 1 < layout.lineCount(); ++i) {
        // Breaks fall after the spaces behind a word, never inside one.
        EXPECT_EQ(edit->text()[layout.line(i).end - 1], ' ');
        EXPECT_LE(layout.line(i).text.width(), edit->view()->width());
    }

    key(vk::kReturn);
    for (int i = 0; i < 8; ++i) {
        type("line\n");
    }
    EXPECT_GT(edit->view()->scrollPosition().y, 0);
    EXPECT_TRUE(edit->view()->rect().containsRect(edit->view()->caretRect()));

    key(vk::kHome, kControlModifier);
    EXPECT_EQ(edit->view()->scrollPosition().y, 0);
    key(vk::kRight);
    key(vk::kRight);
    const std::int32_t column = edit->view()->caretRect().x;
    key(vk::kDown);
    EXPECT_EQ(caretLine(), 1u);
    EXPECT_NEAR(edit->view()->caretRect().x, column, 8);
    key(vk::kEnd, kShiftModifier);
    EXPECT_EQ(caretLine(), 1u); // End stays on the visual line
    key(vk::kNext);
    EXPECT_GT(caretLine(), 2u);
    key(vk::kPrior);
    key(vk::kUp);
    EXPECT_EQ(caretLine(), 0u);

    // Without wrapping the text is one line per paragraph and scrolls sideways.
    edit->setWrapsLines(false);
    key(vk::kHome, kControlModifier);
    key(vk::kEnd);
    EXPECT_EQ(caretLine(), 0u);
    EXPECT_GT(edit->view()->scrollPosition().x, 0);
}

TEST_F(UITextEditTest, UndoAndRedoCrossAPasteOfSeveralLines) {
    type("first ");
    clipboard = "pasted\r\nlines";
    EXPECT_TRUE(edit->paste());
    EXPECT_EQ(edit->text(), "first pasted\nlines");
    key(vk::kReturn);
    type("end");
    // Steps back: the word typed, the line break, the paste.
    for (const char* before : {"first pasted\nlines\n", "first pasted\nlines", "first "}) {
        EXPECT_TRUE(edit->undo());
        EXPECT_EQ(edit->text(), before);
    }
    for (const char* after :
         {"first pasted\nlines", "first pasted\nlines\n", "first pasted\nlines\nend"}) {
        EXPECT_TRUE(edit->redo());
        EXPECT_EQ(edit->text(), after);
    }
    EXPECT_FALSE(edit->redo());
}

} // namespace
} // namespace scalora::test
