#include "ui/backend/sdl/sdl_drop_collector.h"

#include <SDL.h>
#include <utility>

namespace scalora {

bool SdlDropCollector::collect(const SDL_Event& event) {
    switch (event.type) {
    case SDL_DROPBEGIN:
        payload_ = {};
        windowId_ = event.drop.windowID;
        return true;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        if (event.drop.file != nullptr) {
            if (event.type == SDL_DROPFILE) {
                payload_.filePaths.emplace_back(event.drop.file);
            } else {
                payload_.text += event.drop.file;
                payload_.hasText = true;
            }
            SDL_free(event.drop.file);
        }
        return true;
    default:
        return false;
    }
}

UIDropPayload SdlDropCollector::take() {
    UIDropPayload out = std::move(payload_);
    payload_ = {};
    return out;
}

} // namespace scalora
