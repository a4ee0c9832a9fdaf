#include "ui/widgets/ui_tool_tip.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/popup_placement.h"
#include "ui/widgets/rounded_frame.h"
#include "ui/widgets/widget_painting.h"

#include <algorithm>

namespace scalora {

namespace {
// Under a transparent background the window still needs opaque pixels behind the frame.
constexpr Color kBaseFill = 0xFFFFFFFF;
} // namespace

UIToolTip::UIToolTip(UIElement* parent) : UIToolTip(parent, "UIToolTip") {}

UIToolTip::UIToolTip(UIElement* parent, const std::string& styleClass)
    : UIWindow(parent, kWindowPopup | kWindowTopmost) {
    setStyleClass(styleClass);
    // Kept and shown again by whoever made it.
    setDeleteOnClose(false);
}

void UIToolTip::setStyleProperty(const std::string& name, const std::string& value) {
    Style& s = style_;
    if (s.text.setProperty(name, value)) {
        return;
    }
    if (name == "background") {
        s.background = parseStyleBrush(value);
    } else if (name == "borderColor") {
        s.borderColor = parseStyleColor(value);
    } else if (name == "padding") {
        s.padding = parseStyleMargins(value);
    } else if (name == "cornerDiametr") {
        s.cornerDiametr = parseStyleInteger(value);
    } else if (name == "desktopPadding") {
        s.desktopPadding = parseStyleInteger(value);
    } else if (name == "desktopVerticalOffset") {
        s.desktopVerticalOffset = parseStyleInteger(value);
    }
}

void UIToolTip::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == styleClass() + "_Background") {
        backgroundSkin_ = skin;
    }
}

std::vector<std::string> UIToolTip::textLines() const {
    return wrapTextLines(style_.text.font, text_, kMaxTextWidth);
}

Size UIToolTip::textSize() const {
    std::int32_t w = 0;
    const std::vector<std::string> lines = textLines();
    for (const std::string& line : lines) {
        w = std::max(w, style_.text.font.textWidth(line));
    }
    return {w, static_cast<std::int32_t>(lines.size()) * style_.text.font.lineHeight()};
}

Size UIToolTip::sizeHint() const {
    const Size t = textSize();
    const Margins& p = style_.padding;
    return {t.width + p.left + p.right + 2, t.height + p.top + p.bottom + 2};
}

void UIToolTip::showText(std::string text, Point cursor) {
    text_ = std::move(text);
    placeAndShow({cursor.x, cursor.y + style_.desktopVerticalOffset}, {cursor.x, cursor.y, 1, 1});
}

void UIToolTip::placeAndShow(Point at, const Rect& anchor) {
    const Rect r = placePopup(sizeHint(), at, anchor, PopupAnchor::Below, workAreaAt(at),
                              style_.desktopPadding);
    setGeometry(r);
    setVisible(true);
    update();
}

void UIToolTip::paintFrame(Canvas& c) const {
    const bool hasFill = alphaOf(style_.background.color()) > 0 || style_.background.isGradient();
    c.fillRect(rect(), hasFill ? Brush(style_.background.colorAt(0)) : Brush(kBaseFill));
    if (backgroundSkin_.hasImage()) {
        drawSkin(c, backgroundSkin_, rect());
    }
    drawRoundedFrame(c, rect(), style_.cornerDiametr, style_.background, style_.borderColor);
}

void UIToolTip::paintText(Canvas& c, Point at) const {
    const UITextStyle& t = style_.text;
    const std::int32_t lineHeight = t.font.lineHeight();
    std::int32_t y = at.y;
    for (const std::string& line : textLines()) {
        drawShadowedText(c, t.font, {at.x, y, width() - at.x, lineHeight}, line, t.foreground,
                         t.shadowForeground, t.shadowOffset, kAlignLeft | kAlignTop);
        y += lineHeight;
    }
}

void UIToolTip::paintEvent(UIEvent& e) {
    if (e.canvas == nullptr) {
        return;
    }
    paintFrame(*e.canvas);
    paintText(*e.canvas, {1 + style_.padding.left, 1 + style_.padding.top});
}

} // namespace scalora
