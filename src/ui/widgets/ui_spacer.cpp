#include "ui/widgets/ui_spacer.h"

#include <algorithm>

namespace scalora {

UISpacer::UISpacer(UIElement* parent, std::int32_t edge)
    : UIElement(parent), edge_(std::max(edge, 0)) {
    setStyleClass("UISpacer");
    setFlag(kParentBackground, true);
    setFlag(kMouseTransparent, true);
    setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
}

} // namespace scalora
