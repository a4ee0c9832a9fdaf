#include "ui/widgets/ui_text_style.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"

namespace scalora {

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

void drawCaption(Canvas& canvas, const UIFont& font, const Rect& rect, std::string_view text,
                 Color color, Color shadow, Point shadowOffset, std::uint32_t flags) {
    if (text.empty() || rect.isEmpty()) {
        return;
    }
    if (alphaOf(shadow) != 0) {
        canvas.drawText(font, rect.translated(shadowOffset.x, shadowOffset.y), text, shadow, flags);
    }
    canvas.drawText(font, rect, text, color, flags);
}

void drawCaption(Canvas& canvas, const UITextStyle& style, const Rect& rect, std::string_view text,
                 bool enabled, std::uint32_t flags) {
    drawCaption(canvas, style.font, rect, text, style.textColor(enabled),
                style.shadowColor(enabled), style.shadowOffset, flags);
}

} // namespace scalora
