#include "ui/widgets/widget_updates.h"

#include "ui/core/ui_element.h"

namespace scalora {

void sizeHintChanged(UIElement& element) {
    if (UIElement* parent = element.parent(); parent != nullptr && parent->layout() != nullptr) {
        parent->relayout();
    }
    element.update();
}

} // namespace scalora
