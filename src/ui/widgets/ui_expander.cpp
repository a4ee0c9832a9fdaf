#include "ui/widgets/ui_expander.h"

namespace scalora {

UIExpander::UIExpander(UIElement* parent) : UIElement(parent) {
    setStyleClass("UIExpander");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Expanding);
}

} // namespace scalora
