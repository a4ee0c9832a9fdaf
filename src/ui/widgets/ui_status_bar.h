// The bar along the bottom of a window: the "UIStatusBar_Background" skin, at least
// "minimumHeight" tall, with its elements in a row from the left (an element with a stretch
// takes the spare room) and, when shown, a size grip in the bottom-right corner.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/style/skin.h"

#include <vector>

namespace scalora {

class UISizeGrip;

class UIStatusBar : public UIElement {
public:
    explicit UIStatusBar(UIElement* parent);

    // Adds a child of the bar to the row, before the grip.
    void addElement(UIElement* element, std::int32_t stretch = 0);
    void setSizeGripVisible(bool visible);
    UISizeGrip* sizeGrip() const { return grip_; }

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;

private:
    void rebuildLayout();

    struct Entry {
        UIElement* element;
        std::int32_t stretch;
    };
    std::vector<Entry> entries_;
    UISizeGrip* grip_ = nullptr;
    std::int32_t minimumHeight_;
    UISkin skin_;
};

} // namespace scalora
