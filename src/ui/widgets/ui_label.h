// A line of text in the text properties of its style, shadow first. The text is left-aligned
// and centred vertically unless the application asks for another alignment; when it does not
// fit, it is shortened with an ellipsis and its tool tip becomes the full text (a tool tip set
// on the label takes precedence). A label takes no focus and no clicks of its own.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/canvas.h"
#include "ui/widgets/ui_text_style.h"

#include <cstdint>
#include <string>

namespace scalora {

class UILabel : public UIElement {
public:
    explicit UILabel(UIElement* parent, std::string text = {});

    const std::string& text() const { return text_; }
    void setText(std::string text);
    // Canvas text flags: one horizontal and one vertical alignment.
    std::uint32_t alignment() const { return alignment_; }
    void setAlignment(std::uint32_t alignment);
    const UITextStyle& textStyle() const { return textStyle_; }
    // The text does not fit the label's width and is drawn with an ellipsis.
    bool isShortened() const;

    Size sizeHint() const override;
    // Never narrower than the ellipsis, so a squeezed label still shows that text is missing.
    Size minimumSizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    std::string toolTipText(Point point) const override;

protected:
    void paintEvent(UIEvent& e) override;

private:
    std::string text_;
    std::uint32_t alignment_ = kAlignLeft | kAlignVCenter;
    UITextStyle textStyle_;
};

} // namespace scalora
