// The headless backend pins the font resolution, so what tests measure and render does not
// depend on the Xft.dpi of the display the developer happens to run them on.
#include "ui/backend/headless/headless_window_system.h"
#include "ui/draw/screen_dpi.h"
#include "ui/draw/ui_font.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(HeadlessWindowSystemTest, PinsTheFontResolutionWhileItLives) {
    const double display = screenDpi();
    // As if the developer's display said Xft.dpi: 144.
    setScreenDpi(144);
    EXPECT_EQ(UIFont(UIFont::defaultFamily(), 9).pixelHeight(), 18);
    {
        HeadlessWindowSystem system;
        EXPECT_EQ(screenDpi(), HeadlessWindowSystem::kDpi);
        EXPECT_EQ(system.dpi(), screenDpi());
        // 9 points at 96 dpi are 12 pixels.
        const UIFont font(UIFont::defaultFamily(), 9);
        EXPECT_EQ(font.pixelHeight(), 12);
        EXPECT_EQ(font.metrics().height, 12);
    }
    // Afterwards fonts follow the display again.
    EXPECT_EQ(screenDpi(), display);
}

} // namespace
} // namespace scalora
