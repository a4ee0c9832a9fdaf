#include "../core/ui_test_fixture.h"
#include "exchange/ui_mime_data.h"
#include "text_widget_support.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_menu.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace scalora::test {
namespace {

constexpr Color kRed = 0xFFFF0000;
constexpr Color kBlue = 0xFF0000FF;
constexpr Color kGreen = 0xFF00FF00;
constexpr Color kMagenta = 0xFFFF00FF;

class UILineEditTest : public UITest {
protected:
    UILineEditTest() {
        setClipboardBackend(std::make_unique<MemoryClipboard>(&clipboard));
        window = makeWindow({300, 80});
        edit = new UILineEdit(window);
        edit->setGeometry({10, 10, 200, 26});
        edit->show();
        other = makeChild(window, "other", {10, 50, 40, 20});
        other->setFocusPolicy(kStrongFocus);
        edit->setFocus();
        toolkit().processEvents();
    }
    ~UILineEditTest() override { setClipboardBackend(nullptr); }

    void type(const std::string& text) { sys().typeText(*window, text); }
    void key(std::int32_t k, std::uint32_t modifiers = 0) { sys().keyPress(*window, k, modifiers); }
    // A point inside the edit, in window coordinates.
    Point at(std::int32_t x) const { return {edit->x() + x, edit->y() + 13}; }
    // Saved for a developer to look at when SCALORA_KEEP_PNG names a folder.
    void keepWindowPng(UIWindow& w, const std::string& name) {
        if (const char* folder = std::getenv("SCALORA_KEEP_PNG")) {
            EXPECT_TRUE(sys().saveWindowPng(w, std::filesystem::path(folder) / name));
        }
    }
    int near(Color color) {
        toolkit().processEvents();
        return pixelsNear(*window, *edit, color);
    }

