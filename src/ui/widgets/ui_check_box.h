// A check box: the "UICheckBox_Indicator" skin (a square of indicatorSize) at the left,
// centred vertically, and the caption after indicatorSpacing, left-aligned. It behaves like a
// checkable button: a left-button click, Space or Enter toggles it and emits clicked. The
// indicator shows the mouse state (normal, hovered, pressed, disabled); an indicator skin of
// eight frames holds the same four states checked in frames 4 to 7, one of fewer frames shows
// checked as frame 4. The focus frame surrounds the caption.
#pragma once

#include "ui/widgets/ui_button.h"

namespace scalora {

class UICheckBox : public UIButton {
public:
    explicit UICheckBox(UIElement* parent, std::string text = {});

    // The indicator frame the state selects.
    SkinState indicatorState() const;

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    Rect captionRoom() const override;

private:
    Rect indicatorRect() const;

    std::int32_t indicatorSize_;
    std::int32_t indicatorSpacing_;
    UISkin indicatorSkin_;
};

} // namespace scalora
