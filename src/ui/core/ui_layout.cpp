#include "ui/core/ui_layout.h"

#include "ui/core/ui_toolkit.h"

#include <algorithm>
#include <limits>

namespace scalora {

namespace {

constexpr std::int32_t kNoLimit = std::numeric_limits<std::int32_t>::max() / 4;

std::int32_t limitOf(const UILayoutSlot& s) {
    return s.fixed ? s.hint : (s.maximum > 0 ? std::max(s.maximum, s.minimum) : kNoLimit);
}

std::int32_t floorOf(const UILayoutSlot& s) {
    return s.fixed ? s.hint : s.minimum;
}

// Hands `amount` pixels to the slots chosen by `weight` (0 = not a candidate), by weight, up to
// their limits. Returns what could not be placed.
template <typename Weight>
std::int32_t grow(std::span<const UILayoutSlot> slots, std::vector<std::int32_t>& sizes,
                  std::int32_t amount, Weight weight) {
    while (amount > 0) {
        std::int64_t total = 0;
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (sizes[i] < limitOf(slots[i])) {
                total += weight(slots[i]);
            }
        }
        if (total == 0) {
            break;
        }
        std::int32_t given = 0;
        for (std::size_t i = 0; i < slots.size() && given < amount; ++i) {
            const std::int32_t w = weight(slots[i]);
            if (w == 0 || sizes[i] >= limitOf(slots[i])) {
                continue;
            }
            std::int32_t share = static_cast<std::int32_t>(amount * std::int64_t{w} / total);
            // Rounding leftovers go one pixel at a time to the first candidates.
            share = std::max(share, 1);
            share = std::min({share, amount - given, limitOf(slots[i]) - sizes[i]});
            sizes[i] += share;
            given += share;
        }
        if (given == 0) {
            break;
        }
        amount -= given;
    }
    return amount;
}

} // namespace

std::vector<std::int32_t> distributeLayoutSpace(std::span<const UILayoutSlot> slots,
                                                std::int32_t available) {
    std::vector<std::int32_t> sizes(slots.size());
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        sizes[i] = std::clamp(slots[i].hint, floorOf(slots[i]), limitOf(slots[i]));
        sum += sizes[i];
    }
    std::int64_t extra = available - sum;
    if (extra > 0) {
        auto amount = static_cast<std::int32_t>(std::min<std::int64_t>(extra, kNoLimit));
        amount = grow(slots, sizes, amount,
                      [](const UILayoutSlot& s) { return s.fixed ? 0 : std::max(s.stretch, 0); });
        amount = grow(slots, sizes, amount, [](const UILayoutSlot& s) {
            return !s.fixed && s.stretch <= 0 && s.expanding ? 1 : 0;
        });
        grow(slots, sizes, amount, [](const UILayoutSlot& s) { return s.fixed ? 0 : 1; });
    } else if (extra < 0) {
        std::int64_t deficit = -extra;
        while (deficit > 0) {
            std::int64_t room = 0;
            for (std::size_t i = 0; i < slots.size(); ++i) {
                room += sizes[i] - floorOf(slots[i]);
            }
            if (room == 0) {
                break;
            }
            const std::int64_t target = std::min(deficit, room);
            std::int64_t taken = 0;
            for (std::size_t i = 0; i < slots.size() && taken < target; ++i) {
                const std::int64_t r = sizes[i] - floorOf(slots[i]);
                if (r <= 0) {
                    continue;
                }
                std::int64_t take = std::max<std::int64_t>(target * r / room, 1);
                take = std::min({take, r, target - taken});
                sizes[i] -= static_cast<std::int32_t>(take);
                taken += take;
            }
            deficit -= taken;
        }
    }
    return sizes;
}

// --- UILayout ---

namespace {

// A value set on the layout (0 or more), else the style's metric (never negative).
std::int32_t ownOrMetric(std::int32_t own, StyleMetric metric) {
    if (own >= 0) {
        return own;
    }
    const UIToolkit* tk = UIToolkit::instance();
    return tk != nullptr ? std::max(tk->metric(metric), 0) : 0;
}

} // namespace