    std::optional<std::string> clipboard;
    RecordingWindow* window = nullptr;
    UILineEdit* edit = nullptr;
    RecordingElement* other = nullptr;
};

TEST_F(UILineEditTest, BlankTextShowsUntilTypingReplacesIt) {
    edit->setStyleProperty("blankForeground", "255,0,0");
    edit->setStyleProperty("foreground", "0,0,255");
    edit->setBlankText("Search");
    other->setFocus(); // the caret, drawn in the foreground colour, stays out of the count
    EXPECT_GT(near(kRed), 10);
    EXPECT_EQ(near(kBlue), 0);

    edit->setFocus();
    type("abc");
    EXPECT_EQ(edit->text(), "abc");
    EXPECT_EQ(near(kRed), 0);
    EXPECT_GT(near(kBlue), 10);
}

TEST_F(UILineEditTest, SelectedTextTurnsToTheUnfocusedColoursWhenTheFocusLeaves) {
    edit->setStyleProperty("selectedBackground", "0,255,0");
    edit->setStyleProperty("unfocusedSelectedBackground", "255,0,255");
    type("selected words");
    key('A', kControlModifier);
    EXPECT_EQ(edit->selectedText(), "selected words");
    EXPECT_GT(near(kGreen), 50);
    EXPECT_EQ(near(kMagenta), 0);
    keepWindowPng(*window, "line_edit_selection.png");

    other->setFocus();
    EXPECT_EQ(near(kGreen), 0);
    EXPECT_GT(near(kMagenta), 50);
    EXPECT_FALSE(edit->isCaretShown());
}

TEST_F(UILineEditTest, UndoAndRedoStepThroughWordsAndAcrossAPaste) {
    type("hello ");
    type("world");
    clipboard = " again";
    key('V', kControlModifier);
    EXPECT_EQ(edit->text(), "hello world again");
    key(vk::kBack);
    key(vk::kBack);
    EXPECT_EQ(edit->text(), "hello world aga");

    key('Z', kControlModifier); // the two backspaces are one step
    EXPECT_EQ(edit->text(), "hello world again");
    key('Z', kControlModifier); // the paste
    EXPECT_EQ(edit->text(), "hello world");
    key('Z', kControlModifier); // typed words are steps of their own
    EXPECT_EQ(edit->text(), "hello ");
    key('Y', kControlModifier);
    EXPECT_EQ(edit->text(), "hello world");
    key('Z', kControlModifier | kShiftModifier);
    EXPECT_EQ(edit->text(), "hello world again");
    EXPECT_EQ(edit->caretPosition(), edit->text().size());

    // A new edit after an undo drops what could have been redone.
    key('Z', kControlModifier);
    type("!");
    EXPECT_EQ(edit->text(), "hello world!");
    EXPECT_FALSE(edit->redo());
}

TEST_F(UILineEditTest, KeysMoveAndSelectByCaretStopsAndWords) {
    type("alpha beta-gamma");
    key(vk::kHome);
    key(vk::kRight, kControlModifier);
    EXPECT_EQ(edit->caretPosition(), 5u);
    key(vk::kRight, kControlModifier | kShiftModifier);
    EXPECT_EQ(edit->selectedText(), " beta");
    key(vk::kEnd, kShiftModifier);
    EXPECT_EQ(edit->selectedText(), " beta-gamma");
    key(vk::kLeft); // collapses to the selection's start
    EXPECT_EQ(edit->caretPosition(), 5u);
    key(vk::kEnd);
    key(vk::kBack, kControlModifier);
    EXPECT_EQ(edit->text(), "alpha beta-");

    // Every script arrives intact, and a caret stop never splits a character, a combining
    // accent from its letter, or an emoji sequence.
    edit->clear();
    type("Grüße, 東京 e\u0301 👍🏽");
    EXPECT_EQ(edit->text(), "Grüße, 東京 e\u0301 👍🏽");
    key(vk::kLeft);
    EXPECT_EQ(edit->text().substr(edit->caretPosition()), "👍🏽");
    key(vk::kLeft);
    key(vk::kLeft);
    EXPECT_EQ(edit->text().substr(edit->caretPosition()), "e\u0301 👍🏽");
    key(vk::kLeft, kControlModifier | kShiftModifier);
    EXPECT_EQ(edit->selectedText(), "東京 ");
    key(vk::kDelete);
    EXPECT_EQ(edit->text(), "Grüße, e\u0301 👍🏽");
}

TEST_F(UILineEditTest, MouseSelectsByDragDoubleClickWordAndTripleClickAll) {
    type("one two three");
    key(vk::kHome);
    key(vk::kRight, kControlModifier);
    key(vk::kRight);
    const Point two = {edit->caretRect().x + 3, 13};
    key(vk::kEnd);
    const Point end = {edit->caretRect().x + 20, 13};

    sys().mousePress(*window, at(5));
    sys().mouseMove(*window, {edit->x() + end.x, edit->y() + end.y});
    sys().mouseRelease(*window, {edit->x() + end.x, edit->y() + end.y});
    EXPECT_EQ(edit->selectedText(), "one two three");

    sys().advance(1000);
    const Point p{edit->x() + two.x, edit->y() + two.y};
    sys().click(*window, p);
    sys().click(*window, p);
    EXPECT_EQ(edit->selectedText(), "two");
    sys().click(*window, p);
    EXPECT_EQ(edit->selectedText(), "one two three");
    sys().advance(1000);
    sys().click(*window, p);
    EXPECT_FALSE(edit->hasSelection());
}

TEST_F(UILineEditTest, RightClickOpensTheContextMenuAndItsItemsRunTheCommands) {
    type("cut me");
    key(vk::kLeft, kControlModifier | kShiftModifier);
    // On the selected word, so that the selection stays for the menu to act on.
    sys().click(*window, at(edit->caretRect().x + 4), kRightButton);
    auto* menu = dynamic_cast<UIMenu*>(edit->contextMenu());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->isOpen());
    // The items are the editor's entries as they stand now: texts, enabling and separators.
    std::string shown;
    std::size_t cut = menu->itemCount();
    for (std::size_t i = 0; i < menu->itemCount(); ++i) {
        const UIMenuItem& item = *menu->item(i);
        shown += item.isSeparator() ? "|" : (item.isEnabled() ? "1" : "0");
        if (item.text() == "Cut") {
            cut = i;
        }
    }
    std::string expected;
    for (const TextEditMenuEntry& e : edit->contextMenuEntries()) {
        expected += std::string(e.separatorBefore && !expected.empty() ? "|" : "") +
                    (e.enabled ? "1" : "0");
    }
    EXPECT_EQ(shown, expected);
    ASSERT_LT(cut, menu->itemCount());
    const Rect r = menu->itemRect(cut);
    const Point centre{r.x + r.width / 2, r.y + r.height / 2};
    sys().mouseMove(*menu, centre);
    sys().click(*menu, centre);
    EXPECT_FALSE(menu->isOpen());
    EXPECT_EQ(edit->text(), "cut ");
    EXPECT_EQ(clipboard, "me");
}

