// A plain container that fills its rectangle with its "background" brush (a colour or a
// gradient) behind its children.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/brush.h"

namespace scalora {

class UIBox : public UIElement {
public:
    explicit UIBox(UIElement* parent);

    const Brush& background() const { return background_; }
    void setBackground(Brush brush);
    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;

private:
    Brush background_;
};

} // namespace scalora
