#include "ui/backend/sdl/sdl_clipboard_backend.h"

#include <SDL.h>

namespace scalora {

bool SdlClipboardBackend::setText(const std::string& text) {
    return SDL_SetClipboardText(text.c_str()) == 0;
}

std::optional<std::string> SdlClipboardBackend::text() {
    if (SDL_HasClipboardText() != SDL_TRUE) {
        return std::nullopt;
    }
    char* raw = SDL_GetClipboardText();
    if (raw == nullptr) {
        return std::nullopt;
    }
    std::string text(raw);
    SDL_free(raw);
    return text;
}

} // namespace scalora
