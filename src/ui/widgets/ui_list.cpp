// Index: items; geometry; style; painting.
#include "ui/widgets/ui_list.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_scroll_area.h"
#include "ui/widgets/widget_painting.h"

#include <algorithm>

namespace scalora {

namespace {
constexpr Size kDefaultHint{200, 150};
const UIListItem kNoItem{};
} // namespace

UIList::UIList(UIElement* parent) : UIItemView(parent) {
    setStyleClass("UIList");
    setFlag(kParentBackground, true);
    setFlag(kAcceptsDoubleClick, true);
    setFocusPolicy(kStrongFocus);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Expanding);
}

// --- items ---

std::int32_t UIList::addItem(UIListItem item) {
    return insertInto(items_, count(), std::move(item));
}

void UIList::insertItem(std::int32_t index, UIListItem item) {
    insertInto(items_, index, std::move(item));
}

bool UIList::removeItem(std::int32_t index) {
    return removeFrom(items_, index);
}

void UIList::clear() {
    resetTo(items_, {});
}

void UIList::setItems(std::vector<UIListItem> items) {
    resetTo(items_, std::move(items));
}

const UIListItem& UIList::item(std::int32_t index) const {
    return itemOf(items_, index, kNoItem);
}

void UIList::setItem(std::int32_t index, UIListItem item) {
    replaceIn(items_, index, std::move(item));
}

void UIList::setViewMode(ViewMode mode) {
    if (mode != mode_) {
        mode_ = mode;
        contentChanged();
        scrollToItem(currentItem());
    }
}

void UIList::setSelectionAlwaysActive(bool on) {
    selectionAlwaysActive_ = on;
    update();
}

// --- geometry ---

std::int32_t UIList::rowPitch() const {
    return std::max(1, style_.listModeItemHeight + style_.listModeItemSpacing);
}

std::int32_t UIList::columnsFor(std::int32_t w) const {
    const std::int32_t spacing = style_.iconModeItemHorizontalSpacing;
    const std::int32_t room =
        w - style_.iconModePadding.left - style_.iconModePadding.right + spacing;
    return std::max(1, room / std::max(1, style_.iconModeItemSize.width + spacing));
}

std::int32_t UIList::navigationColumns() const {
    return mode_ == ViewMode::Icon ? columnsFor(width()) : 1;
}

Size UIList::scrollContentSize(Size viewport) const {
    if (mode_ == ViewMode::List) {
        const std::int32_t h = count() == 0 ? 0 : count() * rowPitch() - style_.listModeItemSpacing;
        return {viewport.width, h};
    }
    const Margins& pad = style_.iconModePadding;
    const Size cell = style_.iconModeItemSize;
    const std::int32_t columns = columnsFor(viewport.width);
    const std::int32_t rows = (count() + columns - 1) / columns;
    const std::int32_t vs = style_.iconModeItemVerticalSpacing;
    const std::int32_t h = rows == 0 ? 0 : pad.top + rows * (cell.height + vs) - vs + pad.bottom;
    const std::int32_t w = pad.left + cell.width + pad.right;
    return {w, h};
}

Size UIList::scrollStep() const {
    if (mode_ == ViewMode::List) {
        return {style_.listModeItemHeight, rowPitch()};
    }
    return {style_.iconModeItemSize.width + style_.iconModeItemHorizontalSpacing,
            style_.iconModeItemSize.height + style_.iconModeItemVerticalSpacing};
}

Rect UIList::itemRect(std::int32_t index) const {
    if (index < 0 || index >= count()) {
        return {};
    }
    if (mode_ == ViewMode::List) {
        return {0, index * rowPitch(), width(), style_.listModeItemHeight};
    }
    const std::int32_t columns = columnsFor(width());
    const Size cell = style_.iconModeItemSize;
    return {style_.iconModePadding.left +
                (index % columns) * (cell.width + style_.iconModeItemHorizontalSpacing),
            style_.iconModePadding.top +
                (index / columns) * (cell.height + style_.iconModeItemVerticalSpacing),
            cell.width, cell.height};
}

