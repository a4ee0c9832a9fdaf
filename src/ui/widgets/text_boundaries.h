// Where a caret may stop and where words begin and end in UTF-8 text. Positions are byte
// offsets that always sit on a character boundary; a caret never stops between a character
// and the combining marks, variation selectors or joiners that belong to it, so accented
// letters written in two code points and emoji sequences are stepped over as one.
#pragma once

#include <cstddef>
#include <string_view>

namespace scalora {

// The next and previous caret stops; the text's end and 0 are the last stops.
std::size_t nextCaretStop(std::string_view text, std::size_t pos);
std::size_t previousCaretStop(std::string_view text, std::size_t pos);
// The nearest caret stop at or before pos (pos snapped out of a character or cluster).
std::size_t snapToCaretStop(std::string_view text, std::size_t pos);

// Word moves as Linux desktops make them: forwards to the end of the current or next word,
// backwards to the start of the current or previous word. Words are runs of letters, digits
// and '_' of any script; everything else separates them.
std::size_t nextWordEnd(std::string_view text, std::size_t pos);
std::size_t previousWordStart(std::string_view text, std::size_t pos);

// The range a double click at pos selects: the word, the run of white space, or the single
// other character there.
struct TextRange {
    std::size_t start = 0;
    std::size_t end = 0;
};
TextRange wordRangeAt(std::string_view text, std::size_t pos);

// Whether typing this character after white space starts a new word (for undo grouping).
bool isWordCharacter(char32_t c);

} // namespace scalora
