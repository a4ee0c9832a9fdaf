#include "ui/widgets/ui_check_box.h"

#include "ui/core/ui_timers.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/widget_painting.h"

#include <algorithm>

namespace scalora {

namespace {
// A check box when the style gives nothing.
constexpr std::int32_t kFallbackIndicatorSize = 13;
constexpr std::int32_t kFallbackIndicatorSpacing = 5;
// The skin holding the four mouse states twice, unchecked then checked.
constexpr std::int32_t kFramesWithCheckedStates = 8;
// Room for the focus frame round the caption.
constexpr std::int32_t kFocusMargin = 2;
} // namespace

UICheckBox::UICheckBox(UIElement* parent, std::string text)
    : UIButton(parent, std::move(text), kButtonRearmTimerId),
      indicatorSize_(kFallbackIndicatorSize), indicatorSpacing_(kFallbackIndicatorSpacing) {
    setCheckable(true);
    setPaddingValue({});
    setMinimumSizeValue({});
    setStyleClass("UICheckBox");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Preferred, UISizePolicy::Fixed);
    layoutText();
}

void UICheckBox::setStyleProperty(const std::string& name, const std::string& value) {
    if (mutableTextStyle().setProperty(name, value)) {
        layoutText();
    } else if (name == "indicatorSize") {
        indicatorSize_ = parseStyleInteger(value);
    } else if (name == "indicatorSpacing") {
        indicatorSpacing_ = parseStyleInteger(value);
    }
}

void UICheckBox::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UICheckBox_Indicator") {
        indicatorSkin_ = skin;
    }
}

SkinState UICheckBox::indicatorState() const {
    const SkinState mouse = interactionState();
    if (!isChecked()) {
        return mouse;
    }
    if (indicatorSkin_.frameCount >= kFramesWithCheckedStates) {
        return skinFrame(static_cast<std::int32_t>(mouse) + 4);
    }
    return SkinState::Checked;
}

Size UICheckBox::sizeHint() const {
    const Size text = textSize();
    const std::int32_t captionWidth = text.width > 0 ? indicatorSpacing_ + text.width : 0;
    return {indicatorSize_ + captionWidth + kFocusMargin,
            std::max(indicatorSize_, text.height) + kFocusMargin};
}

Rect UICheckBox::indicatorRect() const {
    return {0, (height() - indicatorSize_) / 2, indicatorSize_, indicatorSize_};
}

Rect UICheckBox::captionRoom() const {
    const std::int32_t x = indicatorSize_ + indicatorSpacing_;
    return {x, 0, std::max(width() - x, 0), height()};
}

void UICheckBox::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    const Rect box = indicatorRect();
    if (indicatorSkin_.hasImage()) {
        drawSkin(canvas, indicatorSkin_, box, indicatorState());
    } else {
        // A square in the caption colour with a tick drawn as two strokes.
        const Color ink = textStyle().textColor(isEnabled());
        canvas.drawRect(box, ink);
        if (isChecked()) {
            const std::int32_t s = box.width;
            const Point tick[] = {{box.x + s / 4, box.y + s / 2},
                                  {box.x + s / 2 - 1, box.y + s * 3 / 4},
                                  {box.x + s * 3 / 4 + 1, box.y + s / 4}};
            canvas.drawLine(tick[0], tick[1], ink);
            canvas.drawLine(tick[1], tick[2], ink);
        }
    }
    const Rect caption = captionRoom();
    drawCaption(canvas, textStyle(), caption, text(), isEnabled(),
                kAlignLeft | kAlignVCenter | kTextElideRight);
    if (hasFocus() && !text().empty()) {
        const Size t = textSize();
        const Rect around{caption.x - kFocusMargin / 2, (height() - t.height) / 2 - 1,
                          std::min(t.width, caption.width) + kFocusMargin, t.height + 2};
        drawFocusFrame(canvas, around, textStyle().foreground);
    } else if (hasFocus()) {
        drawFocusFrame(canvas, box.shrunk({-1, -1, -1, -1}), textStyle().foreground);
    }
}

} // namespace scalora
