#include "ui/widgets/text_editor.h"

#include "base/strings.h"
#include "exchange/ui_clipboard.h"
#include "exchange/ui_mime_data.h"
#include "ui/core/ui_element.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

#include <cstdlib>

namespace scalora {

namespace {

std::int64_t nowMs() {
    return UITimerRegistry::instance().now();
}

// Byte offset of the n-th character of a text (its end when it has fewer).
std::size_t byteOffsetOfCharacter(std::string_view text, std::int64_t n) {
    std::size_t pos = 0;
    for (std::int64_t i = 0; i < n && pos < text.size(); ++i) {
        decodeUtf8(text, pos);
    }
    return pos;
}

} // namespace

void placeInputMethod(UIElement& element, const Rect& caret) {
    UIWindow* w = element.window();
    if (w != nullptr && w->nativeWindow() != nullptr && element.hasFocus()) {
        const Point at = element.mapToWindow(caret.topLeft());
        w->nativeWindow()->setTextInputArea({at.x, at.y, caret.width, caret.height});
    }
}

TextEditor::TextEditor(TextEditorHost& host, TextEditModel::Lines lines, std::string menuContext)
    : host_(host), model_(lines), menuContext_(std::move(menuContext)) {}

void TextEditor::setText(std::string_view text) {
    model_.setText(text);
    preedit_.clear();
    host_.editorChanged(true);
}

void TextEditor::setSelection(std::size_t anchor, std::size_t caret) {
    model_.setSelection(anchor, caret);
    changed(false);
}

void TextEditor::setMaxLength(std::size_t characters) {
    const std::string before = model_.text();
    model_.setMaxLength(characters);
    host_.editorChanged(before != model_.text());
}

void TextEditor::setReadOnly(bool readOnly) {
    if (readOnly_ != readOnly) {
        readOnly_ = readOnly;
        preedit_.clear();
        host_.editorChanged(false);
    }
}

void TextEditor::setBlankText(std::string text) {
    blankText_ = std::move(text);
    host_.editorChanged(false);
}

bool TextEditor::showsBlankText() const {
    return model_.text().empty() && preedit_.empty() && !blankText_.empty();
}

bool TextEditor::hasFocus() const {
    return host_.editorElement().hasFocus();
}

bool TextEditor::caretShown() const {
    return caretPhase_ && hasFocus() && host_.editorElement().isEnabled();
}

bool TextEditor::keyPress(UIEvent& e) {
    if (e.key == vk::kProcessKey) {
        if (!readOnly_) {
            setPreedit(e.text, e.value);
        }
        return true;
    }
    if (e.key == 0 && !e.text.empty()) {
        // Text comes without Ctrl or Alt combinations already (the window system types none
        // for them), so whatever arrives is typed, AltGr characters included.
        if (!readOnly_) {
            preedit_.clear();
            model_.insert(e.text, EditKind::Typing);
            changed(true);
        }
        return true;
    }
    if (const auto command = commandForKey(e.key, e.modifiers, host_.isZoomable())) {
        run(*command);
        return true;
    }
    const bool shift = (e.modifiers & kShiftModifier) != 0;
    const bool control = (e.modifiers & kControlModifier) != 0;
    if ((e.modifiers & kAltModifier) != 0) {
        return false;
    }
    switch (e.key) {
    case vk::kBack:
        if (!readOnly_ && model_.backspace(control)) {
            changed(true);
        }
        return true;
    case vk::kDelete:
        if (!readOnly_ && model_.deleteForward(control)) {
            changed(true);
        }
        return true;
    case vk::kReturn:
        if (model_.isMultiLine()) {
            if (!readOnly_) {
                model_.insert("\n", EditKind::Typing);
                changed(true);
            }
            return true;
        }
        modifiedSinceFocus_ = false;
        returnPressed.emit();
        editingFinished.emit();
        return false; // a dialog's default button may want it too
    default:
        return moveKey(e.key, shift, control);
    }
}

bool TextEditor::moveKey(std::int32_t key, bool shift, bool control) {
    const std::string& t = model_.text();
    const std::size_t caret = model_.caret();
    const bool multi = model_.isMultiLine();
    std::size_t to = caret;
    switch (key) {
    case vk::kLeft:
        if (model_.hasSelection() && !shift) {
            to = model_.selection().start;
        } else {
            to = control ? previousWordStart(t, caret) : previousCaretStop(t, caret);
        }
        break;
    case vk::kRight:
        if (model_.hasSelection() && !shift) {
            to = model_.selection().end;
        } else {
            to = control ? nextWordEnd(t, caret) : nextCaretStop(t, caret);
        }
        break;
    case vk::kHome:
        to = control || !multi ? 0 : host_.lineStart(caret);
        break;
    case vk::kEnd:
        to = control || !multi ? t.size() : host_.lineEnd(caret);
        break;
    case vk::kUp:
    case vk::kDown:
        if (!multi) {
            return false; // a spin box around the line edit steps with them
        }
        to = host_.linesAway(caret, key == vk::kUp ? -1 : 1);
        break;
    case vk::kPrior:
    case vk::kNext:
        if (!multi) {
            return false;
        }
        to = host_.linesAway(caret, key == vk::kPrior ? -host_.pageLines() : host_.pageLines());
        break;
    default:
        return false;
    }
    model_.moveCaret(to, shift);
    changed(false);
    return true;
}

void TextEditor::setPreedit(const std::string& text, std::int64_t caretCharacters) {
    preedit_ = model_.cleaned(text);
    preeditCaret_ = byteOffsetOfCharacter(preedit_, caretCharacters);
    changed(false);
}

void TextEditor::mousePress(const UIEvent& e) {
    const std::size_t pos = host_.positionAt(e.position);
    if (e.button == kRightButton) {
        // A right click outside the selection moves the caret there, so the context menu
        // acts where the user pointed.
        const TextRange sel = model_.selection();
        if (!model_.hasSelection() || pos < sel.start || pos > sel.end) {
            model_.moveCaret(pos, false);
            changed(false);
        }
        return;
    }
    if (e.button != kLeftButton) {
        return;
    }
    UIToolkit* tk = UIToolkit::instance();
    const Size box = tk != nullptr ? tk->doubleClickSize() : Size{4, 4};
    const std::int64_t limit = tk != nullptr ? tk->doubleClickTime() : 500;
    const bool triple = lastDoubleClickTime_ >= 0 && nowMs() - lastDoubleClickTime_ <= limit &&
                        std::abs(e.position.x - lastDoubleClickPoint_.x) * 2 <= box.width &&
                        std::abs(e.position.y - lastDoubleClickPoint_.y) * 2 <= box.height;
    lastDoubleClickTime_ = -1;
    if (triple) {
        model_.selectAll();
        drag_ = Drag::None;
    } else {
        model_.moveCaret(pos, (e.modifiers & kShiftModifier) != 0);
        drag_ = Drag::Characters;
    }
    changed(false);
}

void TextEditor::mouseDoubleClick(const UIEvent& e) {
    if (e.button != kLeftButton) {
        mousePress(e);
        return;
    }
    const std::size_t pos = host_.positionAt(e.position);
    dragWord_ = wordRangeAt(model_.text(), pos);
    model_.setSelection(dragWord_.start, dragWord_.end);
    drag_ = Drag::Words;
    lastDoubleClickTime_ = nowMs();
    lastDoubleClickPoint_ = e.position;
    changed(false);
}

void TextEditor::mouseMove(const UIEvent& e) {
    if (drag_ == Drag::None || (e.button & kLeftButton) == 0) {
        return;
    }
    const std::size_t pos = host_.positionAt(e.position);
    if (drag_ == Drag::Characters) {
        if (pos == model_.caret()) {
            return;
        }
        model_.moveCaret(pos, true);
    } else {
        const TextRange word = wordRangeAt(model_.text(), pos);
        if (word.start < dragWord_.start) {
            model_.setSelection(dragWord_.end, word.start);
        } else {
            model_.setSelection(dragWord_.start, std::max(word.end, dragWord_.end));
        }
    }
    changed(false);
}

void TextEditor::mouseRelease(const UIEvent& e) {
    if (e.button == kLeftButton) {
        drag_ = Drag::None;
    }
}

void TextEditor::focusIn() {
    modifiedSinceFocus_ = false;
    model_.breakUndoGroup();
    restartCaretBlink();
    host_.editorChanged(false);
}

void TextEditor::focusOut() {
    host_.editorElement().stopTimer(kTextEditTimerId);
    caretPhase_ = false;
    drag_ = Drag::None;
    preedit_.clear();
    model_.breakUndoGroup();
    host_.editorChanged(false);
    if (modifiedSinceFocus_) {
        modifiedSinceFocus_ = false;
        editingFinished.emit();
    }
}

void TextEditor::shown() {
    if (hasFocus()) {
        restartCaretBlink();
    }
}

void TextEditor::hidden() {
    host_.editorElement().stopTimer(kTextEditTimerId);
    caretPhase_ = false;
}

void TextEditor::timer(const UIEvent& e) {
    if (e.value == kTextEditTimerId) {
        caretPhase_ = !caretPhase_;
        host_.caretBlinked();
    }
}

void TextEditor::restartCaretBlink() {
    UIElement& element = host_.editorElement();
    caretPhase_ = true;
    element.stopTimer(kTextEditTimerId);
    if (element.hasFocus() && element.isVisibleOnScreen()) {
        UIToolkit* tk = UIToolkit::instance();
        element.startTimer(tk != nullptr ? tk->caretBlinkTime() : 530, kTextEditTimerId);
    }
}

bool TextEditor::acceptsDrag(const UIEvent& e) const {
    return !readOnly_ && e.mimeData != nullptr &&
           (e.mimeData->hasText() || e.mimeData->hasFilePaths());
}

void TextEditor::drop(const UIEvent& e) {
    if (!acceptsDrag(e)) {
        return;
    }
    preedit_.clear();
    if (e.mimeData->hasText()) {
        model_.moveCaret(host_.positionAt(e.position), false);
        model_.insert(e.mimeData->text(), EditKind::Other);
    } else {
        model_.selectAll();
        model_.insert(e.mimeData->filePaths().front(), EditKind::Other);
    }
    changed(true);
}

bool TextEditor::run(TextEditCommand command) {
    bool done = false;
    bool edited = true;
    switch (command) {
    case TextEditCommand::Undo:
        done = !readOnly_ && model_.undo();
        break;
    case TextEditCommand::Redo:
        done = !readOnly_ && model_.redo();
        break;
    case TextEditCommand::Cut:
        done = !readOnly_ && setClipboardText(model_.selectedText()) && model_.removeSelection();
        break;
    case TextEditCommand::Copy:
        done = setClipboardText(model_.selectedText());
        edited = false;
        break;
    case TextEditCommand::Paste:
        if (!readOnly_) {
            const std::string pasted = clipboardText();
            done = !pasted.empty() && model_.insert(pasted, EditKind::Paste);
        }
        break;
    case TextEditCommand::Delete:
        done = !readOnly_ && model_.removeSelection();
        break;
    case TextEditCommand::SelectAll:
        model_.selectAll();
        done = true;
        edited = false;
        break;
    case TextEditCommand::TextSize:
        return false;
    case TextEditCommand::ZoomIn:
    case TextEditCommand::ZoomOut:
    case TextEditCommand::ZoomReset:
        return host_.zoom(command);
    }
    if (done) {
        preedit_.clear();
        changed(edited);
    }
    return done;
}

std::vector<TextEditMenuEntry> TextEditor::menu() const {
    TextEditMenuState state;
    state.readOnly = readOnly_;
    state.canUndo = model_.canUndo();
    state.canRedo = model_.canRedo();
    state.hasSelection = model_.hasSelection();
    state.hasText = !model_.text().empty();
    state.allSelected = model_.selection().start == 0 &&
                        model_.selection().end == model_.text().size() && state.hasText;
    state.clipboardHasText = !readOnly_ && clipboardHasText();
    state.zoomable = host_.isZoomable();
    host_.fillZoomState(state);
    return textEditMenu(state, menuContext_);
}

void TextEditor::changed(bool edited) {
    restartCaretBlink();
    host_.editorChanged(edited);
    if (edited) {
        modifiedSinceFocus_ = true;
        textChanged.emit(model_.text());
    }
}

} // namespace scalora
