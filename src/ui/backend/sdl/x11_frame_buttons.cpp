#include "ui/backend/sdl/x11_frame_buttons.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace scalora {
namespace {

// The Motif window manager hint bits, as window managers still read them.
constexpr unsigned long kHintsFunctions = 1u << 0;
constexpr unsigned long kHintsDecorations = 1u << 1;
constexpr unsigned long kFunctionResize = 1u << 1;
constexpr unsigned long kFunctionMove = 1u << 2;
constexpr unsigned long kFunctionMinimize = 1u << 3;
constexpr unsigned long kFunctionMaximize = 1u << 4;
constexpr unsigned long kFunctionClose = 1u << 5;
constexpr unsigned long kDecorBorder = 1u << 1;
constexpr unsigned long kDecorResizeHandle = 1u << 2;
constexpr unsigned long kDecorTitle = 1u << 3;
constexpr unsigned long kDecorMenu = 1u << 4;
constexpr unsigned long kDecorMinimize = 1u << 5;
constexpr unsigned long kDecorMaximize = 1u << 6;

// The property's words: flags, functions, decorations, input mode, status.
struct MotifHints {
    unsigned long words[5] = {};
};

MotifHints motifHintsFor(const FrameButtons& buttons) {
    unsigned long functions = kFunctionMove | kFunctionClose;
    unsigned long decorations = kDecorBorder | kDecorTitle | kDecorMenu;
    if (buttons.resizable) {
        functions |= kFunctionResize;
        decorations |= kDecorResizeHandle;
    }
    if (buttons.minimize) {
        functions |= kFunctionMinimize;
        decorations |= kDecorMinimize;
    }
    if (buttons.maximize) {
        functions |= kFunctionMaximize;
        decorations |= kDecorMaximize;
    }
    return MotifHints{{kHintsFunctions | kHintsDecorations, functions, decorations, 0, 0}};
}

} // namespace

void x11SetFrameButtons(SDL_Window* window, const FrameButtons& buttons) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    ::Display* display = info.info.x11.display;
    const Atom hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    MotifHints words = motifHintsFor(buttons);
    // Format-32 properties travel as longs in Xlib, whatever their width.
    XChangeProperty(display, info.info.x11.window, hints, hints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(words.words), 5);
    XFlush(display);
}

} // namespace scalora
