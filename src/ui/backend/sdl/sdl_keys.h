// Translation of SDL2 key codes and modifier states into the toolkit's virtual-key numbers and
// modifier bits, so every key table of the program stays in one set of codes.
#pragma once

#include <cstdint>

namespace scalora {

// 0 for keys the toolkit has no number for.
std::int32_t virtualKeyFromSdl(std::int32_t sdlKeycode);
std::uint32_t modifiersFromSdl(std::uint32_t sdlKeymod);
// SDL button index (1 left, 2 middle, 3 right, 4 and 5 extra) to the toolkit's button bit.
std::uint32_t buttonFromSdl(std::uint8_t sdlButton);
// SDL's held-button mask to the toolkit's bits.
std::uint32_t buttonsFromSdlState(std::uint32_t sdlMask);

} // namespace scalora