Margins UILayout::contentsMargins() const {
    return {ownOrMetric(margins_.left, StyleMetric::LayoutLeftMargin),
            ownOrMetric(margins_.top, StyleMetric::LayoutTopMargin),
            ownOrMetric(margins_.right, StyleMetric::LayoutRightMargin),
            ownOrMetric(margins_.bottom, StyleMetric::LayoutBottomMargin)};
}

std::int32_t UILayout::spacing(bool horizontal) const {
    return ownOrMetric(spacing_, horizontal ? StyleMetric::LayoutHorizontalSpacing
                                            : StyleMetric::LayoutVerticalSpacing);
}

UILayoutSlot elementSlot(const UIElement& element, bool horizontal) {
    const Size hint = element.sizeHint();
    const Size minHint = element.minimumSizeHint();
    const Size minimum = element.minimumSize();
    const Size maximum = element.maximumSize();
    const UISizePolicy policy = horizontal ? element.horizontalPolicy() : element.verticalPolicy();
    UILayoutSlot s;
    const std::int32_t minSize = std::max(horizontal ? minimum.width : minimum.height,
                                          horizontal ? minHint.width : minHint.height);
    const std::int32_t maxSize = horizontal ? maximum.width : maximum.height;
    s.minimum = std::max(minSize, 0);
    s.maximum = maxSize > 0 ? std::max(maxSize, s.minimum) : 0;
    s.hint = std::max(horizontal ? hint.width : hint.height, s.minimum);
    if (s.maximum > 0) {
        s.hint = std::min(s.hint, s.maximum);
    }
    s.fixed = policy == UISizePolicy::Fixed;
    s.expanding = policy == UISizePolicy::Expanding;
    return s;
}

// --- UIBoxLayout ---

void UIBoxLayout::addElement(UIElement* element, std::int32_t stretch) {
    if (element == nullptr) {
        return;
    }
    Item item;
    item.element = element;
    item.stretch = stretch;
    items_.push_back(std::move(item));
}

void UIBoxLayout::addLayout(std::unique_ptr<UILayout> layout, std::int32_t stretch) {
    if (!layout) {
        return;
    }
    layout->setHost(host());
    Item item;
    item.layout = std::move(layout);
    item.stretch = stretch;
    items_.push_back(std::move(item));
}

void UIBoxLayout::addSpacing(std::int32_t size) {
    Item item;
    item.spacing = std::max(size, 0);
    items_.push_back(std::move(item));
}

void UIBoxLayout::addStretch(std::int32_t stretch) {
    Item item;
    item.isStretch = true;
    item.stretch = std::max(stretch, 1);
    items_.push_back(std::move(item));
}

void UIBoxLayout::setHost(UIElement* host) {
    UILayout::setHost(host);
    for (Item& item : items_) {
        if (item.layout) {
            item.layout->setHost(host);
        }
    }
}

bool UIBoxLayout::removeElement(UIElement* element) {
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if (it->element == element) {
            items_.erase(it);
            return true;
        }
        if (it->layout && it->layout->removeElement(element)) {
            return true;
        }
    }
    return false;
}

bool UIBoxLayout::isShown(const Item& item) const {
    // A hidden element takes no room; so does an element that was closed.
    return item.element == nullptr || (item.element->isVisible() && !item.element->isDead());
}

UILayoutSlot UIBoxLayout::slotFor(const Item& item, bool alongMain) const {
    const bool h = alongMain ? horizontal() : !horizontal();
    UILayoutSlot s;
    if (item.element != nullptr) {
        s = elementSlot(*item.element, h);
    } else if (item.layout) {
        const Size hint = item.layout->sizeHint();
        const Size minimum = item.layout->minimumSize();
        s.hint = h ? hint.width : hint.height;
        s.minimum = h ? minimum.width : minimum.height;
    } else if (item.isStretch) {
        s.expanding = true;
    } else {
        s.hint = alongMain ? item.spacing : 0;
        s.minimum = s.hint;
        s.fixed = alongMain;
    }
    if (alongMain) {
        s.stretch = item.stretch;
    }
    return s;
}

