#include "ui/widgets/text_group_style.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"

namespace scalora {

bool UITextGroup::setProperty(const std::string& name, const std::string& value) {
    if (name == "font") {
        font = parseStyleFont(value);
    } else if (name == "foreground") {
        foreground = parseStyleColor(value);
    } else if (name == "shadowForeground") {
        shadowForeground = parseStyleColor(value);
    } else if (name == "shadowOffset") {
        shadowOffset = parseStylePoint(value);
    } else {
        return false;
    }
    return true;
}

void drawShadowedText(Canvas& canvas, const UIFont& font, const Rect& rect, std::string_view text,
                      Color color, Color shadow, Point shadowOffset, std::uint32_t flags) {
    if (alphaOf(shadow) > 0) {
        canvas.drawText(font, rect.translated(shadowOffset.x, shadowOffset.y), text, shadow, flags);
    }
    canvas.drawText(font, rect, text, color, flags);
}

} // namespace scalora
