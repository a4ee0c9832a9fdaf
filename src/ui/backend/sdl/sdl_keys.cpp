#include "ui/backend/sdl/sdl_keys.h"

#include "ui/core/ui_event.h"

#include <SDL.h>

namespace scalora {

std::int32_t virtualKeyFromSdl(std::int32_t key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return '0' + (key - SDLK_0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return vk::kF1 + (key - SDLK_F1);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return vk::kNumpad0 + 1 + (key - SDLK_KP_1);
    }
    switch (key) {
    case SDLK_BACKSPACE:
        return vk::kBack;
    case SDLK_TAB:
        return vk::kTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return vk::kReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return vk::kShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return vk::kControl;
    case SDLK_LALT:
    case SDLK_RALT:
        return vk::kMenu;
    case SDLK_PAUSE:
        return vk::kPause;
    case SDLK_CAPSLOCK:
        return vk::kCapital;
    case SDLK_ESCAPE:
        return vk::kEscape;
    case SDLK_SPACE:
        return vk::kSpace;
    case SDLK_PAGEUP:
        return vk::kPrior;
    case SDLK_PAGEDOWN:
        return vk::kNext;
    case SDLK_END:
        return vk::kEnd;
    case SDLK_HOME:
        return vk::kHome;
    case SDLK_LEFT:
        return vk::kLeft;
    case SDLK_UP:
        return vk::kUp;
    case SDLK_RIGHT:
        return vk::kRight;
    case SDLK_DOWN:
        return vk::kDown;
    case SDLK_INSERT:
        return vk::kInsert;
    case SDLK_DELETE:
        return vk::kDelete;
    case SDLK_LGUI:
        return vk::kLeftWin;
    case SDLK_RGUI:
        return vk::kRightWin;
    case SDLK_APPLICATION:
        return vk::kApps;
    case SDLK_KP_0:
        return vk::kNumpad0;
    case SDLK_KP_MULTIPLY:
        return vk::kMultiply;
    case SDLK_KP_PLUS:
        return vk::kAdd;
    case SDLK_KP_MINUS:
        return vk::kSubtract;
    case SDLK_KP_PERIOD:
        return vk::kDecimal;
    case SDLK_KP_DIVIDE:
        return vk::kDivide;
    case SDLK_NUMLOCKCLEAR:
        return vk::kNumLock;
    case SDLK_SCROLLLOCK:
        return vk::kScroll;
    case SDLK_SEMICOLON:
        return vk::kOemSemicolon;
    case SDLK_EQUALS:
        return vk::kOemPlus;
    case SDLK_COMMA:
        return vk::kOemComma;
    case SDLK_MINUS:
        return vk::kOemMinus;
    case SDLK_PERIOD:
        return vk::kOemPeriod;
    case SDLK_SLASH:
        return vk::kOemSlash;
    case SDLK_BACKQUOTE:
        return vk::kOemTilde;
    case SDLK_LEFTBRACKET:
        return vk::kOemOpenBracket;
    case SDLK_BACKSLASH:
        return vk::kOemBackslash;
    case SDLK_RIGHTBRACKET:
        return vk::kOemCloseBracket;
    case SDLK_QUOTE:
        return vk::kOemQuote;
    default:
        return 0;
    }
}

std::uint32_t modifiersFromSdl(std::uint32_t mod) {
    std::uint32_t out = 0;
    if ((mod & KMOD_SHIFT) != 0) {
        out |= kShiftModifier;
    }
    if ((mod & KMOD_CTRL) != 0) {
        out |= kControlModifier;
    }
    if ((mod & KMOD_ALT) != 0) {
        out |= kAltModifier;
    }
    if ((mod & KMOD_GUI) != 0) {
        out |= kMetaModifier;
    }
    return out;
}

std::uint32_t buttonFromSdl(std::uint8_t button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return kLeftButton;
    case SDL_BUTTON_RIGHT:
        return kRightButton;
    case SDL_BUTTON_MIDDLE:
        return kMiddleButton;
    case SDL_BUTTON_X1:
        return kExtraButton1;
    case SDL_BUTTON_X2:
        return kExtraButton2;
    default:
        return 0;
    }
}

std::uint32_t buttonsFromSdlState(std::uint32_t mask) {
    std::uint32_t out = 0;
    for (std::uint8_t b = SDL_BUTTON_LEFT; b <= SDL_BUTTON_X2; ++b) {
        if ((mask & SDL_BUTTON(b)) != 0) {
            out |= buttonFromSdl(b);
        }
    }
    return out;
}

} // namespace scalora
