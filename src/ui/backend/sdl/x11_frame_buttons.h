// The buttons a window manager puts in an X11 window's frame: a window that asks for no
// minimize or maximize box (a message box, a dialog) must not get them, which SDL cannot say.
#pragma once

struct SDL_Window;

namespace scalora {

// What the frame offers, from a window's UIWindowOption bits.
struct FrameButtons {
    bool resizable = false;
    bool minimize = false;
    bool maximize = false;
};

// Sets the Motif hints on an X11 window before it is mapped: every window keeps its title,
// border, menu, move and close, and gets resizing and the two boxes only when asked for. Does
// nothing on other systems.
void x11SetFrameButtons(SDL_Window* window, const FrameButtons& buttons);

} // namespace scalora
