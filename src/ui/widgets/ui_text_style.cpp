#include "ui/widgets/ui_text_style.h"

#include "ui/style/style_values.h"
#include "ui/widgets/widget_painting.h"

namespace scalora {

namespace {
constexpr double kFallbackFontPoints = 9;
constexpr Color kFallbackForeground = 0xFF202020;
constexpr Color kFallbackDisabledForeground = 0xFF969696;
} // namespace

UITextStyle fallbackTextStyle() {
    UITextStyle style;
    style.font = UIFont(UIFont::defaultFamily(), kFallbackFontPoints);
    style.foreground = kFallbackForeground;
    style.disabledForeground = kFallbackDisabledForeground;
    style.shadowOffset = {0, 1};
    return style;
}

bool UITextStyle::setProperty(const std::string& name, const std::string& value) {
    if (name == "font") {
        font = parseStyleFont(value);
    } else if (name == "foreground") {
        foreground = parseStyleColor(value);
    } else if (name == "shadowForeground") {
        shadowForeground = parseStyleColor(value);
    } else if (name == "shadowOffset") {
        shadowOffset = parseStylePoint(value);
    } else if (name == "disabledForeground") {
        disabledForeground = parseStyleColor(value);
    } else if (name == "disabledShadowForeground") {
        disabledShadowForeground = parseStyleColor(value);
    } else {
        return false;
    }
    return true;
}

void drawCaption(Canvas& canvas, const UITextStyle& style, const Rect& rect, std::string_view text,
                 bool enabled, std::uint32_t flags) {
    drawShadowedText(canvas, style.font, rect, text, style.textColor(enabled),
                     style.shadowColor(enabled), style.shadowOffset, flags);
}

} // namespace scalora
