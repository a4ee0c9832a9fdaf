#include "ui/widgets/ui_scroll_area_part.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"

namespace scalora {

UIScrollAreaPart::UIScrollAreaPart(UIElement* parent, const std::string& styleClass)
    : UIElement(parent) {
    setStyleClass(styleClass);
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Expanding);
}

void UIScrollAreaPart::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "background") {
        background_ = parseStyleBrush(value);
    }
}

void UIScrollAreaPart::paintEvent(UIEvent& e) {
    e.canvas->fillRect(rect(), background_);
}

} // namespace scalora
