// The plain pieces of a scroll area, the viewport ("UIScrollAreaViewport") that clips the
// content and the corner ("UIScrollAreaCorner") where the two bars meet: each fills itself
// with its style's "background" brush.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/brush.h"

#include <string>

namespace scalora {

class UIScrollAreaPart : public UIElement {
public:
    // styleClass: "UIScrollAreaViewport" or "UIScrollAreaCorner".
    UIScrollAreaPart(UIElement* parent, const std::string& styleClass);

    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;

private:
    Brush background_; // fall-back: transparent, the area shows through
};

} // namespace scalora
