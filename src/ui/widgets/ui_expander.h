// A container that takes the spare room of its layout in both directions: it pushes its
// neighbours apart like a stretch, and can hold children of its own (laid out by its own
// layout) in the room it takes. It draws nothing.
#pragma once

#include "ui/core/ui_element.h"

namespace scalora {

class UIExpander : public UIElement {
public:
    explicit UIExpander(UIElement* parent);
};

} // namespace scalora
