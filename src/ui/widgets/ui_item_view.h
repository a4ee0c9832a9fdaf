// What lists and tables share: items shown in a scroll area's viewport at a scroll offset,
// the current item and the selection (UIItemSelection) with their signals, the blank text of
// an empty view, and the mouse and keyboard rules that change them. Subclasses hold the items,
// lay them out and paint them.
//
// Signals: currentChanged(index) when the current item changes (-1: none), selectionChanged()
// when the set of selected items changes, itemActivated(index) on a left double-click on an
// item and on Enter with a current item. Changes made by code emit them too.
//
// Choices: with Shift held the navigation keys extend the selection from the anchor in
// multiple mode; Ctrl+A selects all in multiple mode only; Page Up and Page Down scroll one
// viewport height before picking the item at the top or bottom of the view.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/widgets/ui_item_selection.h"
#include "ui/widgets/ui_scrollable.h"

#include <algorithm>
#include <string>
#include <vector>

namespace scalora {

class UIItemView : public UIElement, public UIScrollable {
public:
    virtual std::int32_t itemCount() const = 0;
    // The item under a point of the view (element coordinates), or -1.
    virtual std::int32_t itemAt(Point p) const = 0;
    // Where an item lies in content coordinates (scroll offset not applied).
    virtual Rect itemRect(std::int32_t index) const = 0;

    std::int32_t currentItem() const { return selection_.current(); }
    // Makes the item current, the only selected one and the anchor, and scrolls it into
    // view; -1 clears the current item.
    void setCurrentItem(std::int32_t index);
    bool isSelected(std::int32_t index) const { return selection_.isSelected(index); }
    void select(std::int32_t index);
    void deselect(std::int32_t index);
    void selectAll();
    void clearSelection();
    std::vector<std::int32_t> selectedItems() const { return selection_.selectedIndexes(); }
    std::int32_t selectedCount() const { return selection_.selectedCount(); }
    std::int32_t anchorItem() const { return selection_.anchor(); }
    void setSelectionMode(UISelectionMode mode);
    UISelectionMode selectionMode() const { return selection_.mode(); }
    // A press on empty space clears the selection (off by default).
    void setClearSelectionOnEmptyPress(bool on) { clearOnEmpty_ = on; }

    // Shown while the view is empty.
    void setBlankText(std::string text);
    const std::string& blankText() const { return blankText_; }

    // Scrolls the view so that the item shows.
    void scrollToItem(std::int32_t index);
    Point scrollOffset() const { return offset_; }
    // Item rectangle in element coordinates.
    Rect itemRectInView(std::int32_t index) const {
        return itemRect(index).translated(-offset_.x, -offset_.y);
    }

    UISignal<std::int32_t> currentChanged;
    UISignal<> selectionChanged;
    UISignal<std::int32_t> itemActivated;

    void setScrollOffset(Point offset) override;

protected:
    explicit UIItemView(UIElement* parent);

    void keyPressEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void mouseDoubleClickEvent(UIEvent& e) override;
    void focusInEvent(UIEvent& e) override;
    void focusOutEvent(UIEvent& e) override;

    // The first and last items meeting a rectangle in content coordinates (last < first
    // when none).
    virtual void itemsIn(const Rect& area, std::int32_t& first, std::int32_t& last) const = 0;
    // Items per row for Up and Down, and whether Left and Right move between items.
    virtual std::int32_t navigationColumns() const { return 1; }
    virtual bool movesSideways() const { return false; }

    // The edits of a view's item vector, with the selection kept in step and the view
    // repainted.
    template <typename T>
    std::int32_t insertInto(std::vector<T>& items, std::int32_t index, T value) {
        index = std::clamp(index, 0, static_cast<std::int32_t>(items.size()));
        items.insert(items.begin() + index, std::move(value));
        itemsInserted(index, 1);
        return index;
    }
    template <typename T> bool removeFrom(std::vector<T>& items, std::int32_t index) {
        if (index < 0 || index >= static_cast<std::int32_t>(items.size())) {
            return false;
        }
        items.erase(items.begin() + index);
        itemRemoved(index);
        return true;
    }
    template <typename T> void replaceIn(std::vector<T>& items, std::int32_t index, T value) {
        if (index >= 0 && index < static_cast<std::int32_t>(items.size())) {
            items[static_cast<std::size_t>(index)] = std::move(value);
            update(itemRectInView(index));
        }
    }
    template <typename T> void resetTo(std::vector<T>& items, std::vector<T> values) {
        items = std::move(values);
        itemsReset();
    }
    template <typename T>
    static const T& itemOf(const std::vector<T>& items, std::int32_t index, const T& none) {
        return index >= 0 && index < static_cast<std::int32_t>(items.size())
                   ? items[static_cast<std::size_t>(index)]
                   : none;
    }

    // Subclasses report their item changes so the selection stays in step.
    void itemsInserted(std::int32_t index, std::int32_t count);
    void itemRemoved(std::int32_t index);
    void itemsReset();
    // The content size changed: the scroll area's bars follow and the view repaints.
    void contentChanged();

private:
    // After the selection or current item may have changed: repaint and signal.
    void selectionTouched(bool changed, std::int32_t oldCurrent);
    std::int32_t navigationTarget(UINavigation nav) const;

    UIItemSelection selection_;
    Point offset_;
    std::string blankText_;
    bool clearOnEmpty_ = false;
};

} // namespace scalora
