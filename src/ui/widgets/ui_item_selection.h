// The selection of an item view (list or table): one flag per item, the current item and
// the selection anchor, with the rules a mouse press and the navigation keys follow. Lists and
// tables hold one each, so both behave alike.
#pragma once

#include <cstdint>
#include <vector>

namespace scalora {

enum class UISelectionMode : std::int32_t {
    None = 0,
    Single = 1,
    Multiple = 2,
};

// What a key asks an item view to do; the numeric keypad's digits (with Num Lock off they
// arrive as digits) act as the navigation keys printed beside them.
enum class UINavigation {
    None,
    PageUp,
    PageDown,
    End,
    Home,
    Left,
    Up,
    Right,
    Down,
    SelectAll,
};
UINavigation navigationForKey(std::int32_t key, std::uint32_t modifiers);

class UIItemSelection {
public:
    void setMode(UISelectionMode mode);
    UISelectionMode mode() const { return mode_; }

    // Keep the flags in step with the items.
    void reset(std::int32_t count);
    void insert(std::int32_t index, std::int32_t count = 1);
    void remove(std::int32_t index);
    std::int32_t count() const { return static_cast<std::int32_t>(flags_.size()); }

    bool isSelected(std::int32_t index) const;
    std::int32_t selectedCount() const { return selectedCount_; }
    // In item order.
    std::vector<std::int32_t> selectedIndexes() const;

    // Each returns whether the selection changed. Nothing is ever selected in mode None, and
    // at most one item in mode Single.
    bool select(std::int32_t index);
    bool deselect(std::int32_t index);
    bool toggle(std::int32_t index);
    bool selectAll();
    bool clear();
    // Exactly the items from a to b, both included, in either order.
    bool selectRange(std::int32_t a, std::int32_t b);
    bool selectOnly(std::int32_t index);

    std::int32_t current() const { return current_; }
    std::int32_t anchor() const { return anchor_; }
    // -1 for none; other values outside the items are ignored.
    void setCurrent(std::int32_t index);
    void setAnchor(std::int32_t index);

    // A press on an item (or on empty space, hit -1) with the modifiers and the button:
    // anchor, Shift range, Ctrl toggle, and a right press keeping a multiple selection.
    bool press(std::int32_t hit, std::uint32_t modifiers, std::uint32_t button, bool clearOnEmpty);
    // A navigation key moved to the target: it becomes current; with Shift in multiple
    // mode the selection runs from the anchor to it, otherwise it is the only one selected
    // and the new anchor.
    bool moveTo(std::int32_t target, std::uint32_t modifiers);

private:
    bool valid(std::int32_t index) const { return index >= 0 && index < count(); }
    bool setFlag(std::int32_t index, bool on);

    std::vector<std::uint8_t> flags_;
    std::int32_t selectedCount_ = 0;
    std::int32_t current_ = -1;
    std::int32_t anchor_ = -1;
    UISelectionMode mode_ = UISelectionMode::Single;
};

} // namespace scalora
