// The buttons a window manager puts in an X11 window's frame: a window that asks for no
// minimize or maximize box (a message box, a dialog) must not get them, which SDL cannot say.
#pragma once

#include <cstdint>

struct SDL_Window;

namespace scalora {

// What the frame offers, from a window's UIWindowOption bits.
struct FrameButtons {
    bool resizable = false;
    bool minimize = false;
    bool maximize = false;
};

// The _MOTIF_WM_HINTS words (flags, functions, decorations, input mode, status) for the
// buttons; every window keeps its title, border, menu, move and close.
struct MotifHints {
    unsigned long words[5] = {};
};
MotifHints motifHintsFor(const FrameButtons& buttons);

// Sets the hints on an X11 window before it is mapped; does nothing on other systems.
void x11SetFrameButtons(SDL_Window* window, const FrameButtons& buttons);

} // namespace scalora
