#include "ui/widgets/text_edit_style.h"

#include "ui/core/ui_element.h"
#include "ui/draw/canvas.h"
#include "ui/style/skin.h"
#include "ui/style/style_values.h"

namespace scalora {

namespace {
// The shipped style's text size and colours, so a program without a style reads the same.
constexpr double kFallbackPointSize = 9;
constexpr Color kInk = 0xFF202020;
constexpr Color kSelectionInk = 0xFFFFFFFF;
constexpr Color kSelection = 0xFF3399FF;
constexpr Color kUnfocusedSelection = 0xFFDADADA;
constexpr Color kDisabledInk = 0xFF969696;
constexpr Color kReadOnlyInk = 0xFF404040;
constexpr Color kBlankInk = 0xFF969696;
// Without a skin: a plain field.
constexpr Color kFallbackFace = 0xFFFFFFFF;
constexpr Color kFallbackBorder = 0xFFADB2B5;
constexpr Color kFallbackFocusBorder = 0xFF3399FF;
} // namespace

TextEditStyle::TextEditStyle()
    : font(UIFont::defaultFamily(), kFallbackPointSize), normal{kInk, Brush()},
      selected{kSelectionInk, Brush(kSelection)}, unfocusedSelected{kInk,
                                                                    Brush(kUnfocusedSelection)},
      disabled{kDisabledInk, Brush()}, readonly{kReadOnlyInk, Brush()},
      blankFont(UIFont::defaultFamily(), kFallbackPointSize), blankForeground(kBlankInk) {}

bool TextEditStyle::setProperty(std::string_view name, std::string_view value) {
    struct ColorProperty {
        std::string_view foreground;
        std::string_view background;
        TextColors TextEditStyle::*pair;
    };
    static constexpr ColorProperty kPairs[] = {
        {"foreground", "background", &TextEditStyle::normal},
        {"selectedForeground", "selectedBackground", &TextEditStyle::selected},
        {"unfocusedSelectedForeground", "unfocusedSelectedBackground",
         &TextEditStyle::unfocusedSelected},
        {"disabledForeground", "disabledBackground", &TextEditStyle::disabled},
        {"readonlyForeground", "readonlyBackground", &TextEditStyle::readonly},
    };
    if (name == "font") {
        font = parseStyleFont(value);
        return true;
    }
    for (const ColorProperty& p : kPairs) {
        if (name == p.foreground) {
            (this->*p.pair).foreground = parseStyleColor(value);
            return true;
        }
        if (name == p.background) {
            (this->*p.pair).background = parseStyleBrush(value);
            return true;
        }
    }
    if (name == "blankFont") {
        blankFont = parseStyleFont(value);
        return true;
    }
    if (name == "blankForeground") {
        blankForeground = parseStyleColor(value);
        return true;
    }
    return false;
}

const TextColors& TextEditStyle::textColors(State state) const {
    switch (state) {
    case State::Disabled:
        return disabled;
    case State::ReadOnly:
        return readonly;
    case State::Normal:
        break;
    }
    return normal;
}

void drawTextFrame(Canvas& canvas, const UISkin* skin, const UIElement& field, bool focused) {
    const Rect r = field.rect();
    const SkinState frame = !field.isEnabled()        ? SkinState::Disabled
                            : focused                 ? SkinState::Pressed
                            : field.hasFlag(kHovered) ? SkinState::Hovered
                                                      : SkinState::Normal;
    if (skin != nullptr && skin->hasImage()) {
        drawSkin(canvas, *skin, r, frame);
    } else {
        canvas.fillRect(r, kFallbackFace);
        canvas.drawRect(r, focused ? kFallbackFocusBorder : kFallbackBorder);
    }
}

} // namespace scalora