Size UIBoxLayout::measure(bool minimum) const {
    std::int64_t main = 0;
    std::int32_t cross = 0;
    int realItems = 0;
    for (const Item& item : items_) {
        if (!isShown(item)) {
            continue;
        }
        const UILayoutSlot m = slotFor(item, true);
        const UILayoutSlot c = slotFor(item, false);
        main += minimum ? m.minimum : m.hint;
        cross = std::max(cross, minimum ? c.minimum : c.hint);
        realItems += (item.element != nullptr || item.layout) ? 1 : 0;
    }
    const std::int32_t gap = spacing(horizontal());
    main += std::int64_t{gap} * std::max(realItems - 1, 0);
    const Margins m = contentsMargins();
    const auto mainSize = static_cast<std::int32_t>(std::min<std::int64_t>(main, kNoLimit));
    return horizontal() ? Size{mainSize + m.left + m.right, cross + m.top + m.bottom}
                        : Size{cross + m.left + m.right, mainSize + m.top + m.bottom};
}

void UIBoxLayout::setGeometry(const Rect& rect) {
    const Rect area = rect.shrunk(contentsMargins());
    const std::int32_t gap = spacing(horizontal());
    std::vector<const Item*> shown;
    std::vector<UILayoutSlot> slots;
    int realItems = 0;
    for (const Item& item : items_) {
        if (isShown(item)) {
            shown.push_back(&item);
            slots.push_back(slotFor(item, true));
            realItems += (item.element != nullptr || item.layout) ? 1 : 0;
        }
    }
    const std::int32_t mainLength = horizontal() ? area.width : area.height;
    const std::int32_t crossLength = horizontal() ? area.height : area.width;
    const std::vector<std::int32_t> sizes =
        distributeLayoutSpace(slots, mainLength - gap * std::max(realItems - 1, 0));
    std::int32_t pos = horizontal() ? area.x : area.y;
    bool previousReal = false;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const Item& item = *shown[i];
        const bool real = item.element != nullptr || item.layout;
        if (real && previousReal) {
            pos += gap;
        }
        if (real) {
            previousReal = true;
        }
        // Across the box an item fills the room unless it is fixed or limited; then it is
        // centred.
        const UILayoutSlot c = slotFor(item, false);
        std::int32_t crossSize = crossLength;
        if (c.fixed) {
            crossSize = std::min(c.hint, crossLength);
        } else if (c.maximum > 0) {
            crossSize = std::min(c.maximum, crossLength);
        }
        const std::int32_t crossPos =
            (horizontal() ? area.y : area.x) + (crossLength - crossSize) / 2;
        const Rect r = horizontal() ? Rect{pos, crossPos, sizes[i], crossSize}
                                    : Rect{crossPos, pos, crossSize, sizes[i]};
        if (item.element != nullptr) {
            item.element->setGeometry(r);
        } else if (item.layout) {
            item.layout->setGeometry(r);
        }
        pos += sizes[i];
    }
}

// --- UIGridLayout ---

void UIGridLayout::addElement(UIElement* element, std::int32_t row, std::int32_t column,
                              std::int32_t rowSpan, std::int32_t columnSpan) {
    if (element == nullptr || row < 0 || column < 0) {
        return;
    }
    rowSpan = std::max(rowSpan, 1);
    columnSpan = std::max(columnSpan, 1);
    cells_.push_back({element, row, column, rowSpan, columnSpan});
    rows_ = std::max(rows_, row + rowSpan);
    columns_ = std::max(columns_, column + columnSpan);
}

void UIGridLayout::setRowStretch(std::int32_t row, std::int32_t stretch) {
    if (row < 0) {
        return;
    }
    if (rowStretch_.size() <= static_cast<std::size_t>(row)) {
        rowStretch_.resize(static_cast<std::size_t>(row) + 1, 0);
    }
    rowStretch_[static_cast<std::size_t>(row)] = stretch;
    rows_ = std::max(rows_, row + 1);
}

void UIGridLayout::setColumnStretch(std::int32_t column, std::int32_t stretch) {
    if (column < 0) {
        return;
    }
    if (columnStretch_.size() <= static_cast<std::size_t>(column)) {
        columnStretch_.resize(static_cast<std::size_t>(column) + 1, 0);
    }
    columnStretch_[static_cast<std::size_t>(column)] = stretch;
    columns_ = std::max(columns_, column + 1);
}

