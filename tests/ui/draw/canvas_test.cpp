#include "ui/draw/canvas.h"
#include "ui/draw/pixel_ops.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace scalora {
namespace {

// Channel-wise distance of two straight colours.
int colorDistance(Color a, Color b) {
    int d = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                 static_cast<int>((b >> shift) & 0xFF)));
    }
    return d;
}

std::int64_t countColor(const Canvas& canvas, Color c) {
    std::int64_t n = 0;
    for (std::int32_t y = 0; y < canvas.height(); ++y) {
        for (std::int32_t x = 0; x < canvas.width(); ++x) {
            n += canvas.pixelColor(x, y) == c ? 1 : 0;
        }
    }
    return n;
}

TEST(PixelOps, PremultiplyRoundTripsAndBlendsLikeStraightAlpha) {
    EXPECT_EQ(pixel::premultiply(0x00FFFFFF), 0u);
    EXPECT_EQ(pixel::premultiply(0xFF123456), 0xFF123456u);
    EXPECT_EQ(pixel::premultiply(0x80FF0000), 0x80800000u);
    // Every alpha above 0 keeps a fully saturated channel within one level.
    for (std::uint32_t a = 1; a < 256; ++a) {
        const Color c = (a << 24) | 0x00FF8000;
        const Color back = pixel::unpremultiply(pixel::premultiply(c));
        EXPECT_EQ(alphaOf(back), a);
        EXPECT_LE(std::abs(static_cast<int>(redOf(back)) - 255), a < 4 ? 128 : 2) << a;
    }
    // 50 % red over opaque white gives the straight-alpha mix.
    const std::uint32_t out = pixel::blend(pixel::premultiply(0x80FF0000), 0xFFFFFFFF);
    EXPECT_LE(colorDistance(out, 0xFFFF7F7F), 1);
    // Over a transparent pixel the source comes out unchanged.
    EXPECT_EQ(pixel::unpremultiply(pixel::blend(pixel::premultiply(0x80FF0000), 0)), 0x80FF0000u);
}

TEST(Canvas, ResizeIgnoresEmptyAndEqualSizesAndStartsTransparent) {
    Canvas canvas;
    EXPECT_TRUE(canvas.isNull());
    EXPECT_TRUE(canvas.resize(20, 10));
    EXPECT_EQ(canvas.size(), (Size{20, 10}));
    EXPECT_EQ(canvas.pixelColor(3, 3), 0u);
    canvas.clear(0xFF102030);
    EXPECT_FALSE(canvas.resize(0, 100));
    EXPECT_FALSE(canvas.resize(100, -1));
    EXPECT_FALSE(canvas.resize(20, 10));
    EXPECT_EQ(canvas.size(), (Size{20, 10}));
    EXPECT_EQ(canvas.pixelColor(19, 9), 0xFF102030u); // old bitmap kept
    canvas.setOrigin({5, 5});
    canvas.clipTo(Rect{0, 0, 2, 2});
    EXPECT_TRUE(canvas.resize(30, 12));
    EXPECT_EQ(canvas.origin(), (Point{0, 0}));
    EXPECT_EQ(canvas.clipBox(), (Rect{0, 0, 30, 12}));
}

TEST(Canvas, ClearWritesTranslucentColoursEverywhereButOpaqueOnesOnlyInTheClip) {
    Canvas canvas(8, 8);
    canvas.clipTo(Rect{2, 2, 3, 3});
    canvas.clear(0x40FF0000);
    EXPECT_EQ(countColor(canvas, canvas.pixelColor(0, 0)), 64); // clip ignored
    EXPECT_EQ(alphaOf(canvas.pixelColor(7, 7)), 0x40);
    canvas.clear(0xFF00FF00);
    EXPECT_EQ(countColor(canvas, 0xFF00FF00), 9);
    EXPECT_EQ(alphaOf(canvas.pixelColor(0, 0)), 0x40);
    canvas.clear(kTransparentColor);
    EXPECT_EQ(countColor(canvas, 0), 64);
}

TEST(Canvas, FillsHonourOriginAndClipRegion) {
    Canvas canvas(20, 20);
    canvas.clear(0xFFFFFFFF);
    canvas.setOrigin({4, 4});
    const Rect pieces[] = {{0, 0, 3, 3}, {10, 10, 3, 3}};
    canvas.clipTo(pieces); // two 3x3 areas at (4,4) and (14,14) in pixels
    EXPECT_EQ(canvas.clipBox(), (Rect{0, 0, 13, 13}));
    canvas.fillRect({-100, -100, 300, 300}, 0xFF0000FF);
    EXPECT_EQ(countColor(canvas, 0xFF0000FF), 18);
    EXPECT_EQ(canvas.pixelColor(4, 4), 0xFF0000FFu);
    EXPECT_EQ(canvas.pixelColor(16, 16), 0xFF0000FFu);
    EXPECT_EQ(canvas.pixelColor(10, 10), 0xFFFFFFFFu);

    // Moving the origin later does not move the clip; restoring the state brings all back.
    const Canvas::State saved = canvas.saveState();
    canvas.translate(10, 0);
    canvas.clipTo(Rect{-10, 0, 1, 1}); // the pixel (4, 4)
    EXPECT_EQ(canvas.clipRegion().area(), 1);
    canvas.restoreState(saved);
    EXPECT_EQ(canvas.clipRegion().area(), 18);
    canvas.resetClip();
    canvas.setOrigin({});
    canvas.fillRect({0, 0, 20, 20}, 0x80000000);
    EXPECT_LE(colorDistance(canvas.pixelColor(0, 0), 0xFF7F7F7F), 1);
    canvas.fillRect({0, 0, 20, 20}, kTransparentColor);
    EXPECT_LE(colorDistance(canvas.pixelColor(0, 0), 0xFF7F7F7F), 1);
}

