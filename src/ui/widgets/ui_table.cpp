// Index: header and rows; geometry; style; painting.
#include "ui/widgets/ui_table.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_header.h"
#include "ui/widgets/ui_scroll_area.h"
#include "ui/widgets/widget_painting.h"

#include <algorithm>

namespace scalora {

namespace {
constexpr Size kDefaultHint{300, 200};
// Gap between the blank image and the blank text, and the blank text's margin.
constexpr std::int32_t kBlankGap = 8;
const UITableRow kNoRow{};
} // namespace

UITable::UITable(UIElement* parent) : UIItemView(parent) {
    setStyleClass("UITable");
    setFlag(kParentBackground, true);
    setFlag(kAcceptsDoubleClick, true);
    setFocusPolicy(kStrongFocus);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Expanding);
}

// --- header and rows ---

void UITable::setHeader(UIHeader* header) {
    header_ = header;
    columnsChanged();
}

void UITable::columnsChanged() {
    contentChanged();
}

std::int32_t UITable::addRow(UITableRow r) {
    return insertInto(rows_, rowCount(), std::move(r));
}

void UITable::insertRow(std::int32_t index, UITableRow r) {
    insertInto(rows_, index, std::move(r));
}

bool UITable::removeRow(std::int32_t index) {
    return removeFrom(rows_, index);
}

void UITable::clear() {
    resetTo(rows_, {});
}

void UITable::setRows(std::vector<UITableRow> rows) {
    resetTo(rows_, std::move(rows));
}

const UITableRow& UITable::row(std::int32_t index) const {
    return itemOf(rows_, index, kNoRow);
}

void UITable::setRow(std::int32_t index, UITableRow r) {
    replaceIn(rows_, index, std::move(r));
}

void UITable::setCell(std::int32_t rowIndex, std::int32_t columnIndex, UITableCell cell) {
    if (rowIndex < 0 || rowIndex >= rowCount() || columnIndex < 0) {
        return;
    }
    auto& cells = rows_[static_cast<std::size_t>(rowIndex)].cells;
    if (static_cast<std::size_t>(columnIndex) >= cells.size()) {
        cells.resize(static_cast<std::size_t>(columnIndex) + 1);
    }
    cells[static_cast<std::size_t>(columnIndex)] = std::move(cell);
    update(itemRectInView(rowIndex));
}

void UITable::setRowHeight(std::int32_t height) {
    ownRowHeight_ = std::max(height, 1);
    contentChanged();
}

std::int32_t UITable::rowHeight() const {
    return ownRowHeight_ > 0 ? ownRowHeight_ : std::max(style_.rowHeight, 1);
}

void UITable::setBlankImage(std::shared_ptr<const PixelImage> image) {
    blankImage_ = std::move(image);
    if (rowCount() == 0) {
        update();
    }
}

// --- geometry ---

std::int32_t UITable::columnCount() const {
    return header_ != nullptr ? header_->sectionCount() : 1;
}

UITable::Column UITable::column(std::int32_t index) const {
    if (header_ == nullptr) {
        return {0, width()};
    }
    return {header_->sectionPosition(index), header_->sectionSize(index)};
}

std::int32_t UITable::contentWidth() const {
    return header_ != nullptr ? header_->totalWidth() : width();
}

Margins UITable::cellPadding() const {
    if (header_ == nullptr) {
        return style_.cellPadding;
    }
    const Margins p = header_->itemPadding();
    return {p.left, style_.cellPadding.top, p.right, style_.cellPadding.bottom};
}

Size UITable::scrollContentSize(Size viewport) const {
    return {header_ != nullptr ? header_->naturalWidth() : viewport.width,
            rowCount() * rowHeight()};
}

Size UITable::scrollStep() const {
    return {rowHeight(), rowHeight()};
}

Rect UITable::itemRect(std::int32_t index) const {
    if (index < 0 || index >= rowCount()) {
        return {};
    }
    return {0, index * rowHeight(), std::max(contentWidth(), width()), rowHeight()};
}

