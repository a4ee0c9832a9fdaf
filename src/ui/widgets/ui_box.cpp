#include "ui/widgets/ui_box.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"

namespace scalora {

UIBox::UIBox(UIElement* parent) : UIElement(parent), background_(kTransparentColor) {
    setStyleClass("UIBox");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Preferred, UISizePolicy::Preferred);
}

void UIBox::setBackground(Brush brush) {
    background_ = std::move(brush);
    update();
}

void UIBox::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "background") {
        background_ = parseStyleBrush(value);
    }
}

void UIBox::paintEvent(UIEvent& e) {
    if (alphaOf(background_.color()) != 0 || background_.isGradient()) {
        e.canvas->fillRect(rect(), background_);
    }
}

} // namespace scalora
