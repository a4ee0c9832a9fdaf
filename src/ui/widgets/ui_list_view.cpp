#include "ui/widgets/ui_list_view.h"

#include "ui/draw/canvas.h"
#include "ui/style/skin.h"
#include "ui/widgets/ui_list.h"
#include "ui/widgets/widget_painting.h"

namespace scalora {

UIListView::UIListView(UIElement* parent) : UIScrollArea(parent, "UIListView") {
    list_ = new UIList(nullptr);
    setContent(list_);
}

void UIListView::setList(UIList* list) {
    if (list != nullptr && list != list_) {
        list_ = list;
        setContent(list);
    }
}

Margins UIListView::frameMargins() const {
    const UISkin& frame = list_->backgroundSkin();
    if (frame.hasImage() && frame.hasGrid()) {
        return {frame.columns[0], frame.rows[0], frame.columns[2], frame.rows[2]};
    }
    return isDrawnColor(list_->borderColor()) ? Margins{1, 1, 1, 1} : Margins{};
}

void UIListView::paintEvent(UIEvent& e) {
    UIScrollArea::paintEvent(e);
    Canvas& canvas = *e.canvas;
    const UISkin& frame = list_->backgroundSkin();
    if (frame.hasImage()) {
        drawSkin(canvas, frame, rect(), isEnabled() ? SkinState::Normal : skinFrame(1));
    } else if (isDrawnColor(list_->borderColor())) {
        canvas.drawRect(rect(), list_->borderColor());
    }
}

} // namespace scalora
