// The icons an X11 window shows in its title bar, task bar and window switcher: every size
// the program has, so each place picks the one drawn for it instead of scaling one image.
#pragma once

#include <vector>

struct SDL_Window;

namespace scalora {

class PixelImage;

// Sets _NET_WM_ICON to the given images (straight alpha; null or empty ones are left out).
// False on other systems or when no image remains, and the caller falls back to SDL's one icon.
[[nodiscard]] bool x11SetWindowIcons(SDL_Window* window,
                                     const std::vector<const PixelImage*>& icons);

} // namespace scalora