TEST(Canvas, GradientRunsThroughItsStopsFromEdgeToEdge) {
    Canvas canvas(5, 21);
    canvas.fillRect({0, 0, 5, 21}, Brush({0xFF000000, 0xFFFFFFFF, 0xFF0000FF}));
    EXPECT_EQ(canvas.pixelColor(2, 0), 0xFF000000u);
    EXPECT_EQ(canvas.pixelColor(2, 10), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixelColor(2, 20), 0xFF0000FFu);
    EXPECT_LE(colorDistance(canvas.pixelColor(4, 5), 0xFF808080), 1);
    // Rows are uniform for a vertical gradient, monotonic in the first half.
    for (std::int32_t y = 1; y <= 10; ++y) {
        EXPECT_EQ(canvas.pixelColor(0, y), canvas.pixelColor(4, y));
        EXPECT_GT(redOf(canvas.pixelColor(0, y)), redOf(canvas.pixelColor(0, y - 1)));
    }
    Canvas across(11, 2);
    Brush horizontal({0xFFFF0000, 0xFF00FF00}, GradientDirection::Horizontal);
    across.fillRect({0, 0, 11, 2}, horizontal);
    EXPECT_EQ(across.pixelColor(0, 1), 0xFFFF0000u);
    EXPECT_EQ(across.pixelColor(10, 0), 0xFF00FF00u);
}

TEST(Canvas, HugeShapesCostOnlyTheirVisiblePart) {
    Canvas canvas(8, 8);
    // A gradient over two billion rows: the visible rows sit in its middle, mid grey.
    canvas.fillRect({-1000000000, -1000000000, 2000000000, 2000000000},
                    Brush({0xFF000000, 0xFFFFFFFF}));
    EXPECT_NEAR(redOf(canvas.pixelColor(4, 4)), 128, 1);
    const Point far[] = {{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}};
    canvas.fillPolygon(far, Brush({0xFFFF0000, 0xFF0000FF}, GradientDirection::Horizontal));
    EXPECT_EQ(alphaOf(canvas.pixelColor(0, 0)), 255);
    EXPECT_NEAR(redOf(canvas.pixelColor(4, 4)), 128, 1);
    EXPECT_NEAR(blueOf(canvas.pixelColor(4, 4)), 127, 1);
}

TEST(Canvas, PolygonsFillPixelCentresWithTheirRule) {
    Canvas canvas(10, 10);
    const Point square[] = {{2, 2}, {6, 2}, {6, 6}, {2, 6}};
    canvas.fillPolygon(square, Brush(0xFFFF0000));
    EXPECT_EQ(countColor(canvas, 0xFFFF0000), 16);
    EXPECT_EQ(canvas.pixelColor(2, 2), 0xFFFF0000u);
    EXPECT_EQ(canvas.pixelColor(6, 6), 0u);

    // A right triangle covers about half its box.
    Canvas tri(40, 40);
    const Point triangle[] = {{0, 0}, {40, 0}, {0, 40}};
    tri.fillPolygon(triangle, Brush(0xFF000000));
    EXPECT_NEAR(static_cast<double>(countColor(tri, 0xFF000000)), 800.0, 40.0);

    // Two overlapping squares drawn as one path: even-odd leaves the overlap empty,
    // non-zero fills it.
    const Point twice[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0},
                           {3, 3}, {9, 3}, {9, 9}, {3, 9}, {3, 3}};
    Canvas evenOdd(10, 10);
    evenOdd.fillPolygon(twice, Brush(0xFF00FF00), FillRule::EvenOdd);
    EXPECT_EQ(evenOdd.pixelColor(4, 4), 0u);
    EXPECT_EQ(evenOdd.pixelColor(1, 1), 0xFF00FF00u);
    Canvas nonZero(10, 10);
    nonZero.fillPolygon(twice, Brush(0xFF00FF00), FillRule::NonZero);
    EXPECT_EQ(nonZero.pixelColor(4, 4), 0xFF00FF00u);

    // The outline passes through every corner.
    Canvas outline(10, 10);
    outline.drawPolygon(square, 0xFF0000FF);
    for (const Point& p : square) {
        EXPECT_EQ(outline.pixelColor(p.x, p.y), 0xFF0000FFu);
    }
    EXPECT_EQ(outline.pixelColor(4, 4), 0u);
    outline.drawRect({0, 0, 10, 10}, 0xFF000000);
    EXPECT_EQ(countColor(outline, 0xFF000000), 36);
}

TEST(Canvas, CopyFromIsAPlainCopyClippedToBothCanvases) {
    Canvas from(4, 4);
    from.clear(0x20FF0000); // translucent pixels copy without blending
    Canvas to(6, 6);
    to.clear(0xFF000000);
    to.copyFrom(from, {-2, 0, 4, 2}, {1, 1}); // only columns 0..1 of the source exist
    EXPECT_EQ(to.pixelColor(3, 1), from.pixelColor(0, 0));
    EXPECT_EQ(to.pixelColor(1, 1), 0xFF000000u);
    EXPECT_EQ(countColor(to, from.pixelColor(0, 0)), 4);
}

} // namespace
} // namespace scalora
