// The text area of a UITextEdit: the editing of the line edit over many lines, wrapped at the
// area's width (or scrolled sideways when wrapping is off), scrolled up and down to keep the
// caret in view, drawn in the text edit's style at its zoomed size. Up, Down, Page Up and Page
// Down move by lines at the column the caret keeps; the wheel scrolls, with Ctrl it zooms.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/widgets/text_edit_layout.h"
#include "ui/widgets/text_editing_element.h"
#include "ui/widgets/text_editor.h"

namespace scalora {

class UITextEdit;

class UITextEditView : public TextEditingElement<UIElement>, private TextEditorHost {
public:
    explicit UITextEditView(UITextEdit* edit);
    ~UITextEditView() override;

    TextEditor& editor() { return editor_; }
    const TextEditor& editor() const { return editor_; }
    const TextEditLayout& textLayout() const { return layout_; }
    bool wrapsLines() const { return wrap_; }
    void setWrapsLines(bool wrap);
    // The scroll position: the content point at the area's top-left.
    Point scrollPosition() const { return scroll_; }
    void scrollTo(Point position);
    // The caret in element coordinates, whether or not it blinks on now.
    Rect caretRect() const;
    // Lays the text out again at the edit's current font (after a zoom or a style change).
    void relayout();

protected:
    void paintEvent(UIEvent& e) override;
    void resizeEvent(UIEvent& e) override;
    void wheelEvent(UIEvent& e) override;
    void focusInEvent(UIEvent& e) override;
    void focusOutEvent(UIEvent& e) override;
    TextEditor& textEditor() override { return editor_; }

private:
    // TextEditorHost
    UIElement& editorElement() override { return *this; }
    std::size_t positionAt(Point point) const override;
    std::size_t lineStart(std::size_t pos) const override;
    std::size_t lineEnd(std::size_t pos) const override;
    std::size_t linesAway(std::size_t pos, int lines) const override;
    int pageLines() const override;
    void editorChanged(bool edited) override;
    void caretBlinked() override;
    bool isZoomable() const override { return true; }
    bool zoom(TextEditCommand command) override;
    void fillZoomState(TextEditMenuState& state) const override;

    Rect textArea() const;
    // The shown position of the caret: the composition's own caret while composing.
    std::size_t shownCaret() const;
    void keepCaretVisible();
    void clampScroll();
    std::int32_t caretWidth() const;

    UITextEdit* edit_;
    TextEditor editor_;
    TextEditLayout layout_;
    Point scroll_;
    bool wrap_ = true;
    // The column Up and Down keep while the caret moves by lines (-1: take the caret's).
    mutable std::int32_t goalX_ = -1;
    mutable bool movingByLines_ = false;
};

} // namespace scalora
