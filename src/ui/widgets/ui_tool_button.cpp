#include "ui/widgets/ui_tool_button.h"

#include "ui/core/ui_timers.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"

#include <algorithm>

namespace scalora {

namespace {
// A tool button when the style gives nothing: snug round its icon.
constexpr Margins kFallbackPadding{4, 4, 4, 4};
constexpr Size kFallbackArrow{7, 7};
} // namespace

UIToolButton::UIToolButton(UIElement* parent, std::string text)
    : UIButton(parent, std::move(text), kToolButtonTimerId) {
    setPaddingValue(kFallbackPadding);
    setMinimumSizeValue({});
    setBackgroundValue(Brush(kTransparentColor));
    setIconPlacement(UIIconPlacement::Top);
    setFocusPolicy(kTabFocus);
    setStyleClass("UIToolButton");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
    layoutText();
}

void UIToolButton::setStyleProperty(const std::string& name, const std::string& value) {
    if (mutableTextStyle().setProperty(name, value)) {
        layoutText();
    } else if (name == "padding") {
        setPaddingValue(parseStyleMargins(value));
    }
}

void UIToolButton::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UIToolButton_Background") {
        setBackgroundSkin(skin);
    } else if (name == "UIToolButton_Arrow") {
        arrowSkin_ = skin;
    }
}

std::int32_t UIToolButton::arrowRoom() const {
    if (menu() == nullptr) {
        return 0;
    }
    const Size arrow = arrowSkin_.hasImage() ? arrowSkin_.frameSize() : kFallbackArrow;
    return arrow.width + iconAndTextSpacing();
}

Rect UIToolButton::captionRoom() const {
    Rect content = rect().shrunk(padding());
    content.width -= arrowRoom();
    return textAreaIn(content);
}

Size UIToolButton::sizeHint() const {
    Size s = UIButton::sizeHint();
    s.width += arrowRoom();
    if (menu() != nullptr && arrowSkin_.hasImage()) {
        const Margins p = padding();
        s.height = std::max(s.height, arrowSkin_.frameSize().height + p.top + p.bottom);
    }
    return s;
}

void UIToolButton::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    const SkinState state = backgroundState();
    // Without a skin, a resting tool button is flat like the default skin draws it.
    if (backgroundSkin().hasImage() ||
        (state != SkinState::Normal && state != SkinState::Disabled)) {
        paintBackground(canvas);
    }
    Rect content = contentRect();
    const std::int32_t room = arrowRoom();
    content.width -= room;
    paintIconAndText(canvas, content);
    if (room > 0) {
        const Size arrow = arrowSkin_.hasImage() ? arrowSkin_.frameSize() : kFallbackArrow;
        const Rect at{content.right() + iconAndTextSpacing(),
                      content.y + (content.height - arrow.height) / 2, arrow.width, arrow.height};
        if (arrowSkin_.hasImage()) {
            drawSkin(canvas, arrowSkin_, at, state);
        } else {
            // A small triangle pointing down in the caption colour.
            const Color ink = textStyle().textColor(isEnabled());
            for (std::int32_t row = 0; row < (arrow.height + 1) / 2; ++row) {
                canvas.fillRect(
                    {at.x + row, at.y + arrow.height / 4 + row, arrow.width - 2 * row, 1}, ink);
            }
        }
    }
    paintFocus(canvas);
}

} // namespace scalora