void UIList::itemsIn(const Rect& area, std::int32_t& first, std::int32_t& last) const {
    first = 0;
    last = -1;
    if (count() == 0 || area.isEmpty()) {
        return;
    }
    if (mode_ == ViewMode::List) {
        first = std::max(0, area.y / rowPitch());
        last = std::min(count() - 1, std::max(0, area.bottom() - 1) / rowPitch());
        return;
    }
    const std::int32_t pitch =
        std::max(1, style_.iconModeItemSize.height + style_.iconModeItemVerticalSpacing);
    const std::int32_t top = std::max(0, area.y - style_.iconModePadding.top);
    const std::int32_t bottom = std::max(0, area.bottom() - 1 - style_.iconModePadding.top);
    const std::int32_t columns = columnsFor(width());
    first = std::min(count(), (top / pitch) * columns);
    last = std::min(count() - 1, (bottom / pitch + 1) * columns - 1);
}

std::int32_t UIList::itemAt(Point p) const {
    if (!rect().contains(p)) {
        return -1;
    }
    const Point c{p.x + scrollOffset().x, p.y + scrollOffset().y};
    std::int32_t first = 0;
    std::int32_t last = -1;
    itemsIn({c.x, c.y, 1, 1}, first, last);
    for (std::int32_t i = first; i <= last; ++i) {
        if (itemRect(i).contains(c)) {
            return i;
        }
    }
    return -1;
}

Size UIList::sizeHint() const {
    return kDefaultHint;
}

Rect UIList::textRect(std::int32_t index, const Rect& r) const {
    const UIListItem& it = item(index);
    if (mode_ == ViewMode::Icon) {
        const Rect inner = r.shrunk(style_.iconModeItemPadding);
        return {inner.x, inner.bottom() - style_.font.lineHeight(), inner.width,
                style_.font.lineHeight()};
    }
    Rect inner = r.shrunk(style_.listModeItemPadding);
    if (it.icon) {
        const Size icon = fittedImageSize(it.icon->size(), inner.size());
        const std::int32_t used = icon.width + style_.spacingBetweenIconAndText;
        inner = {inner.x + used, inner.y, inner.width - used, inner.height};
    }
    return inner;
}

std::string UIList::toolTipText(Point point) const {
    const std::int32_t index = itemAt(point);
    if (index < 0) {
        return toolTip();
    }
    const UIListItem& it = item(index);
    if (!it.toolTip.empty()) {
        return it.toolTip;
    }
    const Rect text = textRect(index, itemRectInView(index));
    return style_.font.textWidth(it.text) > text.width ? it.text : std::string();
}

// --- style ---

