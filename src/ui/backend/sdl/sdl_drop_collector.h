// What SDL delivers for one drop, gathered until SDL_DROPCOMPLETE: SDL_DROPBEGIN starts it,
// every SDL_DROPFILE adds a path and every SDL_DROPTEXT adds text.
#pragma once

#include "ui/core/window_system.h"

#include <cstdint>

union SDL_Event;

namespace scalora {

class SdlDropCollector {
public:
    // Takes SDL_DROPBEGIN, SDL_DROPFILE and SDL_DROPTEXT (and frees SDL's copy of their data);
    // false for any other event.
    bool collect(const SDL_Event& event);
    // The window SDL_DROPBEGIN named (0 when none did).
    std::uint32_t windowId() const { return windowId_; }
    // What arrived since the drop began; the collector is empty again afterwards.
    UIDropPayload take();

private:
    UIDropPayload payload_;
    std::uint32_t windowId_ = 0;
};

} // namespace scalora
