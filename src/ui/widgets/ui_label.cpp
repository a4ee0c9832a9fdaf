#include "ui/widgets/ui_label.h"

#include "ui/widgets/widget_updates.h"

#include <algorithm>

namespace scalora {

namespace {
constexpr std::uint32_t kAlignmentMask = kAlignHCenter | kAlignRight | kAlignVCenter | kAlignBottom;
constexpr const char* kEllipsis = "\xE2\x80\xA6";
} // namespace

UILabel::UILabel(UIElement* parent, std::string text)
    : UIElement(parent), text_(std::move(text)), textStyle_(fallbackTextStyle()) {
    setStyleClass("UILabel");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Preferred, UISizePolicy::Fixed);
}

void UILabel::setText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    sizeHintChanged(*this);
}

void UILabel::setAlignment(std::uint32_t alignment) {
    alignment_ = alignment & kAlignmentMask;
    update();
}

void UILabel::setStyleProperty(const std::string& name, const std::string& value) {
    if (textStyle_.setProperty(name, value)) {
        sizeHintChanged(*this);
    }
}

bool UILabel::isShortened() const {
    return !text_.empty() && textStyle_.font.textWidth(text_) > width();
}

Size UILabel::sizeHint() const {
    return {textStyle_.font.textWidth(text_), textStyle_.font.lineHeight()};
}

Size UILabel::minimumSizeHint() const {
    const Size hint = sizeHint();
    return {std::min(hint.width, textStyle_.font.textWidth(kEllipsis)), hint.height};
}

std::string UILabel::toolTipText(Point) const {
    if (!toolTip().empty()) {
        return toolTip();
    }
    return isShortened() ? text_ : std::string();
}

void UILabel::paintEvent(UIEvent& e) {
    drawCaption(*e.canvas, textStyle_, rect(), text_, isEnabled(), alignment_ | kTextElideRight);
}

} // namespace scalora
