// A horizontal separator line: the "UILine_Background" skin across its width, as tall as the
// skin's frame. It takes the width it is given and keeps its height.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/style/skin.h"

namespace scalora {

class UILine : public UIElement {
public:
    explicit UILine(UIElement* parent);

    Size sizeHint() const override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;

private:
    UISkin skin_;
};

} // namespace scalora
