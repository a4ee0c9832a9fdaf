#include "exchange/ui_clipboard.h"

#include "ui/core/ui_toolkit.h"

#include <SDL.h>

namespace scalora {

namespace {

std::unique_ptr<ClipboardBackend>& backendSlot() {
    static std::unique_ptr<ClipboardBackend> backend = std::make_unique<SdlClipboardBackend>();
    return backend;
}

void failureSignal() {
    if (UIToolkit* tk = UIToolkit::instance()) {
        tk->windowSystem().beep();
    }
}

} // namespace

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

void setClipboardBackend(std::unique_ptr<ClipboardBackend> backend) {
    backendSlot() = backend ? std::move(backend) : std::make_unique<SdlClipboardBackend>();
}

bool setClipboardText(std::string_view text) {
    // Text ends at its first NUL, as it would on the clipboard.
    const std::string placed(text.substr(0, text.find('\0')));
    if (placed.empty() || !backendSlot()->setText(placed)) {
        failureSignal();
        return false;
    }
    return true;
}

std::string clipboardText() {
    std::optional<std::string> text = backendSlot()->text();
    std::string result;
    if (text) {
        result = text->substr(0, text->find('\0'));
    }
    if (result.empty()) {
        failureSignal();
    }
    return result;
}

} // namespace scalora
