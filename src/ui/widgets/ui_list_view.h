// A list in a scroll area: the view owns a UIList in its viewport, scrolls it, and draws the
// list's frame ("UIList_Background": frame 0 normal, frame 1 disabled; without that skin a
// line in the list's borderColor) around the viewport and the bars.
#pragma once

#include "ui/widgets/ui_scroll_area.h"

namespace scalora {

class UIList;

class UIListView : public UIScrollArea {
public:
    explicit UIListView(UIElement* parent);

    UIList* list() const { return list_; }
    // Puts another list (a subclass, say) in the viewport; the old one is deleted.
    void setList(UIList* list);

protected:
    void paintEvent(UIEvent& e) override;
    Margins frameMargins() const override;

private:
    // The view's content is always its list.
    using UIScrollArea::setContent;

    UIList* list_ = nullptr;
};

} // namespace scalora
