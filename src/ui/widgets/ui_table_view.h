// A table in a scroll area: the view owns a UITable in its viewport and the UIHeader above it;
// the header scrolls sideways with the table, its last section stretches to the viewport's
// width, and resizing a section lays the table out again.
#pragma once

#include "ui/widgets/ui_scroll_area.h"

namespace scalora {

class UIHeader;
class UITable;

class UITableView : public UIScrollArea {
public:
    explicit UITableView(UIElement* parent);

    UITable* table() const { return table_; }
    // Puts another table (a subclass, say) under the header; the old one is deleted.
    void setTable(UITable* table);
    UIHeader* header() const { return header_; }
    // A table without a header row (the header stays, hidden, as the column list).
    void setHeaderVisible(bool visible);

protected:
    Margins reservedMargins() const override;
    void viewportPlaced(const Rect& viewport) override;
    void scrollPositionChanged(Point position) override;

private:
    // The view's content is always its table.
    using UIScrollArea::setContent;

    UITable* table_ = nullptr;
    UIHeader* header_ = nullptr;
    bool headerVisible_ = true;
};

} // namespace scalora