void UIList::setStyleProperty(const std::string& name, const std::string& value) {
    Style& s = style_;
    if (name == "font") {
        s.font = parseStyleFont(value);
    } else if (name == "foreground") {
        s.foreground = parseStyleColor(value);
    } else if (name == "background") {
        s.background = parseStyleBrush(value);
    } else if (name == "detailedFont") {
        s.detailedFont = parseStyleFont(value);
    } else if (name == "detailedForeground") {
        s.detailedForeground = parseStyleColor(value);
    } else if (name == "disabledDetailedForeground") {
        s.disabledDetailedForeground = parseStyleColor(value);
    } else if (name == "disabledForeground") {
        s.disabledForeground = parseStyleColor(value);
    } else if (name == "defaultItemBackground") {
        s.defaultItemBackground = parseStyleBrush(value);
    } else if (name == "defaultItemForeground") {
        s.defaultItemForeground = parseStyleColor(value);
    } else if (name == "selectedItemBackground") {
        s.selectedItemBackground = parseStyleBrush(value);
    } else if (name == "selectedItemForeground") {
        s.selectedItemForeground = parseStyleColor(value);
    } else if (name == "alternateItemBackground") {
        s.alternateItemBackground = parseStyleBrush(value);
    } else if (name == "alternateItemForeground") {
        s.alternateItemForeground = parseStyleColor(value);
    } else if (name == "gridColor") {
        s.gridColor = parseStyleColor(value);
    } else if (name == "borderColor") {
        s.borderColor = parseStyleColor(value);
    } else if (name == "listModeItemHeight") {
        s.listModeItemHeight = std::max(1, parseStyleInteger(value));
    } else if (name == "listModeItemPadding") {
        s.listModeItemPadding = parseStyleMargins(value);
    } else if (name == "listModeItemSpacing") {
        s.listModeItemSpacing = std::max(0, parseStyleInteger(value));
    } else if (name == "iconModeItemSize") {
        const Size size = parseStyleSize(value);
        s.iconModeItemSize = {std::max(1, size.width), std::max(1, size.height)};
    } else if (name == "iconModeItemHorizontalSpacing") {
        s.iconModeItemHorizontalSpacing = std::max(0, parseStyleInteger(value));
    } else if (name == "iconModeItemVerticalSpacing") {
        s.iconModeItemVerticalSpacing = std::max(0, parseStyleInteger(value));
    } else if (name == "iconModeItemPadding") {
        s.iconModeItemPadding = parseStyleMargins(value);
    } else if (name == "iconModePadding") {
        s.iconModePadding = parseStyleMargins(value);
    } else if (name == "isDrawGrid") {
        s.drawGrid = parseStyleInteger(value) != 0;
    } else if (name == "blankForeground") {
        s.blankForeground = parseStyleColor(value);
    } else if (name == "shadowBlankForeground") {
        s.shadowBlankForeground = parseStyleColor(value);
    } else if (name == "blankFont") {
        s.blankFont = parseStyleFont(value);
    } else if (name == "spacingBetweenIconAndText") {
        s.spacingBetweenIconAndText = std::max(0, parseStyleInteger(value));
    } else if (name == "spacingBetweenTextAndDetailedText") {
        s.spacingBetweenTextAndDetailedText = std::max(0, parseStyleInteger(value));
    }
}

void UIList::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UIList_Background") {
        skins_.background = skin;
    } else if (name == "UIList_Selection") {
        skins_.selection = skin;
    }
}

// --- painting ---

Color UIList::textColor(std::int32_t index) const {
    if (!isEnabled()) {
        return style_.disabledForeground;
    }
    Color c = style_.defaultItemForeground;
    if (isSelected(index)) {
        c = style_.selectedItemForeground;
    } else if (mode_ == ViewMode::List && index % 2 == 1) {
        c = style_.alternateItemForeground;
    }
    return isDrawnColor(c) ? c : style_.foreground;
}

void UIList::paintSelection(Canvas& canvas, const Rect& r) {
    canvas.fillRect(r, style_.selectedItemBackground);
    const bool active = hasFocus() || selectionAlwaysActive_;
    drawSkin(canvas, skins_.selection, r, active ? SkinState::Normal : SkinState::Hovered);
}

void UIList::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    canvas.fillRect(rect(), style_.background);
    if (count() == 0) {
        drawShadowedText(canvas, style_.blankFont, rect().shrunk({8, 8, 8, 8}), blankText(),
                         style_.blankForeground, style_.shadowBlankForeground,
                         style_.blankShadowOffset, kAlignHCenter | kAlignVCenter | kTextWordWrap);
        return;
    }
    std::int32_t first = 0;
    std::int32_t last = -1;
    itemsIn(e.rect.translated(scrollOffset().x, scrollOffset().y), first, last);
    for (std::int32_t i = first; i <= last; ++i) {
        const Rect r = itemRectInView(i);
        if (!r.intersected(e.rect).isEmpty()) {
            paintItem(canvas, i, r);
        }
    }
    if (hasFocus() && currentItem() >= 0) {
        drawFocusFrame(canvas, itemRectInView(currentItem()), style_.focusFallback);
    }
}

