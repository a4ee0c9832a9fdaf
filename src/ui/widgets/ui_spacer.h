// An empty filler of a fixed square size, given at construction, for gaps in layouts that a
// spacing cannot express.
#pragma once

#include "ui/core/ui_element.h"

namespace scalora {

class UISpacer : public UIElement {
public:
    UISpacer(UIElement* parent, std::int32_t edge);

    Size sizeHint() const override { return {edge_, edge_}; }

private:
    std::int32_t edge_;
};

} // namespace scalora