void UITable::itemsIn(const Rect& area, std::int32_t& first, std::int32_t& last) const {
    first = 0;
    last = -1;
    if (rowCount() == 0 || area.isEmpty()) {
        return;
    }
    first = std::max(0, area.y / rowHeight());
    last = std::min(rowCount() - 1, std::max(0, area.bottom() - 1) / rowHeight());
}

std::int32_t UITable::itemAt(Point p) const {
    if (!rect().contains(p)) {
        return -1;
    }
    const std::int32_t y = p.y + scrollOffset().y;
    const std::int32_t index = y / rowHeight();
    return y >= 0 && index < rowCount() ? index : -1;
}

Size UITable::sizeHint() const {
    return kDefaultHint;
}

Rect UITable::cellTextRect(const UITableCell& cell, const Rect& cellRect) const {
    Rect inner = cellRect.shrunk(cellPadding());
    if (cell.image && !cell.text.empty()) {
        const Size image = fittedImageSize(cell.image->size(), inner.size());
        const std::int32_t used = image.width + style_.imageTextSpacing;
        inner = {inner.x + used, inner.y, inner.width - used, inner.height};
    }
    return inner;
}

std::string UITable::toolTipText(Point point) const {
    const std::int32_t index = itemAt(point);
    if (index < 0) {
        return toolTip();
    }
    const UITableRow& r = row(index);
    if (!r.toolTip.empty()) {
        return r.toolTip;
    }
    const Rect rowRect = itemRectInView(index);
    for (std::int32_t c = 0; c < columnCount() && c < static_cast<std::int32_t>(r.cells.size());
         ++c) {
        const Column col = column(c);
        const Rect cellRect{col.x - scrollOffset().x, rowRect.y, col.width, rowRect.height};
        if (col.width > 0 && cellRect.contains(point)) {
            const UITableCell& cell = r.cells[static_cast<std::size_t>(c)];
            const bool shortened =
                style_.font.textWidth(cell.text) > cellTextRect(cell, cellRect).width;
            return shortened ? cell.text : std::string();
        }
    }
    return {};
}

void UITable::keyPressEvent(UIEvent& e) {
    const UINavigation nav = navigationForKey(e.key, e.modifiers);
    UIScrollArea* area = scrollArea();
    if ((nav == UINavigation::Left || nav == UINavigation::Right) && area != nullptr) {
        area->scrollBy(nav == UINavigation::Left ? -scrollStep().width : scrollStep().width, 0);
        e.accept();
        return;
    }
    UIItemView::keyPressEvent(e);
}

// --- style ---

void UITable::setStyleProperty(const std::string& name, const std::string& value) {
    Style& s = style_;
    if (name == "font") {
        s.font = parseStyleFont(value);
    } else if (name == "foreground") {
        s.foreground = parseStyleColor(value);
    } else if (name == "background") {
        s.background = parseStyleBrush(value);
    } else if (name == "rowHeight") {
        s.rowHeight = std::max(1, parseStyleInteger(value));
    } else if (name == "defaultRowBackground") {
        s.defaultRowBackground = parseStyleBrush(value);
    } else if (name == "defaultRowForeground") {
        s.defaultRowForeground = parseStyleColor(value);
    } else if (name == "selectedRowBackground") {
        s.selectedRowBackground = parseStyleBrush(value);
    } else if (name == "selectedRowForeground") {
        s.selectedRowForeground = parseStyleColor(value);
    } else if (name == "alternateRowBackground") {
        s.alternateRowBackground = parseStyleBrush(value);
    } else if (name == "alternateRowForeground") {
        s.alternateRowForeground = parseStyleColor(value);
    } else if (name == "rowGridColor") {
        s.rowGridColor = parseStyleColor(value);
    } else if (name == "columnGridColor") {
        s.columnGridColor = parseStyleColor(value);
    } else if (name == "blankForeground") {
        s.blankForeground = parseStyleColor(value);
    } else if (name == "shadowBlankForeground") {
        s.shadowBlankForeground = parseStyleColor(value);
    } else if (name == "blankFont") {
        s.blankFont = parseStyleFont(value);
    }
}

