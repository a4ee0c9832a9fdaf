#include "ui/backend/sdl/x11_window_icons.h"

#include "imaging/pixel_image.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdint>

namespace scalora {

bool x11SetWindowIcons(SDL_Window* window, const std::vector<const PixelImage*>& icons) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    // Each icon is its width, its height and its pixels as 0xAARRGGBB, one per long: Xlib
    // carries format-32 properties in longs whatever their width.
    std::vector<unsigned long> words;
    for (const PixelImage* icon : icons) {
        if (icon == nullptr || icon->isNull()) {
            continue;
        }
        words.push_back(static_cast<unsigned long>(icon->width()));
        words.push_back(static_cast<unsigned long>(icon->height()));
        for (std::int32_t y = 0; y < icon->height(); ++y) {
            const std::uint32_t* row = icon->row(y);
            words.insert(words.end(), row, row + icon->width());
        }
    }
    if (words.empty()) {
        return false;
    }
    ::Display* display = info.info.x11.display;
    const Atom property = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, info.info.x11.window, property, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(words.data()), static_cast<int>(words.size()));
    XFlush(display);
    return true;
}

} // namespace scalora
