// Rows of cells under the columns of a UIHeader: each cell holds text and an image, rows are
// rowHeight high, alternate between the default and the alternate colours, selected rows use
// the selected colours, and grid lines use rowGridColor and columnGridColor. Rows are plain
// data: the table lays out and paints only the rows that show, so 100,000 rows cost nothing
// until they scroll into view. Images are the rows' own (shared, never decoded here).
//
// Selection, keyboard and signals are those of UIItemView; the table's owner sorts the rows.
//
// Choices: a cell's text starts at the header's item padding so it lines up with the column
// title; an image is drawn at the left of its cell before the text (centred when the cell has
// no text), shrunk to fit the row; a row's tool tip is its own tool tip text, else the text
// of a cell that shows shortened. Without a header the first cell fills the width. An empty
// table shows its blank text (and blank image above it) as the list does; rowHeight set by
// code wins over the style's; Left and Right scroll sideways by one step. The focus frame goes
// around the current row.
#pragma once

#include "imaging/pixel_image.h"
#include "ui/draw/brush.h"
#include "ui/draw/ui_font.h"
#include "ui/widgets/ui_item_view.h"

#include <memory>
#include <string>
#include <vector>

namespace scalora {

class UIHeader;

struct UITableCell {
    std::string text;
    std::shared_ptr<const PixelImage> image;
};

struct UITableRow {
    std::vector<UITableCell> cells;
    std::string toolTip;
    std::int64_t data = 0; // for the application
};

class UITable : public UIItemView {
public:
    explicit UITable(UIElement* parent);

    // The header whose sections are the columns (not owned); null: one column.
    void setHeader(UIHeader* header);
    UIHeader* header() const { return header_; }
    // The header's columns changed (width, visibility).
    void columnsChanged();

    // --- rows ---
    std::int32_t addRow(UITableRow row);
    // index is clamped to [0, rowCount()].
    void insertRow(std::int32_t index, UITableRow row);
    bool removeRow(std::int32_t index);
    void clear();
    // Replaces every row at once (selection and current row are cleared).
    void setRows(std::vector<UITableRow> rows);
    std::int32_t rowCount() const { return static_cast<std::int32_t>(rows_.size()); }
    const UITableRow& row(std::int32_t index) const;
    void setRow(std::int32_t index, UITableRow row);
    void setCell(std::int32_t rowIndex, std::int32_t column, UITableCell cell);

    // A height set here replaces the style's "rowHeight".
    void setRowHeight(std::int32_t height);
    std::int32_t rowHeight() const;
    // Drawn above the blank text while the table is empty (not owned elsewhere).
    void setBlankImage(std::shared_ptr<const PixelImage> image);

    // UIItemView
    std::int32_t itemCount() const override { return rowCount(); }
    std::int32_t itemAt(Point p) const override;
    Rect itemRect(std::int32_t index) const override;
    // UIScrollable
    Size scrollContentSize(Size viewport) const override;
    Size scrollStep() const override;

    Size sizeHint() const override;
    std::string toolTipText(Point point) const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;
    // Left and Right scroll the columns sideways; the rest is the item view's.
    void keyPressEvent(UIEvent& e) override;
    void itemsIn(const Rect& area, std::int32_t& first, std::int32_t& last) const override;
    // Paints one row into its rectangle (element coordinates); called only for rows that meet
    // the painted area.
    virtual void paintRow(Canvas& canvas, std::int32_t index, const Rect& rect);

private:
    // Style values with their fall-backs.
    struct Style {
        UIFont font{UIFont::defaultFamily(), 9};
        Color foreground = 0xFF202020;
        Brush background{Color{0xFFFFFFFF}};
        std::int32_t rowHeight = 20;
        Brush defaultRowBackground;
        Color defaultRowForeground = 0xFF202020;
        Brush selectedRowBackground{Color{0xFFCCE8FF}};
        Color selectedRowForeground = 0xFF000000;
        Brush alternateRowBackground{Color{0xFFF6F8FA}};
        Color alternateRowForeground = 0xFF202020;
        Color rowGridColor = kTransparentColor;
        Color columnGridColor = 0xFFECECEC;
        Color blankForeground = 0xFF969696;
        Color shadowBlankForeground = kTransparentColor;
        UIFont blankFont{UIFont::defaultFamily(), 10};
        Color focusFallback = 0xFF202020;
        Point blankShadowOffset{1, 1};
        // Space beside cell contents when there is no header to take it from.
        Margins cellPadding{4, 0, 4, 0};
        std::int32_t imageTextSpacing = 4;
    };
    struct Column {
        std::int32_t x = 0;
        std::int32_t width = 0;
    };

    std::int32_t columnCount() const;
    Column column(std::int32_t index) const;
    std::int32_t contentWidth() const;
    Margins cellPadding() const;
    Rect cellTextRect(const UITableCell& cell, const Rect& cellRect) const;
    void paintBlank(Canvas& canvas);
    Color textColor(std::int32_t index) const;

    std::vector<UITableRow> rows_;
    Style style_;
    UIHeader* header_ = nullptr;
    std::shared_ptr<const PixelImage> blankImage_;
    std::int32_t ownRowHeight_ = 0;
};

} // namespace scalora
