// The button of tool bars: four state icons and an optional caption on the
// "UIToolButton_Background" skin (which draws nothing in the normal state), and, when it has a
// drop-down menu, the "UIToolButton_Arrow" skin at its right edge, centred vertically, after
// the icon and caption spacing. It re-arms its menu with timer 100003. It is reached with Tab
// but a click does not take the keyboard focus away from where the user is typing.
#pragma once

#include "ui/widgets/ui_button.h"

namespace scalora {

class UIToolButton : public UIButton {
public:
    explicit UIToolButton(UIElement* parent, std::string text = {});

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    Rect captionRoom() const override;

private:
    // The arrow's room at the right (arrow and spacing), 0 without a menu.
    std::int32_t arrowRoom() const;

    UISkin arrowSkin_;
};

} // namespace scalora