TEST_F(UILineEditTest, ClipboardCommandsAndTheirMenuEnabling) {
    auto enabled = [this] {
        std::string flags;
        for (const TextEditMenuEntry& e : edit->contextMenuEntries()) {
            flags += e.enabled ? '1' : '0';
        }
        return flags;
    };
    const auto menu = edit->contextMenuEntries();
    ASSERT_EQ(menu.size(), 7u);
    EXPECT_EQ(menu[0].text, "Undo");
    EXPECT_EQ(menu[6].text, "Select All");
    // Undo Redo Cut Copy Paste Delete SelectAll
    EXPECT_EQ(enabled(), "0000000");

    type("cut me");
    key(vk::kLeft, kControlModifier | kShiftModifier);
    EXPECT_EQ(enabled(), "1011011");
    EXPECT_TRUE(edit->cut());
    EXPECT_EQ(clipboard, "me");
    EXPECT_EQ(edit->text(), "cut ");
    EXPECT_EQ(enabled(), "1000101");
    EXPECT_TRUE(edit->paste());
    EXPECT_TRUE(edit->paste());
    EXPECT_EQ(edit->text(), "cut meme");

    // An empty copy beeps and leaves the clipboard as it was.
    const int beeps = sys().beepCount();
    EXPECT_FALSE(edit->copy());
    EXPECT_EQ(sys().beepCount(), beeps + 1);
    EXPECT_EQ(clipboard, "me");

    // Read-only: the text can be selected and copied, never changed.
    edit->setReadOnly(true);
    edit->selectAll();
    EXPECT_EQ(enabled(), "0001000");
    type("x");
    key(vk::kBack);
    EXPECT_FALSE(edit->cut());
    EXPECT_FALSE(edit->paste());
    EXPECT_EQ(edit->text(), "cut meme");
    EXPECT_TRUE(edit->copy());
    EXPECT_EQ(clipboard, "cut meme");
}

TEST_F(UILineEditTest, CaretBlinksWithTimer100002InTheMetricsWidthWhileFocused) {
    toolkit().setMetricProvider(
        [](StyleMetric m) { return m == StyleMetric::TextCursorWidth ? 3 : 0; });
    other->setFocus();
    edit->setFocus();
    EXPECT_TRUE(edit->isTimerActive(kTextEditTimerId));
    EXPECT_EQ(edit->caretRect().width, 3);
    EXPECT_TRUE(edit->isCaretShown());
    sys().advance(toolkit().caretBlinkTime());
    EXPECT_FALSE(edit->isCaretShown());
    type("a"); // typing shows the caret again at once
    EXPECT_TRUE(edit->isCaretShown());
    sys().advance(toolkit().caretBlinkTime());
    sys().advance(toolkit().caretBlinkTime());
    EXPECT_TRUE(edit->isCaretShown());

    other->setFocus();
    EXPECT_FALSE(edit->isTimerActive(kTextEditTimerId));
    EXPECT_FALSE(edit->isCaretShown());
}

TEST_F(UILineEditTest, CompositionShowsAtTheCaretUntilCommitted) {
    type("ab");
    key(vk::kLeft);
    toolkit().input().textEditing(window, "とう", 1);
    toolkit().processEvents();
    EXPECT_EQ(edit->preeditText(), "とう");
    EXPECT_EQ(edit->text(), "ab");
    const Rect composing = edit->caretRect();
    toolkit().input().textEditing(window, "", 0);
    type("東");
    EXPECT_EQ(edit->preeditText(), "");
    EXPECT_EQ(edit->text(), "a東b");
    EXPECT_GT(composing.x, edit->caretRect().x - 40);
}

TEST_F(UILineEditTest, LongTextScrollsToKeepTheCaretInView) {
    std::string changed;
    int signals = 0;
    edit->textChanged().connect([&](const std::string& t) {
        changed = t;
        ++signals;
    });
    edit->setText(std::string(200, 'w'));
    EXPECT_EQ(signals, 0); // text set from code is not the user's change
    EXPECT_GT(edit->scrollOffset(), 0);
    const Rect inner = edit->rect().shrunk({1, 1, 1, 1});
    EXPECT_TRUE(inner.containsRect(edit->caretRect()));
    key(vk::kHome);
    EXPECT_EQ(edit->scrollOffset(), 0);
    type("x");
    EXPECT_EQ(signals, 1);
    EXPECT_EQ(changed.size(), 201u);
}

TEST_F(UILineEditTest, DroppedTextIsInsertedAndADroppedFileReplacesTheText) {
    type("path");
    UIMimeData data;
    data.setFilePaths({"/home/me/Pictures"});
    UIEvent drop(UIEventType::Drop);
    drop.mimeData = &data;
    drop.position = {5, 13};
    edit->sendEvent(drop);
    EXPECT_EQ(edit->text(), "/home/me/Pictures");
    EXPECT_TRUE(edit->undo());
    EXPECT_EQ(edit->text(), "path");
}

} // namespace
} // namespace scalora::test
