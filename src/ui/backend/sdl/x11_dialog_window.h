// A window owned by another one (a message box, a dialog) tells the X11 window manager so: it
// is typed as a dialog and transient for its owner, so it stays above the owner, goes with it
// when the owner is minimised and takes no task bar entry of its own. SDL says neither.
#pragma once

struct SDL_Window;

namespace scalora {

// Before the window is mapped. Does nothing on other systems or without an owner.
void x11MarkDialog(SDL_Window* window, SDL_Window* owner);

} // namespace scalora
