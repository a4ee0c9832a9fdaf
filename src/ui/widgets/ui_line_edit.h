// A single line of editable text: a blinking caret while focused, selection by mouse and
// keys, undo and redo, the clipboard, the input method's composition shown at the caret,
// horizontal scrolling that keeps the caret in view, a blank text while empty, read-only, and
// the context menu's commands (undo, redo, cut, copy, paste, delete, select all) translated in
// "UserInterface/UILineEdit". Used alone and inside spin boxes and combo boxes; the combo box
// holds one without its frame, read-only and elided.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/widgets/text_edit_style.h"
#include "ui/widgets/text_editing_element.h"
#include "ui/widgets/text_editor.h"
#include "ui/widgets/text_line.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class UISkin;

class UILineEdit : public TextEditingElement<UIElement>, private TextEditorHost {
public:
    // The most characters a line holds unless told otherwise, as single-line edit fields
    // have always allowed; it keeps a pasted book from being laid out on every key.
    static constexpr std::size_t kDefaultMaxLength = 32767;

    explicit UILineEdit(UIElement* parent = nullptr);
    ~UILineEdit() override;

    const std::string& text() const { return editor_.text(); }
    // From code: the history is forgotten, the caret goes to the end, textChanged stays quiet.
    void setText(std::string_view text) { editor_.setText(text); }
    void clear() { editor_.setText({}); }
    bool isReadOnly() const { return editor_.isReadOnly(); }
    void setReadOnly(bool readOnly) { editor_.setReadOnly(readOnly); }
    const std::string& blankText() const { return editor_.blankText(); }
    void setBlankText(std::string text) { editor_.setBlankText(std::move(text)); }
    void setMaxLength(std::size_t characters) { editor_.setMaxLength(characters); }
    std::size_t maxLength() const { return editor_.model().maxLength(); }
    // Without its frame the field is only its text, two pixels in from its sides: for a field
    // inside a widget that draws the frame around it.
    bool hasFrame() const { return frame_; }
    void setFrame(bool on);
    // While the field has no focus, a line longer than the field ends in an ellipsis.
    bool isElided() const { return elided_; }
    void setElided(bool on);
    // An elided field's text is longer than the field: it shows ending in an ellipsis.
    bool isTextShortened() const;
    // Which typed, pasted or dropped characters are kept (setText is not filtered).
    void setCharacterFilter(TextEditModel::CharacterFilter filter) {
        editor_.setCharacterFilter(std::move(filter));
    }

    // Selection and caret as byte offsets into text().
    std::size_t caretPosition() const { return editor_.model().caret(); }
    TextRange selection() const { return editor_.model().selection(); }
    bool hasSelection() const { return editor_.model().hasSelection(); }
    std::string selectedText() const { return editor_.model().selectedText(); }
    void setSelection(std::size_t anchor, std::size_t caret) {
        editor_.setSelection(anchor, caret);
    }
    void selectAll() { editor_.run(TextEditCommand::SelectAll); }

    // The operations behind the context menu.
    bool undo() { return editor_.run(TextEditCommand::Undo); }
    bool redo() { return editor_.run(TextEditCommand::Redo); }
    bool cut() { return editor_.run(TextEditCommand::Cut); }
    bool copy() { return editor_.run(TextEditCommand::Copy); }
    bool paste() { return editor_.run(TextEditCommand::Paste); }
    bool deleteSelection() { return editor_.run(TextEditCommand::Delete); }
    bool runCommand(TextEditCommand command) { return editor_.run(command); }
    // The context menu's items as they should show now (texts translated, enabling).
    std::vector<TextEditMenuEntry> contextMenuEntries() const { return editor_.menu(); }

    // After every change by the user; with the new text.
    UISignal<const std::string&>& textChanged() { return editor_.textChanged; }
    UISignal<>& returnPressed() { return editor_.returnPressed; }
    // Enter, or the focus leaving after a change.
    UISignal<>& editingFinished() { return editor_.editingFinished; }

    // What the widget shows: the composition while the input method composes, the caret
    // (in element coordinates, whether or not it blinks on now), the horizontal scroll.
    const std::string& preeditText() const { return editor_.preedit(); }
    bool isCaretShown() const { return editor_.caretShown(); }
    Rect caretRect() const;
    std::int32_t scrollOffset() const { return scrollX_; }
    const TextEditStyle& textStyle() const { return style_; }

    Size sizeHint() const override;
    Size minimumSizeHint() const override;
    // The width the field adds around its text: the margins and the caret. A field sized for
    // one value (a spin box's) is this plus the value's width.
    std::int32_t widthAroundText() const;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void resizeEvent(UIEvent& e) override;
    void enterEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    TextEditor& textEditor() override { return editor_; }

private:
    // TextEditorHost
    UIElement& editorElement() override { return *this; }
    std::size_t positionAt(Point point) const override;
    std::size_t lineStart(std::size_t) const override { return 0; }
    std::size_t lineEnd(std::size_t) const override { return text().size(); }
    void editorChanged(bool edited) override;
    void caretBlinked() override;

    const Margins& textMargins() const;
    Rect contentRect() const;
    // The line box's top-left in element coordinates (scroll applied).
    Point lineOrigin() const;
    // Where the caret sits in the shown line (the composition included).
    std::size_t shownCaret() const;
    void relayoutLine();
    void keepCaretVisible();
    std::int32_t caretWidth() const;

    TextEditor editor_;
    TextEditStyle style_;
    std::unique_ptr<UISkin> skin_;
    TextLine line_;
    std::int32_t scrollX_ = 0;
    std::int32_t minimumWidth_ = 0;
    std::int32_t minimumHeight_ = 0;
    bool frame_ = true;
    bool elided_ = false;
};

} // namespace scalora
