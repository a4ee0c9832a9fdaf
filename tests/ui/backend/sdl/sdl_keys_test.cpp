// The SDL to toolkit key, modifier and button tables.
#include "ui/backend/sdl/sdl_keys.h"
#include "ui/core/ui_event.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(SdlKeys, KeysBecomeTheirVirtualKeyNumbers) {
    EXPECT_EQ(virtualKeyFromSdl(SDLK_RETURN), 13);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_KP_ENTER), 13);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_TAB), 9);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_SPACE), 32);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_PAGEUP), 33);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_DOWN), 40);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_DELETE), 46);
    // Letters are their upper-case codes whatever the shift state: Ctrl+A is 65.
    EXPECT_EQ(virtualKeyFromSdl(SDLK_a), 65);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_z), 90);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_0), 48);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_F1), 112);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_F12), 123);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_KP_5), 101);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_ESCAPE), 27);
    EXPECT_EQ(virtualKeyFromSdl(SDLK_VOLUMEUP), 0);
}

TEST(SdlKeys, ModifiersAndButtons) {
    EXPECT_EQ(modifiersFromSdl(KMOD_LSHIFT), kShiftModifier);
    EXPECT_EQ(modifiersFromSdl(KMOD_RCTRL | KMOD_LALT), kControlModifier | kAltModifier);
    EXPECT_EQ(modifiersFromSdl(KMOD_NUM | KMOD_CAPS), 0u);
    EXPECT_EQ(buttonFromSdl(SDL_BUTTON_LEFT), kLeftButton);
    EXPECT_EQ(buttonFromSdl(SDL_BUTTON_RIGHT), kRightButton);
    EXPECT_EQ(buttonFromSdl(SDL_BUTTON_MIDDLE), kMiddleButton);
    // The first extra button is 8, the second 16.
    EXPECT_EQ(buttonFromSdl(SDL_BUTTON_X1), 8u);
    EXPECT_EQ(buttonFromSdl(SDL_BUTTON_X2), 16u);
    EXPECT_EQ(buttonsFromSdlState(SDL_BUTTON_LMASK | SDL_BUTTON_X2MASK), 1u | 16u);
}

} // namespace
} // namespace scalora
