// The text of an editor with its caret, selection and undo history, free of any widget: the
// line edit and the text edit view keep one each and draw it. Positions are byte offsets on
// caret stops (text_boundaries.h). Every change goes through one edit record, so undo and redo
// see exactly what the user did: typing is grouped into words (a group ends after white
// space), consecutive deletions with the same key are grouped the same way, and everything
// else (a paste, a cut, a replaced selection) is one step.
#pragma once

#include "ui/widgets/text_boundaries.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace scalora {

// How an insertion came about, for grouping it in the history.
enum class EditKind {
    Typing,    // typed characters: grouped into words
    Paste,     // one step
    Backspace, // grouped with the previous backspace
    Delete,    // grouped with the previous forward delete
    Other,     // one step (cut, delete of a selection, a drop)
};

class TextEditModel {
public:
    enum class Lines { Single, Multiple };
    // Undo steps kept; the oldest go first.
    static constexpr std::size_t kHistoryDepth = 200;

    explicit TextEditModel(Lines lines = Lines::Single) : lines_(lines) {}

    const std::string& text() const { return text_; }
    bool isMultiLine() const { return lines_ == Lines::Multiple; }
    // Replaces the whole text and forgets the history; the caret goes to the end. A single-line
    // model turns line breaks into spaces, and control characters other than tab and (in a
    // multi-line model) line feed are dropped.
    void setText(std::string_view text);
    // What setText and the insertions store for a text: cleaned as above.
    std::string cleaned(std::string_view text) const;
    // The most characters (code points) the text may hold; 0 for no limit. Insertions are cut
    // to fit at a caret stop, and setText keeps the start that fits.
    std::size_t maxLength() const { return maxLength_; }
    void setMaxLength(std::size_t characters);
    // Decides which characters the user's insertions keep (a number field takes digits); text
    // set from code is taken as it is. Empty: every character.
    using CharacterFilter = std::function<bool(char16_t)>;
    void setCharacterFilter(CharacterFilter filter) { filter_ = std::move(filter); }

    std::size_t caret() const { return caret_; }
    std::size_t anchor() const { return anchor_; }
    bool hasSelection() const { return caret_ != anchor_; }
    TextRange selection() const;
    std::string selectedText() const;
    // Both positions are snapped to caret stops and clamped to the text.
    void setSelection(std::size_t anchor, std::size_t caret);
    // Moves the caret; with extend the anchor stays, which selects what lies between.
    void moveCaret(std::size_t pos, bool extend);
    void selectAll() { setSelection(0, text_.size()); }

    // Replaces the selection (or inserts at the caret) with the cleaned text; the caret ends
    // after it. Returns whether the text changed.
    bool insert(std::string_view text, EditKind kind);
    // Removes the selection. Returns whether the text changed.
    bool removeSelection(EditKind kind = EditKind::Other);
    // Backspace and Delete: the selection if there is one, else one caret stop (or, with
    // word, up to the previous word start / next word end).
    bool backspace(bool word);
    bool deleteForward(bool word);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < history_.size(); }
    bool undo();
    bool redo();
    // Makes the next edit start a new undo step (after a caret move or a focus change).
    void breakUndoGroup() { groupOpen_ = false; }

private:
    struct Edit {
        std::size_t position;
        std::string removed;
        std::string inserted;
        TextRange selectionBefore; // anchor (start) and caret (end) before the edit
        EditKind kind;
    };
    bool replace(std::size_t from, std::size_t to, std::string inserted, EditKind kind);
    bool joinsOpenGroup(const Edit& edit) const;
    void record(Edit edit);

    std::string fitted(std::string text, std::size_t replacedBytes) const;

    Lines lines_;
    std::size_t maxLength_ = 0;
    CharacterFilter filter_;
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::deque<Edit> history_;
    std::size_t done_ = 0; // history_[0, done_) is applied; the rest can be redone
    bool groupOpen_ = false;
};

} // namespace scalora