// --- painting ---

Color UITable::textColor(std::int32_t index) const {
    Color c = style_.defaultRowForeground;
    if (!isEnabled()) {
        // The table has no disabled colour of its own: the blank text's grey reads as off.
        c = style_.blankForeground;
    } else if (isSelected(index)) {
        c = style_.selectedRowForeground;
    } else if (index % 2 == 1) {
        c = style_.alternateRowForeground;
    }
    return isDrawnColor(c) ? c : style_.foreground;
}

void UITable::paintBlank(Canvas& canvas) {
    const Rect area = rect().shrunk({kBlankGap, kBlankGap, kBlankGap, kBlankGap});
    if (!blankImage_) {
        drawShadowedText(canvas, style_.blankFont, area, blankText(), style_.blankForeground,
                         style_.shadowBlankForeground, style_.blankShadowOffset,
                         kAlignHCenter | kAlignVCenter | kTextWordWrap);
        return;
    }
    const std::int32_t middle = height() / 2;
    const Size image = fittedImageSize(blankImage_->size(), {area.width, middle - kBlankGap});
    drawImageCentred(canvas, *blankImage_,
                     {area.x, middle - kBlankGap / 2 - image.height, area.width, image.height});
    drawShadowedText(canvas, style_.blankFont,
                     {area.x, middle + kBlankGap / 2, area.width, area.bottom() - middle},
                     blankText(), style_.blankForeground, style_.shadowBlankForeground,
                     style_.blankShadowOffset, kAlignHCenter | kAlignTop | kTextWordWrap);
}

void UITable::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    canvas.fillRect(rect(), style_.background);
    if (rowCount() == 0) {
        paintBlank(canvas);
        return;
    }
    std::int32_t first = 0;
    std::int32_t last = -1;
    itemsIn(e.rect.translated(scrollOffset().x, scrollOffset().y), first, last);
    for (std::int32_t i = first; i <= last; ++i) {
        paintRow(canvas, i, itemRectInView(i));
    }
    if (hasFocus() && currentItem() >= 0) {
        const Rect r = itemRectInView(currentItem());
        drawFocusFrame(canvas, {0, r.y, width(), r.height}, style_.focusFallback);
    }
}

void UITable::paintRow(Canvas& canvas, std::int32_t index, const Rect& r) {
    const UITableRow& data = row(index);
    const bool selected = isSelected(index);
    canvas.fillRect(r, selected         ? style_.selectedRowBackground
                       : index % 2 == 1 ? style_.alternateRowBackground
                                        : style_.defaultRowBackground);
    const Color color = textColor(index);
    const Rect clip = canvas.clipBox();
    const std::int32_t columns = columnCount();
    for (std::int32_t c = 0; c < columns; ++c) {
        const Column col = column(c);
        const Rect cellRect{col.x - scrollOffset().x, r.y, col.width, r.height};
        if (col.width <= 0 || cellRect.x >= clip.right() || cellRect.right() <= clip.x) {
            continue;
        }
        if (static_cast<std::size_t>(c) < data.cells.size()) {
            const UITableCell& cell = data.cells[static_cast<std::size_t>(c)];
            const Rect inner = cellRect.shrunk(cellPadding());
            if (cell.image && cell.text.empty()) {
                drawImageCentred(canvas, *cell.image, inner);
            } else if (cell.image) {
                const Size image = fittedImageSize(cell.image->size(), inner.size());
                drawImageCentred(canvas, *cell.image,
                                 {inner.x, inner.y, image.width, inner.height});
            }
            canvas.drawText(style_.font, cellTextRect(cell, cellRect), cell.text, color,
                            kAlignLeft | kAlignVCenter | kTextElideRight);
        }
        if (isDrawnColor(style_.columnGridColor)) {
            canvas.fillRect({cellRect.right() - 1, r.y, 1, r.height}, style_.columnGridColor);
        }
    }
    if (isDrawnColor(style_.rowGridColor)) {
        canvas.fillRect({r.x, r.bottom() - 1, r.width, 1}, style_.rowGridColor);
    }
}

} // namespace scalora
