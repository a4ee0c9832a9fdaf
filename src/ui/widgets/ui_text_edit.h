// A multi-line text editor: a framed UITextEditView with everything of the line edit plus
// line wrapping, vertical scrolling and zoom (the text size between zoomMinimum and
// zoomMaximum points, from the context menu's "Text Size" submenu, Ctrl with + - 0, or Ctrl
// and the wheel). Menu texts are translated in "UserInterface/UITextEdit".
#pragma once

#include "ui/core/ui_element.h"
#include "ui/widgets/text_edit_style.h"
#include "ui/widgets/ui_text_edit_view.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scalora {

class UISkin;

class UITextEdit : public UIElement {
public:
    // Zoom limits in points when the style gives none, and the step of Increase and Decrease.
    static constexpr double kFallbackZoomMinimum = 6;
    static constexpr double kFallbackZoomMaximum = 48;
    static constexpr double kZoomStep = 1;

    explicit UITextEdit(UIElement* parent = nullptr);
    ~UITextEdit() override;

    UITextEditView* view() const { return view_; }
    const std::string& text() const { return view_->editor().text(); }
    void setText(std::string_view text) { view_->editor().setText(text); }
    void clear() { view_->editor().setText({}); }
    bool isReadOnly() const { return view_->editor().isReadOnly(); }
    void setReadOnly(bool readOnly) { view_->editor().setReadOnly(readOnly); }
    const std::string& blankText() const { return view_->editor().blankText(); }
    void setBlankText(std::string text) { view_->editor().setBlankText(std::move(text)); }
    void setMaxLength(std::size_t characters) { view_->editor().setMaxLength(characters); }
    bool wrapsLines() const { return view_->wrapsLines(); }
    void setWrapsLines(bool wrap) { view_->setWrapsLines(wrap); }

    std::size_t caretPosition() const { return view_->editor().model().caret(); }
    TextRange selection() const { return view_->editor().model().selection(); }
    bool hasSelection() const { return view_->editor().model().hasSelection(); }
    std::string selectedText() const { return view_->editor().model().selectedText(); }
    void setSelection(std::size_t anchor, std::size_t caret) {
        view_->editor().setSelection(anchor, caret);
    }
    void selectAll() { runCommand(TextEditCommand::SelectAll); }

    bool undo() { return runCommand(TextEditCommand::Undo); }
    bool redo() { return runCommand(TextEditCommand::Redo); }
    bool cut() { return runCommand(TextEditCommand::Cut); }
    bool copy() { return runCommand(TextEditCommand::Copy); }
    bool paste() { return runCommand(TextEditCommand::Paste); }
    bool deleteSelection() { return runCommand(TextEditCommand::Delete); }
    bool runCommand(TextEditCommand command) { return view_->editor().run(command); }
    std::vector<TextEditMenuEntry> contextMenuEntries() const { return view_->editor().menu(); }

    // Zoom: the text's size in points; Normal is the style's font size.
    double zoom() const;
    double normalZoom() const { return style_.font.pointSize(); }
    double zoomMinimum() const { return zoomMinimum_; }
    double zoomMaximum() const { return zoomMaximum_; }
    bool zoomIn() { return setZoom(zoom() + kZoomStep); }
    bool zoomOut() { return setZoom(zoom() - kZoomStep); }
    bool resetZoom();
    // Sets the size, kept within the limits; false when nothing changed.
    bool setZoom(double points);
    // The font the text is drawn in: the style's font at the zoomed size.
    const UIFont& textFont() const { return zoomedFont_; }
    const TextEditStyle& textStyle() const { return style_; }

    UISignal<const std::string&>& textChanged() { return view_->editor().textChanged; }
    UISignal<>& editingFinished() { return view_->editor().editingFinished; }

    Size sizeHint() const override;
    Size minimumSizeHint() const override;
    Margins contentsMargins() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void resizeEvent(UIEvent& e) override;
    void enterEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void changeEvent(UIEvent& e) override;

private:
    void fontChanged();

    TextEditStyle style_;
    std::unique_ptr<UISkin> skin_;
    UIFont zoomedFont_;
    double zoom_ = 0; // 0: the normal size
    double zoomMinimum_ = kFallbackZoomMinimum;
    double zoomMaximum_ = kFallbackZoomMaximum;
    UITextEditView* view_ = nullptr;
};

} // namespace scalora
