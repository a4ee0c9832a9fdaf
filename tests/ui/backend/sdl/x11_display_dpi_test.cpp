#include "ui/backend/sdl/x11_display_dpi.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(X11DisplayDpi, XftDpiIsReadFromTheResourceText) {
    EXPECT_EQ(parseXftDpi("Xft.antialias:\t1\nXft.dpi:\t120\nXft.hinting:\t1\n"), 120.0);
    EXPECT_EQ(parseXftDpi("Xft.dpi: 144.5"), 144.5);
    EXPECT_FALSE(parseXftDpi("Xft.dpix:\t120\n").has_value());
    EXPECT_FALSE(parseXftDpi("Xft.dpi:\tlots\n").has_value());
    EXPECT_FALSE(parseXftDpi("Xft.dpi:\t0\n").has_value());
    EXPECT_FALSE(parseXftDpi("").has_value());
}

} // namespace
} // namespace scalora
