#include "ui/widgets/ui_table_view.h"

#include "ui/widgets/ui_header.h"
#include "ui/widgets/ui_table.h"

namespace scalora {

UITableView::UITableView(UIElement* parent) : UIScrollArea(parent, "UITableView") {
    header_ = new UIHeader(this);
    header_->setStretchLastSection(true);
    header_->show();
    header_->sectionResized.connect(
        [this](std::int32_t, std::int32_t) { table_->columnsChanged(); });
    setTable(new UITable(nullptr));
}

void UITableView::setTable(UITable* table) {
    if (table != nullptr && table != table_) {
        table_ = table;
        table_->setHeader(header_);
        setContent(table_);
    }
}

void UITableView::setHeaderVisible(bool visible) {
    headerVisible_ = visible;
    header_->setVisible(visible);
    updateScrollRange();
}

Margins UITableView::reservedMargins() const {
    return {0, headerVisible_ ? header_->sizeHint().height : 0, 0, 0};
}

void UITableView::viewportPlaced(const Rect& viewport) {
    const Margins frame = frameMargins();
    header_->setGeometry(
        {frame.left, frame.top, width() - frame.left - frame.right, reservedMargins().top});
    if (header_->offset() != scrollPosition().x) {
        header_->setOffset(scrollPosition().x);
    }
    header_->setAvailableWidth(viewport.width);
}

void UITableView::scrollPositionChanged(Point position) {
    header_->setOffset(position.x);
}

} // namespace scalora
