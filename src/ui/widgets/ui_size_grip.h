// The grip in a window's bottom-right corner that resizes the window by dragging. It draws the
// "UISizeGrip_Background" skin, of its "size", in the bottom-right corner of its rectangle and
// shows the diagonal resize cursor.
//
// A left-button press records the window's size minus the pointer's position; each move while
// dragging sets the window's size to that value plus the pointer's position, both on the
// screen relative to the window, keeping the size in a direction where the result would be
// negative. Moves of less than 2 pixels from the last one handled in both directions, and
// changes of less than 2 pixels in both directions, are skipped. A maximized window is left
// alone. The release ends the drag.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/style/skin.h"

namespace scalora {

class UISizeGrip : public UIElement {
public:
    explicit UISizeGrip(UIElement* parent);

    bool isDragging() const { return dragging_; }

    Size sizeHint() const override { return size_; }
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void mouseMoveEvent(UIEvent& e) override;
    void mouseReleaseEvent(UIEvent& e) override;

private:
    Size size_;
    UISkin skin_;
    bool dragging_ = false;
    Size recorded_;
    Point lastHandled_;
};

} // namespace scalora
