#include "ui/widgets/ui_link.h"

#include "platform/desktop.h"
#include "ui/core/ui_timers.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/focus_frame.h"
#include "ui/widgets/ui_text_style.h"
#include "ui/widgets/widget_updates.h"

#include <algorithm>

namespace scalora {

namespace {
// A link when the style gives nothing: blue, underlined while hovered.
constexpr double kFallbackFontPoints = 9;
constexpr Color kFallbackForeground = 0xFF0066CC;
constexpr Color kFallbackHoveredForeground = 0xFF3399FF;
// Openings closer together than this are one (the second click of a double click).
constexpr std::int64_t kReopenGuardMs = 201;
// Room for the focus frame round the caption.
constexpr std::int32_t kFocusMargin = 2;
} // namespace

UILink::UILink(UIElement* parent, std::string text, std::string address)
    : UIElement(parent), text_(std::move(text)), address_(std::move(address)),
      font_(UIFont::defaultFamily(), kFallbackFontPoints), foreground_(kFallbackForeground),
      shadowForeground_(kTransparentColor), shadowOffset_{0, 1},
      hoveredFont_(UIFont::defaultFamily(), kFallbackFontPoints, UIFont::kUnderline),
      hoveredForeground_(kFallbackHoveredForeground), hoveredShadowForeground_(kTransparentColor),
      opener_([](std::string_view a) { return openWithDesktop(a); }) {
    setFlag(kTracksHover, true);
    setFocusPolicy(kStrongFocus);
    setCursorId(CursorId::Hand);
    setStyleClass("UILink");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
}

void UILink::setText(std::string text) {
    text_ = std::move(text);
    sizeHintChanged(*this);
}

void UILink::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "font") {
        font_ = parseStyleFont(value);
    } else if (name == "foreground") {
        foreground_ = parseStyleColor(value);
    } else if (name == "shadowForeground") {
        shadowForeground_ = parseStyleColor(value);
    } else if (name == "shadowOffset") {
        shadowOffset_ = parseStylePoint(value);
    } else if (name == "hoveredFont") {
        hoveredFont_ = parseStyleFont(value);
    } else if (name == "hoveredForeground") {
        hoveredForeground_ = parseStyleColor(value);
    } else if (name == "hoveredShadowForeground") {
        hoveredShadowForeground_ = parseStyleColor(value);
    }
}

Size UILink::sizeHint() const {
    // Wide enough for both fonts, so hovering never moves the neighbours.
    const Size normal = font_.textExtent(text_);
    const Size hovered = hoveredFont_.textExtent(text_);
    return {std::max(normal.width, hovered.width) + 2 * kFocusMargin,
            std::max(normal.height, hovered.height) + 2 * kFocusMargin};
}

void UILink::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    const bool hovered = hasFlag(kHovered) && isEnabled();
    const UIFont& font = hovered ? hoveredFont_ : font_;
    const Rect area = rect().shrunk({kFocusMargin, 0, kFocusMargin, 0});
    drawCaption(canvas, font, area, text_, hovered ? hoveredForeground_ : foreground_,
                hovered ? hoveredShadowForeground_ : shadowForeground_, shadowOffset_,
                kAlignLeft | kAlignVCenter | kTextElideRight);
    if (hasFocus()) {
        const Size t = font.textExtent(text_);
        drawFocusFrame(canvas,
                       {0, (height() - t.height) / 2 - 1,
                        std::min(t.width, area.width) + 2 * kFocusMargin, t.height + 2},
                       foreground_);
    }
}

void UILink::activate() {
    const std::int64_t now = UITimerRegistry::instance().now();
    const bool guarded = hasOpened_ && now - lastOpening_ < kReopenGuardMs;
    if (!guarded && !address_.empty()) {
        hasOpened_ = true;
        lastOpening_ = now;
        if (opener_) {
            (void)opener_(address_);
        }
    }
    clicked_.emit();
}

void UILink::mouseClickEvent(UIEvent& e) {
    if (e.button == kLeftButton) {
        activate();
    }
}

void UILink::keyPressEvent(UIEvent& e) {
    if ((e.key == vk::kReturn || e.key == vk::kSpace) && !e.autoRepeat) {
        activate();
        e.accept();
    }
}

void UILink::enterEvent(UIEvent&) {
    update();
}

void UILink::leaveEvent(UIEvent&) {
    update();
}

void UILink::focusInEvent(UIEvent&) {
    update();
}

void UILink::focusOutEvent(UIEvent&) {
    update();
}

} // namespace scalora
