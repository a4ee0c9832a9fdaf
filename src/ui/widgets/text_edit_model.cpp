#include "ui/widgets/text_edit_model.h"

#include "base/strings.h"

#include <algorithm>

namespace scalora {

namespace {

std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool startsWithSpace(std::string_view text) {
    std::size_t pos = 0;
    return !text.empty() && isSpaceChar(decodeUtf8(text, pos));
}

bool endsWithSpace(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    std::size_t pos = previousCaretStop(text, text.size());
    return isSpaceChar(decodeUtf8(text, pos));
}

// A word ends where white space follows other text: "ab " then "cd" are two undo steps.
bool wordBoundaryBetween(std::string_view before, std::string_view after) {
    return endsWithSpace(before) && !startsWithSpace(after);
}

} // namespace

std::string TextEditModel::cleaned(std::string_view text) const {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = decodeUtf8(text, pos);
        if (c == U'\r') {
            if (pos < text.size() && text[pos] == '\n') {
                ++pos;
            }
            c = U'\n';
        }
        if (c == U'\n') {
            c = isMultiLine() ? U'\n' : U' ';
        }
        const bool control = (c < 0x20 && c != U'\t' && c != U'\n') || c == 0x7F;
        if (!control) {
            appendUtf8(out, c);
        }
    }
    return out;
}

void TextEditModel::setMaxLength(std::size_t characters) {
    maxLength_ = characters;
    if (maxLength_ > 0 && characterCount(text_) > maxLength_) {
        setText(std::string(text_));
    }
}

std::string TextEditModel::fitted(std::string text, std::size_t replacedBytes) const {
    if (maxLength_ == 0) {
        return text;
    }
    const std::size_t kept = characterCount(text_) - characterCount(text_.substr(0, replacedBytes));
    const std::size_t room = maxLength_ > kept ? maxLength_ - kept : 0;
    std::size_t end = 0;
    std::size_t count = 0;
    while (end < text.size()) {
        const std::size_t next = nextCaretStop(text, end);
        count += characterCount(std::string_view(text).substr(end, next - end));
        if (count > room) {
            break;
        }
        end = next;
    }
    text.resize(end);
    return text;
}

void TextEditModel::setText(std::string_view text) {
    text_.clear();
    text_ = fitted(cleaned(text), 0);
    caret_ = anchor_ = text_.size();
    history_.clear();
    done_ = 0;
    groupOpen_ = false;
}

TextRange TextEditModel::selection() const {
    return {std::min(caret_, anchor_), std::max(caret_, anchor_)};
}

std::string TextEditModel::selectedText() const {
    const TextRange r = selection();
    return text_.substr(r.start, r.end - r.start);
}

void TextEditModel::setSelection(std::size_t anchor, std::size_t caret) {
    anchor_ = snapToCaretStop(text_, anchor);
    caret_ = snapToCaretStop(text_, caret);
}

void TextEditModel::moveCaret(std::size_t pos, bool extend) {
    caret_ = snapToCaretStop(text_, pos);
    if (!extend) {
        anchor_ = caret_;
    }
    groupOpen_ = false;
}

bool TextEditModel::insert(std::string_view text, EditKind kind) {
    const TextRange r = selection();
    std::string clean = cleaned(text);
    if (filter_) {
        std::u16string kept = utf8ToUtf16(clean);
        std::erase_if(kept, [this](char16_t c) { return !filter_(c); });
        clean = utf16ToUtf8(kept);
    }
    return replace(r.start, r.end, fitted(std::move(clean), r.end - r.start), kind);
}

bool TextEditModel::removeSelection(EditKind kind) {
    const TextRange r = selection();
    return replace(r.start, r.end, {}, kind);
}

bool TextEditModel::backspace(bool word) {
    if (hasSelection()) {
        return removeSelection();
    }
    const std::size_t from =
        word ? previousWordStart(text_, caret_) : previousCaretStop(text_, caret_);
    return replace(from, caret_, {}, EditKind::Backspace);
}

bool TextEditModel::deleteForward(bool word) {
    if (hasSelection()) {
        return removeSelection();
    }
    const std::size_t to = word ? nextWordEnd(text_, caret_) : nextCaretStop(text_, caret_);
    return replace(caret_, to, {}, EditKind::Delete);
}

bool TextEditModel::replace(std::size_t from, std::size_t to, std::string inserted, EditKind kind) {
    if (from == to && inserted.empty()) {
        return false;
    }
    Edit edit{from, text_.substr(from, to - from), std::move(inserted), {anchor_, caret_}, kind};
    text_.replace(from, to - from, edit.inserted);
    caret_ = anchor_ = from + edit.inserted.size();
    record(std::move(edit));
    return true;
}

bool TextEditModel::joinsOpenGroup(const Edit& edit) const {
    if (!groupOpen_ || done_ == 0 || done_ != history_.size()) {
        return false;
    }
    const Edit& open = history_[done_ - 1];
    if (open.kind != edit.kind) {
        return false;
    }
    switch (edit.kind) {
    case EditKind::Typing:
        return edit.removed.empty() && edit.position == open.position + open.inserted.size() &&
               !wordBoundaryBetween(open.inserted, edit.inserted);
    case EditKind::Backspace:
        return edit.position + edit.removed.size() == open.position &&
               !wordBoundaryBetween(edit.removed, open.removed);
    case EditKind::Delete:
        return edit.position == open.position && !wordBoundaryBetween(open.removed, edit.removed);
    case EditKind::Paste:
    case EditKind::Other:
        break;
    }
    return false;
}

void TextEditModel::record(Edit edit) {
    if (joinsOpenGroup(edit)) {
        Edit& open = history_[done_ - 1];
        switch (edit.kind) {
        case EditKind::Typing:
            open.inserted += edit.inserted;
            break;
        case EditKind::Backspace:
            open.position = edit.position;
            open.removed = edit.removed + open.removed;
            break;
        default:
            open.removed += edit.removed;
            break;
        }
        return;
    }
    history_.erase(history_.begin() + static_cast<std::ptrdiff_t>(done_), history_.end());
    groupOpen_ = edit.kind == EditKind::Typing || edit.kind == EditKind::Backspace ||
                 edit.kind == EditKind::Delete;
    history_.push_back(std::move(edit));
    ++done_;
    if (history_.size() > kHistoryDepth) {
        history_.pop_front();
        --done_;
    }
}

bool TextEditModel::undo() {
    if (!canUndo()) {
        return false;
    }
    const Edit& edit = history_[--done_];
    text_.replace(edit.position, edit.inserted.size(), edit.removed);
    anchor_ = edit.selectionBefore.start;
    caret_ = edit.selectionBefore.end;
    groupOpen_ = false;
    return true;
}

bool TextEditModel::redo() {
    if (!canRedo()) {
        return false;
    }
    const Edit& edit = history_[done_++];
    text_.replace(edit.position, edit.removed.size(), edit.inserted);
    caret_ = anchor_ = edit.position + edit.inserted.size();
    groupOpen_ = false;
    return true;
}

} // namespace scalora
