#include "ui/draw/canvas.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace scalora {
namespace {

PixelImage solidImage(std::int32_t w, std::int32_t h, Color c, AlphaKind kind) {
    PixelImage image;
    EXPECT_TRUE(image.allocate(w, h, kind));
    image.fill(c);
    return image;
}

TEST(CanvasImage, WholeAndPartialBlitsAreExact) {
    PixelImage image;
    EXPECT_TRUE(image.allocate(3, 2, AlphaKind::None));
    for (std::int32_t y = 0; y < 2; ++y) {
        for (std::int32_t x = 0; x < 3; ++x) {
            image.setPixel(
                x, y, 0x00102030u + static_cast<std::uint32_t>(x * 10 + y)); // alpha byte ignored
        }
    }
    Canvas canvas(6, 6);
    canvas.drawImage(image, {1, 2});
    EXPECT_EQ(canvas.pixelColor(1, 2), 0xFF102030u);
    EXPECT_EQ(canvas.pixelColor(3, 3), 0xFF102030u + 21);
    EXPECT_EQ(canvas.pixelColor(0, 2), 0u);
    canvas.drawImage(image, {2, 1, 1, 1}, {5, 5, 1, 1});
    EXPECT_EQ(canvas.pixelColor(5, 5), 0xFF102030u + 21);
}

TEST(CanvasImage, StraightAlphaBlendsAndCopyReplaces) {
    Canvas canvas(4, 4);
    canvas.clear(0xFF0000FF);
    const PixelImage half = solidImage(2, 2, 0x80FF0000, AlphaKind::Straight);
    canvas.drawImage(half, {0, 0});
    const Color mixed = canvas.pixelColor(0, 0);
    EXPECT_EQ(alphaOf(mixed), 255);
    EXPECT_NEAR(redOf(mixed), 128, 1);
    EXPECT_NEAR(blueOf(mixed), 127, 1);
    canvas.drawImage(half, {0, 0, 2, 2}, {2, 2, 2, 2}, CompositeMode::SourceCopy);
    EXPECT_EQ(canvas.pixelColor(3, 3), 0x80FF0000u);
    // Opacity scales the image's own alpha.
    Canvas faint(1, 1);
    faint.clear(0xFFFFFFFF);
    const PixelImage black = solidImage(1, 1, 0xFF000000, AlphaKind::None);
    faint.drawImage(black, {0, 0, 1, 1}, {0, 0, 1, 1}, CompositeMode::SourceOver, 64);
    EXPECT_NEAR(redOf(faint.pixelColor(0, 0)), 191, 1);
}

TEST(CanvasImage, ScalingKeepsFlatColoursAndNeverLeaksTransparentColour) {
    // Any stretch of a one-colour image stays exactly that colour.
    const PixelImage flat = solidImage(7, 5, 0xFF3366CC, AlphaKind::None);
    for (const Size& s : {Size{1, 1}, Size{3, 9}, Size{50, 13}, Size{200, 2}}) {
        Canvas canvas(s.width, s.height);
        canvas.drawImage(flat, {0, 0, 7, 5}, {0, 0, s.width, s.height});
        for (std::int32_t y = 0; y < s.height; ++y) {
            for (std::int32_t x = 0; x < s.width; ++x) {
                ASSERT_EQ(canvas.pixelColor(x, y), 0xFF3366CCu) << s.width << "x" << s.height;
            }
        }
    }
    // Opaque green beside fully transparent red: enlarged over white, no pixel turns reddish.
    PixelImage pair;
    EXPECT_TRUE(pair.allocate(2, 1, AlphaKind::Straight));
    pair.setPixel(0, 0, 0xFF00FF00);
    pair.setPixel(1, 0, 0x00FF0000);
    Canvas canvas(40, 4);
    canvas.clear(0xFFFFFFFF);
    canvas.drawImage(pair, {0, 0, 2, 1}, {0, 0, 40, 4});
    for (std::int32_t x = 0; x < 40; ++x) {
        const Color c = canvas.pixelColor(x, 2);
        EXPECT_EQ(redOf(c), blueOf(c)) << x; // only white and green mix here
    }
    EXPECT_EQ(canvas.pixelColor(0, 0), 0xFF00FF00u);
    EXPECT_EQ(canvas.pixelColor(39, 0), 0xFFFFFFFFu);

    // A target far larger than the canvas only computes what shows.
    Canvas small(4, 4);
    small.drawImage(flat, {0, 0, 7, 5}, {-1000000000, -1000000000, 2000000000, 2000000000});
    EXPECT_EQ(small.pixelColor(3, 3), 0xFF3366CCu);
}

TEST(CanvasImage, ShrinkingAveragesAndClampsToTheSourceRectangle) {
    // A 1-pixel checkerboard shrunk by 4 is mid grey everywhere.
    PixelImage checker;
    EXPECT_TRUE(checker.allocate(64, 64, AlphaKind::None));
    for (std::int32_t y = 0; y < 64; ++y) {
        for (std::int32_t x = 0; x < 64; ++x) {
            checker.setPixel(x, y, ((x + y) & 1) != 0 ? 0xFFFFFFFF : 0xFF000000);
        }
    }
    Canvas small(16, 16);
    small.drawImage(checker, {0, 0, 64, 64}, {0, 0, 16, 16});
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x) {
            ASSERT_NEAR(redOf(small.pixelColor(x, y)), 128, 3) << x << "," << y;
        }
    }
    // Two frames side by side: stretching the left one never shows the right one's colour.
    PixelImage frames;
    EXPECT_TRUE(frames.allocate(4, 2, AlphaKind::None));
    frames.fill(0xFF0000FF);
    for (std::int32_t y = 0; y < 2; ++y) {
        frames.setPixel(2, y, 0xFFFF0000);
        frames.setPixel(3, y, 0xFFFF0000);
    }
    Canvas big(30, 30);
    big.drawImage(frames, {0, 0, 2, 2}, {0, 0, 30, 30});
    EXPECT_EQ(big.pixelColor(29, 15), 0xFF0000FFu);
    // A clip piece draws exactly what the unclipped draw puts there.
    Canvas clipped(30, 30);
    clipped.clipTo(Rect{10, 10, 5, 5});
    clipped.drawImage(checker, {0, 0, 64, 64}, {0, 0, 30, 30});
    Canvas whole(30, 30);
    whole.drawImage(checker, {0, 0, 64, 64}, {0, 0, 30, 30});
    EXPECT_EQ(clipped.pixelColor(12, 13), whole.pixelColor(12, 13));
    EXPECT_EQ(clipped.pixelColor(9, 9), 0u);
}

TEST(CanvasImage, TilingRepeatsFromTheTargetCorner) {
    PixelImage tile;
    EXPECT_TRUE(tile.allocate(2, 1, AlphaKind::None));
    tile.setPixel(0, 0, 0xFFFF0000);
    tile.setPixel(1, 0, 0xFF00FF00);
    Canvas canvas(10, 3);
    canvas.setOrigin({1, 0});
    canvas.fillTiled(tile, {0, 0, 2, 1}, {2, 0, 5, 3});
    EXPECT_EQ(canvas.pixelColor(2, 0), 0u);
    for (std::int32_t x = 3; x < 8; ++x) {
        EXPECT_EQ(canvas.pixelColor(x, 2), ((x - 3) % 2) == 0 ? 0xFFFF0000u : 0xFF00FF00u) << x;
    }
    EXPECT_EQ(canvas.pixelColor(8, 0), 0u);
}

} // namespace
} // namespace scalora
