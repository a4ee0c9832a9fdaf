#include "ui/widgets/ui_line.h"

#include "ui/draw/canvas.h"

namespace scalora {

namespace {
// A line when the style gives nothing: a grey rule over a white one, as etched.
constexpr Color kFallbackDark = 0xFFD5D5D5;
constexpr Color kFallbackLight = 0xFFFFFFFF;
constexpr std::int32_t kFallbackThickness = 2;
} // namespace

UILine::UILine(UIElement* parent) : UIElement(parent) {
    setStyleClass("UILine");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
}

void UILine::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UILine_Background") {
        skin_ = skin;
    }
}

Size UILine::sizeHint() const {
    return {0, skin_.hasImage() ? skin_.frameSize().height : kFallbackThickness};
}

void UILine::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    if (skin_.hasImage()) {
        drawSkin(canvas, skin_, rect(), isEnabled() ? SkinState::Normal : SkinState::Disabled);
        return;
    }
    const std::int32_t y = (height() - kFallbackThickness) / 2;
    canvas.fillRect({0, y, width(), 1}, kFallbackDark);
    canvas.fillRect({0, y + 1, width(), 1}, kFallbackLight);
}

} // namespace scalora
