// The look the line edit and the text edit share: the text font, the five colour pairs
// (normal, selected while focused, selected while not focused, disabled, read-only) and the
// blank text's font and colour, with fall-backs for a missing style that match the shipped
// one. Backgrounds are brushes drawn over the widget's skin, which drawTextFrame draws.
#pragma once

#include "ui/draw/brush.h"
#include "ui/draw/ui_font.h"

#include <string_view>

namespace scalora {

class Canvas;
class UIElement;
class UISkin;

struct TextColors {
    Color foreground;
    Brush background;
};

struct TextEditStyle {
    TextEditStyle();

    UIFont font;
    TextColors normal;
    TextColors selected;
    TextColors unfocusedSelected;
    TextColors disabled;
    TextColors readonly;
    UIFont blankFont;
    Color blankForeground;

    // Takes one of the shared properties; false for a name that is not one of them.
    bool setProperty(std::string_view name, std::string_view value);

    enum class State { Normal, Disabled, ReadOnly };
    const TextColors& textColors(State state) const;
    const TextColors& selectionColors(bool focused) const {
        return focused ? selected : unfocusedSelected;
    }
};

// The field's frame over the whole of `field`: the skin's normal, hovered, focused or
// disabled image, or a plain white field whose border shows the focus when there is no skin.
void drawTextFrame(Canvas& canvas, const UISkin* skin, const UIElement& field, bool focused);

} // namespace scalora