void UIList::paintItem(Canvas& canvas, std::int32_t index, const Rect& r) {
    if (mode_ == ViewMode::List) {
        paintListItem(canvas, index, r);
    } else {
        paintIconItem(canvas, index, r);
    }
}

void UIList::paintListItem(Canvas& canvas, std::int32_t index, const Rect& r) {
    const UIListItem& it = item(index);
    canvas.fillRect(r,
                    index % 2 == 1 ? style_.alternateItemBackground : style_.defaultItemBackground);
    if (isSelected(index)) {
        paintSelection(canvas, r);
    }
    if (style_.drawGrid) {
        canvas.fillRect({r.x, r.bottom() - 1, r.width, 1}, style_.gridColor);
    }
    const Rect inner = r.shrunk(style_.listModeItemPadding);
    if (it.icon) {
        const Size icon = fittedImageSize(it.icon->size(), inner.size());
        drawImageCentred(canvas, *it.icon, {inner.x, inner.y, icon.width, inner.height});
    }
    const Rect text = textRect(index, r);
    const Color color = textColor(index);
    const Color detailColor =
        isEnabled() ? style_.detailedForeground : style_.disabledDetailedForeground;
    const std::uint32_t flags = kAlignLeft | kAlignVCenter | kTextElideRight;
    if (it.detailedText.empty()) {
        canvas.drawText(style_.font, text, it.text, color, flags);
        return;
    }
    const std::int32_t lh = style_.font.lineHeight();
    const std::int32_t dlh = style_.detailedFont.lineHeight();
    const std::int32_t gap = style_.spacingBetweenTextAndDetailedText;
    if (text.height >= lh + gap + dlh) {
        const std::int32_t top = text.y + (text.height - lh - gap - dlh) / 2;
        canvas.drawText(style_.font, {text.x, top, text.width, lh}, it.text, color, flags);
        canvas.drawText(style_.detailedFont, {text.x, top + lh + gap, text.width, dlh},
                        it.detailedText, detailColor, flags);
        return;
    }
    const std::int32_t used = std::min(style_.font.textWidth(it.text), text.width);
    canvas.drawText(style_.font, {text.x, text.y, used, text.height}, it.text, color, flags);
    const std::int32_t rest = text.width - used - gap;
    if (rest > 0) {
        canvas.drawText(style_.detailedFont, {text.x + used + gap, text.y, rest, text.height},
                        it.detailedText, detailColor, flags);
    }
}

void UIList::paintIconItem(Canvas& canvas, std::int32_t index, const Rect& r) {
    const UIListItem& it = item(index);
    canvas.fillRect(r, style_.defaultItemBackground);
    if (isSelected(index)) {
        paintSelection(canvas, r);
    }
    const Rect inner = r.shrunk(style_.iconModeItemPadding);
    const std::int32_t lh = style_.font.lineHeight();
    const std::int32_t dlh = it.detailedText.empty() ? 0 : style_.detailedFont.lineHeight();
    const std::int32_t gap = dlh > 0 ? style_.spacingBetweenTextAndDetailedText : 0;
    const std::int32_t textTop = inner.bottom() - lh - gap - dlh;
    if (it.icon) {
        const Rect box{inner.x, inner.y, inner.width,
                       textTop - style_.spacingBetweenIconAndText - inner.y};
        drawImageCentred(canvas, *it.icon, box);
    }
    const std::uint32_t flags = kAlignHCenter | kAlignVCenter | kTextElideRight;
    canvas.drawText(style_.font, {inner.x, textTop, inner.width, lh}, it.text, textColor(index),
                    flags);
    if (dlh > 0) {
        canvas.drawText(
            style_.detailedFont, {inner.x, textTop + lh + gap, inner.width, dlh}, it.detailedText,
            isEnabled() ? style_.detailedForeground : style_.disabledDetailedForeground, flags);
    }
}

} // namespace scalora
