// A titled frame round a group of widgets: the title in one line at the top, the
// "UIGroup_Background" skin (filled with the "background" brush) below it, and the group's
// layout inside the frame.
//
// A collapsible group shows the "UIGroup_Indicator" skin, a square of indicatorSize, before
// its title at indicatorSpacing from it; a click on the title row, or Space or Enter while the
// group has the focus (it is then reached with Tab), folds the group to its title row, hiding
// its children, and unfolds it again. The indicator follows the mouse over the title row
// (normal, hovered, pressed, disabled); an indicator skin of eight frames holds the folded
// look in frames 4 to 7. A group that is not collapsible has no indicator and takes no focus.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/core/ui_signal.h"
#include "ui/draw/brush.h"
#include "ui/style/skin.h"
#include "ui/widgets/ui_text_style.h"

#include <string>
#include <vector>

namespace scalora {

class UIGroup : public UIElement {
public:
    explicit UIGroup(UIElement* parent, std::string title = {});

    // Emitted with the new state when the user folds or unfolds the group.
    UISignal<bool>& collapsedChanged() { return collapsedChanged_; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    bool isCollapsible() const { return collapsible_; }
    void setCollapsible(bool collapsible);
    bool isCollapsed() const { return collapsed_; }
    void setCollapsed(bool collapsed);
    // The title row at the top, and the indicator frame the state selects.
    Rect titleRowRect() const;
    SkinState indicatorState() const;
    // The title does not fit beside the indicator and is drawn shortened with an ellipsis.
    bool isTitleShortened() const;

    Size sizeHint() const override;
    Size minimumSizeHint() const override;
    Margins contentsMargins() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void mouseReleaseEvent(UIEvent& e) override;
    void mouseClickEvent(UIEvent& e) override;
    void mouseMoveEvent(UIEvent& e) override;
    void enterEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void keyPressEvent(UIEvent& e) override;
    void focusInEvent(UIEvent& e) override;
    void focusOutEvent(UIEvent& e) override;

private:
    std::int32_t titleRowHeight() const;
    Rect indicatorRect() const;
    // Where the title is drawn: the title row after the indicator.
    Rect titleRect() const;
    void toggle();
    void setHeaderHovered(bool hovered);
    Size withTitle(Size content) const;

    UISignal<bool> collapsedChanged_;
    std::string title_;
    UITextStyle textStyle_;
    Brush background_;
    std::int32_t indicatorSize_;
    std::int32_t indicatorSpacing_;
    UISkin backgroundSkin_;
    UISkin indicatorSkin_;
    bool collapsible_ = false;
    bool collapsed_ = false;
    bool headerHovered_ = false;
    bool headerPressed_ = false;
    bool toggleOnClick_ = false;
    // The children folding hid, shown again on unfolding.
    std::vector<UIElement*> folded_;
};

} // namespace scalora