bool UIGridLayout::removeElement(UIElement* element) {
    return std::erase_if(cells_, [&](const Cell& c) { return c.element == element; }) > 0;
}

std::vector<UILayoutSlot> UIGridLayout::axisSlots(bool horizontal) const {
    const std::int32_t n = horizontal ? columns_ : rows_;
    std::vector<UILayoutSlot> slots(static_cast<std::size_t>(n));
    std::vector<bool> fixedOnly(static_cast<std::size_t>(n), true);
    std::vector<bool> used(static_cast<std::size_t>(n), false);
    for (const Cell& cell : cells_) {
        if (!cell.element->isVisible() || (horizontal ? cell.columnSpan : cell.rowSpan) != 1) {
            continue;
        }
        const auto index = static_cast<std::size_t>(horizontal ? cell.column : cell.row);
        const UILayoutSlot s = elementSlot(*cell.element, horizontal);
        UILayoutSlot& slot = slots[index];
        slot.hint = std::max(slot.hint, s.hint);
        slot.minimum = std::max(slot.minimum, s.minimum);
        slot.expanding = slot.expanding || s.expanding;
        fixedOnly[index] = fixedOnly[index] && s.fixed;
        used[index] = true;
    }
    const auto& stretch = horizontal ? columnStretch_ : rowStretch_;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        // A line of fixed elements stays at its hint; an empty line takes no room unless
        // it is given a stretch.
        slots[i].fixed = used[i] && fixedOnly[i];
        slots[i].stretch = i < stretch.size() ? stretch[i] : 0;
    }
    return slots;
}

Size UIGridLayout::measure(bool minimum) const {
    const Margins m = contentsMargins();
    Size s{m.left + m.right, m.top + m.bottom};
    for (const UILayoutSlot& slot : axisSlots(true)) {
        s.width += minimum ? slot.minimum : slot.hint;
    }
    for (const UILayoutSlot& slot : axisSlots(false)) {
        s.height += minimum ? slot.minimum : slot.hint;
    }
    s.width += spacing(true) * std::max(columns_ - 1, 0);
    s.height += spacing(false) * std::max(rows_ - 1, 0);
    return s;
}

void UIGridLayout::setGeometry(const Rect& rect) {
    const Rect area = rect.shrunk(contentsMargins());
    const std::int32_t hGap = spacing(true);
    const std::int32_t vGap = spacing(false);
    const auto widths =
        distributeLayoutSpace(axisSlots(true), area.width - hGap * std::max(columns_ - 1, 0));
    const auto heights =
        distributeLayoutSpace(axisSlots(false), area.height - vGap * std::max(rows_ - 1, 0));
    std::vector<std::int32_t> xs(widths.size() + 1, area.x);
    std::vector<std::int32_t> ys(heights.size() + 1, area.y);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        xs[i + 1] = xs[i] + widths[i] + hGap;
    }
    for (std::size_t i = 0; i < heights.size(); ++i) {
        ys[i + 1] = ys[i] + heights[i] + vGap;
    }
    for (const Cell& cell : cells_) {
        const auto c0 = static_cast<std::size_t>(cell.column);
        const auto c1 = static_cast<std::size_t>(cell.column + cell.columnSpan);
        const auto r0 = static_cast<std::size_t>(cell.row);
        const auto r1 = static_cast<std::size_t>(cell.row + cell.rowSpan);
        Rect r{xs[c0], ys[r0], xs[c1] - xs[c0] - hGap, ys[r1] - ys[r0] - vGap};
        // Fixed elements keep their hint inside the cell, centred.
        const UILayoutSlot hs = elementSlot(*cell.element, true);
        const UILayoutSlot vs = elementSlot(*cell.element, false);
        if (hs.fixed && hs.hint < r.width) {
            r.x += (r.width - hs.hint) / 2;
            r.width = hs.hint;
        }
        if (vs.fixed && vs.hint < r.height) {
            r.y += (r.height - vs.hint) / 2;
            r.height = vs.hint;
        }
        cell.element->setGeometry(r);
    }
}

} // namespace scalora
