// The editing behaviour the line edit and the text edit view share, apart from layout and
// painting: keys, mouse selection (drag, double-click word, triple-click all), the commands
// behind the context menu and their clipboard traffic, the input method's pre-edit text, the
// blinking caret (timer 100002), dropped text, read-only and the blank text. The widget that
// owns it forwards its events and answers the layout questions through TextEditorHost.
#pragma once

#include "base/geometry.h"
#include "ui/core/ui_signal.h"
#include "ui/widgets/text_edit_commands.h"
#include "ui/widgets/text_edit_model.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class UIElement;
struct UIEvent;

class TextEditorHost {
public:
    virtual ~TextEditorHost() = default;
    virtual UIElement& editorElement() = 0;
    // The caret stop nearest to a point of the element.
    virtual std::size_t positionAt(Point point) const = 0;
    // Where Home and End go from pos (the visual line's ends in a text edit).
    virtual std::size_t lineStart(std::size_t pos) const = 0;
    virtual std::size_t lineEnd(std::size_t pos) const = 0;
    // The caret stop `lines` lines above (negative) or below pos; a single line stays put.
    virtual std::size_t linesAway(std::size_t pos, int lines) const {
        (void)lines;
        return pos;
    }
    // Lines a Page Up or Page Down moves; 0 when the widget has no pages.
    virtual int pageLines() const { return 0; }
    // The text, the selection, the caret position or the pre-edit text changed: lay out,
    // keep the caret in view, repaint.
    virtual void editorChanged(bool edited) = 0;
    // Only the caret's blink phase changed.
    virtual void caretBlinked() = 0;
    // The text edit's zoom; the line edit has none.
    virtual bool isZoomable() const { return false; }
    virtual bool zoom(TextEditCommand command) {
        (void)command;
        return false;
    }
    virtual void fillZoomState(TextEditMenuState& state) const { (void)state; }
};

// Tells the window system where the caret of a focused editor is (element coordinates), so
// an input method opens its candidate list beside it.
void placeInputMethod(UIElement& element, const Rect& caret);

class TextEditor {
public:
    TextEditor(TextEditorHost& host, TextEditModel::Lines lines, std::string menuContext);
    TextEditor(const TextEditor&) = delete;
    TextEditor& operator=(const TextEditor&) = delete;

    const TextEditModel& model() const { return model_; }
    const std::string& text() const { return model_.text(); }
    // Replaces the text from code: the history is forgotten and textChanged is not emitted.
    void setText(std::string_view text);
    void setSelection(std::size_t anchor, std::size_t caret);
    void setMaxLength(std::size_t characters);
    void setCharacterFilter(TextEditModel::CharacterFilter filter) {
        model_.setCharacterFilter(std::move(filter));
    }

    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    const std::string& blankText() const { return blankText_; }
    void setBlankText(std::string text);
    // The blank text shows while the text and the pre-edit text are empty.
    bool showsBlankText() const;

    // The input method's composition, shown at the caret until it is committed or cancelled.
    const std::string& preedit() const { return preedit_; }
    // Byte offset of the composition's own caret within preedit().
    std::size_t preeditCaret() const { return preeditCaret_; }

    // Whether the caret is drawn now: focused, enabled and in the visible blink phase.
    bool caretShown() const;
    bool hasFocus() const;

    // Emitted after every change the user makes (typing, commands, drops).
    UISignal<const std::string&> textChanged;
    // Enter in a single-line editor.
    UISignal<> returnPressed;
    // Enter in a single-line editor, or the focus leaving after the text was changed.
    UISignal<> editingFinished;

    // Events forwarded by the widget. keyPress returns whether the key was taken.
    bool keyPress(UIEvent& e);
    void mousePress(const UIEvent& e);
    void mouseDoubleClick(const UIEvent& e);
    void mouseMove(const UIEvent& e);
    void mouseRelease(const UIEvent& e);
    void focusIn();
    void focusOut();
    void shown();
    void hidden();
    void timer(const UIEvent& e);
    // Drag and drop: text is inserted where it is dropped, a dropped file replaces the text
    // with its path (what a path field wants).
    bool acceptsDrag(const UIEvent& e) const;
    void drop(const UIEvent& e);

    // Runs a command of the context menu or of a key binding; false when it could not run
    // (a read-only editor, nothing to undo); an empty copy or paste beeps.
    bool run(TextEditCommand command);
    // The context menu as it should look now, translated.
    std::vector<TextEditMenuEntry> menu() const;

private:
    bool moveKey(std::int32_t key, bool shift, bool control);
    void setPreedit(const std::string& text, std::int64_t caretCharacters);
    void changed(bool edited);
    void restartCaretBlink();

    TextEditorHost& host_;
    TextEditModel model_;
    std::string menuContext_;
    std::string blankText_;
    std::string preedit_;
    std::size_t preeditCaret_ = 0;
    bool readOnly_ = false;
    bool caretPhase_ = false;
    bool modifiedSinceFocus_ = false;
    // Mouse selection: plain drag, or by whole words after a double click.
    enum class Drag { None, Characters, Words };
    Drag drag_ = Drag::None;
    TextRange dragWord_;
    std::int64_t lastDoubleClickTime_ = -1;
    Point lastDoubleClickPoint_;
};

} // namespace scalora
