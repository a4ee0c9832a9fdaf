#include "ui/widgets/ui_item_view.h"

#include "ui/core/ui_toolkit.h"
#include "ui/widgets/ui_scroll_area.h"

#include <algorithm>

namespace scalora {

UIItemView::UIItemView(UIElement* parent) : UIElement(parent) {}

// --- items ---

void UIItemView::itemsInserted(std::int32_t index, std::int32_t count) {
    const std::int32_t old = currentItem();
    selection_.insert(index, count);
    contentChanged();
    if (currentItem() != old) {
        currentChanged.emit(currentItem());
    }
}

void UIItemView::itemRemoved(std::int32_t index) {
    const std::int32_t old = currentItem();
    const bool wasSelected = isSelected(index);
    selection_.remove(index);
    contentChanged();
    if (wasSelected) {
        selectionChanged.emit();
    }
    if (currentItem() != old || index == old) {
        currentChanged.emit(currentItem());
    }
}

void UIItemView::itemsReset() {
    const bool hadSelection = selectedCount() > 0;
    const bool hadCurrent = currentItem() >= 0;
    selection_.reset(itemCount());
    if (UIScrollArea* area = scrollArea()) {
        area->setScrollPosition({0, 0});
    }
    contentChanged();
    if (hadSelection) {
        selectionChanged.emit();
    }
    if (hadCurrent) {
        currentChanged.emit(-1);
    }
}

void UIItemView::contentChanged() {
    if (UIScrollArea* area = scrollArea()) {
        area->updateScrollRange();
    }
    update();
}

// --- current item and selection ---

void UIItemView::selectionTouched(bool changed, std::int32_t oldCurrent) {
    if (changed || currentItem() != oldCurrent) {
        update();
    }
    if (changed) {
        selectionChanged.emit();
    }
    if (currentItem() != oldCurrent) {
        currentChanged.emit(currentItem());
    }
}

void UIItemView::setCurrentItem(std::int32_t index) {
    const std::int32_t old = currentItem();
    bool changed = false;
    if (index < 0 || index >= itemCount()) {
        selection_.setCurrent(-1);
        selection_.setAnchor(-1);
    } else {
        changed = selection_.moveTo(index, 0);
        scrollToItem(index);
    }
    selectionTouched(changed, old);
}

void UIItemView::select(std::int32_t index) {
    selectionTouched(selection_.select(index), currentItem());
}

void UIItemView::deselect(std::int32_t index) {
    selectionTouched(selection_.deselect(index), currentItem());
}

void UIItemView::selectAll() {
    selectionTouched(selection_.selectAll(), currentItem());
}

void UIItemView::clearSelection() {
    selectionTouched(selection_.clear(), currentItem());
}

void UIItemView::setSelectionMode(UISelectionMode mode) {
    const std::int32_t before = selectedCount();
    selection_.setMode(mode);
    selectionTouched(before != selectedCount(), currentItem());
}

void UIItemView::setBlankText(std::string text) {
    blankText_ = std::move(text);
    if (itemCount() == 0) {
        update();
    }
}

void UIItemView::scrollToItem(std::int32_t index) {
    UIScrollArea* area = scrollArea();
    if (area != nullptr && index >= 0 && index < itemCount()) {
        area->ensureVisible(itemRect(index));
    }
}

void UIItemView::setScrollOffset(Point offset) {
    if (offset != offset_) {
        offset_ = offset;
        update();
    }
}

// --- input ---

std::int32_t UIItemView::navigationTarget(UINavigation nav) const {
    const std::int32_t current = currentItem();
    const std::int32_t last = itemCount() - 1;
    const std::int32_t columns = std::max(1, navigationColumns());
    if (current < 0 && nav != UINavigation::PageUp && nav != UINavigation::PageDown &&
        nav != UINavigation::End) {
        return nav == UINavigation::Left || nav == UINavigation::Right ? (movesSideways() ? 0 : -1)
                                                                       : 0;
    }
    switch (nav) {
    case UINavigation::Home:
        return 0;
    case UINavigation::End:
        return last;
    case UINavigation::Up:
        return current - columns >= 0 ? current - columns : current;
    case UINavigation::Down:
        return current + columns <= last ? current + columns : current;
    case UINavigation::Left:
        return movesSideways() ? std::max(current - 1, 0) : -1;
    case UINavigation::Right:
        return movesSideways() ? std::min(current + 1, last) : -1;
    case UINavigation::PageUp:
    case UINavigation::PageDown: {
        // The first or last item lying wholly in the view (or the nearest partly shown one).
        const Rect view{offset_.x, offset_.y, width(), height()};
        std::int32_t first = 0;
        std::int32_t lastShown = -1;
        itemsIn(view, first, lastShown);
        if (lastShown < first) {
            return -1;
        }
        while (first < lastShown && itemRect(first).y < view.y) {
            ++first;
        }
        while (lastShown > first && itemRect(lastShown).bottom() > view.bottom()) {
            --lastShown;
        }
        if (columns > 1 && current >= 0) {
            // Stay in the current column.
            const std::int32_t column = current % columns;
            first = std::min(first - first % columns + column, last);
            lastShown = std::min(lastShown - lastShown % columns + column, last);
        }
        return nav == UINavigation::PageUp ? first : lastShown;
    }
    default:
        return -1;
    }
}

void UIItemView::keyPressEvent(UIEvent& e) {
    if (e.key == vk::kReturn && currentItem() >= 0) {
        itemActivated.emit(currentItem());
        return;
    }
    const UINavigation nav = navigationForKey(e.key, e.modifiers);
    if (nav == UINavigation::None || itemCount() == 0) {
        return;
    }
    if (nav == UINavigation::SelectAll) {
        if (selectionMode() == UISelectionMode::Multiple) {
            selectAll();
            e.accept();
        }
        return;
    }
    if (nav == UINavigation::PageUp || nav == UINavigation::PageDown) {
        if (UIScrollArea* area = scrollArea()) {
            const std::int32_t page = area->viewportSize().height;
            area->scrollBy(0, nav == UINavigation::PageUp ? -page : page);
        }
    }
    const std::int32_t target = navigationTarget(nav);
    if (target < 0) {
        return;
    }
    e.accept();
    const std::int32_t old = currentItem();
    if ((nav == UINavigation::Home || nav == UINavigation::End) && target == old) {
        return;
    }
    selectionTouched(selection_.moveTo(target, e.modifiers), old);
    scrollToItem(target);
}

void UIItemView::mousePressEvent(UIEvent& e) {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->closePopup(this);
    }
    if (e.button != kLeftButton && e.button != kRightButton) {
        return;
    }
    const std::int32_t hit = itemAt(e.position);
    const std::int32_t old = currentItem();
    selectionTouched(selection_.press(hit, e.modifiers, e.button, clearOnEmpty_), old);
    scrollToItem(hit);
}

void UIItemView::mouseDoubleClickEvent(UIEvent& e) {
    const std::int32_t hit = itemAt(e.position);
    if (e.button == kLeftButton && hit >= 0) {
        itemActivated.emit(hit);
    }
}

void UIItemView::focusInEvent(UIEvent&) {
    update();
}

void UIItemView::focusOutEvent(UIEvent&) {
    update();
}

} // namespace scalora
