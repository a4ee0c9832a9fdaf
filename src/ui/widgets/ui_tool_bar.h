// The tool bar: a row of tool buttons on the "UIToolBar_Background" skin, with separators of
// intervalThickness between groups, buttonSpacing between neighbours and padding around the
// row. Any other element (a spacer, an expander) can join the row. A drop-down button shows
// the tool bar's "UIToolBar_MenuIndicator" in place of the tool button's own arrow, and its
// menu drops down from the bar (above it when there is no room below).
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/brush.h"
#include "ui/style/skin.h"
#include "ui/widgets/ui_button.h"

#include <cstdint>
#include <string>

namespace scalora {

class UIHBoxLayout;
class UIMenu;
class UIToolButton;

class UIToolBar : public UIElement {
public:
    explicit UIToolBar(UIElement* parent = nullptr);

    UIToolButton* addButton(std::string text = {}, UIButtonIcons icons = {});
    // A button that drops the menu down (the menu is not owned; it must outlive the button or
    // be taken off it with setMenu(nullptr) first).
    UIToolButton* addMenuButton(UIMenu* menu, std::string text = {}, UIButtonIcons icons = {});
    // A gap of intervalThickness with an engraved line, between groups of buttons.
    void addSeparator();
    // Any element joins the row at its end; the tool bar becomes its parent.
    void addElement(UIElement* element, std::int32_t stretch = 0);

    Margins contentsMargins() const override { return padding_; }
    std::int32_t intervalThickness() const { return intervalThickness_; }

    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;

private:
    UIHBoxLayout& row();
    UIToolButton* add(UIToolButton* button);

    Brush background_{kTransparentColor};
    Margins padding_{4, 3, 4, 3};
    std::int32_t buttonSpacing_ = 2;
    // The text of "buttonPadding", handed to each tool button as its "padding".
    std::string buttonPadding_;
    std::int32_t intervalThickness_ = 9;
    UISkin backgroundSkin_;
    UISkin menuIndicator_;
};

} // namespace scalora
