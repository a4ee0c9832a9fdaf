#include "png_file.h"
#include "support/test_support.h"
#include "ui/draw/canvas.h"
#include "ui/draw/font_face.h"
#include "ui/draw/screen_dpi.h"
#include "ui/draw/ui_font.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace scalora {
namespace {

class TextRender : public ::testing::Test {
protected:
    void SetUp() override { setScreenDpi(96); }
    void TearDown() override { setScreenDpi(0); }
};

// Bounding box of pixels that differ from the background.
Rect inkBox(const Canvas& canvas, Color background) {
    Rect box;
    for (std::int32_t y = 0; y < canvas.height(); ++y) {
        for (std::int32_t x = 0; x < canvas.width(); ++x) {
            if (canvas.pixelColor(x, y) != background) {
                box = box.united({x, y, 1, 1});
            }
        }
    }
    return box;
}

TEST_F(TextRender, GlyphsAreAntiAliasedInsideTheLineBoxAndHonourColourAlpha) {
    const UIFont font(UIFont::defaultFamily(), 12);
    Canvas canvas(200, 40);
    canvas.clear(0xFFFFFFFF);
    const std::int32_t advance = canvas.drawText(font, Point{10, 5}, "Halvorn lights", 0xFF000000);
    EXPECT_EQ(advance, font.textWidth("Halvorn lights"));
    const Rect ink = inkBox(canvas, 0xFFFFFFFF);
    EXPECT_TRUE((Rect{9, 5, advance + 2, font.lineHeight()}).containsRect(ink))
        << ink.x << "," << ink.y << " " << ink.width << "x" << ink.height;
    EXPECT_GT(ink.width, advance * 3 / 4);
    int black = 0, grey = 0;
    for (std::int32_t y = 0; y < canvas.height(); ++y) {
        for (std::int32_t x = 0; x < canvas.width(); ++x) {
            const Color c = canvas.pixelColor(x, y);
            EXPECT_EQ(redOf(c), blueOf(c)); // black on white stays grey
            black += redOf(c) < 16 ? 1 : 0;
            grey += (redOf(c) > 32 && redOf(c) < 224) ? 1 : 0;
        }
    }
    EXPECT_GT(black, 40); // solid stems
    EXPECT_GT(grey, 20);  // smoothed edges

    // Half-transparent text never gets darker than half way.
    Canvas faint(200, 40);
    faint.clear(0xFFFFFFFF);
    faint.drawText(font, Point{10, 5}, "Halvorn lights", 0x80000000);
    for (std::int32_t y = 0; y < faint.height(); ++y) {
        for (std::int32_t x = 0; x < faint.width(); ++x) {
            ASSERT_GE(redOf(faint.pixelColor(x, y)), 126);
        }
    }
    // On a transparent canvas the text carries its coverage as alpha, colour intact.
    Canvas clear(200, 40);
    clear.drawText(font, Point{10, 5}, "Halvorn lights", 0xFFFF0000);
    const Rect redInk = inkBox(clear, 0);
    EXPECT_EQ(redInk, ink);
    for (std::int32_t y = redInk.y; y < redInk.bottom(); ++y) {
        for (std::int32_t x = redInk.x; x < redInk.right(); ++x) {
            const Color c = clear.pixelColor(x, y);
            if (alphaOf(c) > 8) {
                ASSERT_EQ(redOf(c), 255);
                ASSERT_LE(greenOf(c), 2);
            }
        }
    }
}

TEST_F(TextRender, RepaintingTextRendersNoGlyphAgain) {
    // A size no other test uses, so the face starts with an empty cache.
    const UIFont font(UIFont::defaultFamily(), 13.5);
    FontFace* face = font.face();
    ASSERT_NE(face, nullptr);
    const std::size_t before = face->renderedGlyphCount();
    Canvas canvas(300, 40);
    canvas.drawText(font, Point{0, 0}, "Repaint repaint \u6f22", 0xFF000000);
    const std::size_t first = face->renderedGlyphCount();
    EXPECT_EQ(first - before, 10u); // R e p a i n t r, the space, and one fall-back glyph
    for (int i = 0; i < 3; ++i) {
        canvas.drawText(font, Point{0, 0}, "Repaint repaint \u6f22", 0xFF000000);
        EXPECT_EQ(font.textWidth("paint"), font.textWidth("paint"));
    }
    EXPECT_EQ(face->renderedGlyphCount(), first);
}

TEST_F(TextRender, RectangleLayoutAlignsClipsAndUnderlines) {
    const UIFont font(UIFont::defaultFamily(), 9);
    const std::int32_t w = font.textWidth("Ok");
    Canvas canvas(100, 30);
    canvas.clear(0xFFFFFFFF);
    canvas.drawText(font, Rect{0, 0, 100, 30}, "Ok", 0xFF000000, kAlignRight | kAlignBottom);
    const Rect ink = inkBox(canvas, 0xFFFFFFFF);
    EXPECT_GE(ink.x, 100 - w - 1);
    EXPECT_LE(ink.right(), 100);
    EXPECT_GE(ink.y, 30 - font.lineHeight());

    Canvas centred(100, 30);
    centred.clear(0xFFFFFFFF);
    centred.drawText(font, Rect{0, 0, 100, 30}, "Ok", 0xFF000000, kAlignHCenter | kAlignVCenter);
    const Rect c = inkBox(centred, 0xFFFFFFFF);
    EXPECT_NEAR(c.x + c.width / 2.0, 50.0, 3.0);
    EXPECT_NEAR(c.y + c.height / 2.0, 15.0, 4.0);

    // Text is clipped to its rectangle even when it is wider.
    Canvas clipped(100, 30);
    clipped.clear(0xFFFFFFFF);
    clipped.drawText(font, Rect{10, 5, 20, 15}, "Wide wide wide wide", 0xFF000000);
    EXPECT_TRUE((Rect{10, 5, 20, 15}).containsRect(inkBox(clipped, 0xFFFFFFFF)));

    // Word wrapping breaks at spaces, one line per line height.
    Canvas wrapped(60, 100);
    wrapped.clear(0xFFFFFFFF);
    wrapped.drawText(font, Rect{0, 0, 60, 100}, "one two three four", 0xFF000000, kTextWordWrap);
    EXPECT_GE(inkBox(wrapped, 0xFFFFFFFF).height, 2 * font.lineHeight() - 4);

    // An underline adds one solid row under the text.
    UIFont underlined = font;
    underlined.setFlag(UIFont::kUnderline, true);
    Canvas plain(60, 20);
    plain.clear(0xFFFFFFFF);
    plain.drawText(font, Point{0, 0}, "ace", 0xFF000000);
    Canvas lined(60, 20);
    lined.clear(0xFFFFFFFF);
    lined.drawText(underlined, Point{0, 0}, "ace", 0xFF000000);
    int fullRows = 0;
    for (std::int32_t y = 0; y < 20; ++y) {
        bool full = true;
        for (std::int32_t x = 0; x < font.textWidth("ace"); ++x) {
            full = full && lined.pixelColor(x, y) == 0xFF000000u;
        }
        fullRows += full ? 1 : 0;
    }
    EXPECT_GE(fullRows, 1);
    EXPECT_GT(inkBox(lined, 0xFFFFFFFF).height, inkBox(plain, 0xFFFFFFFF).height - 1);
}

// A scene of fills, a gradient, a polygon and an image, written to PNG and read back, must
// equal a picture put together pixel by pixel here.
TEST_F(TextRender, SavedSceneMatchesTheExpectedPicture) {
    Canvas canvas(64, 48);
    canvas.clear(0xFFFFFFFF);
    canvas.fillRect({4, 4, 20, 10}, 0xFF2060A0);
    canvas.fillRect({0, 30, 64, 18},
                    Brush({0xFF000000, 0xFF0000FF}, GradientDirection::Horizontal));
    PixelImage icon;
    EXPECT_TRUE(icon.allocate(4, 4, AlphaKind::Straight));
    icon.fill(0x00000000);
    icon.setPixel(1, 1, 0xFFFF0000);
    icon.setPixel(2, 2, 0xFF00FF00);
    canvas.drawImage(icon, {40, 4});
    const Point tri[] = {{30, 20}, {38, 20}, {30, 28}};
    canvas.fillPolygon(tri, Brush(0xFF008000));

    PixelImage expected;
    EXPECT_TRUE(expected.allocate(64, 48, AlphaKind::Straight));
    expected.fill(0xFFFFFFFF);
    for (std::int32_t y = 0; y < 48; ++y) {
        for (std::int32_t x = 0; x < 64; ++x) {
            if (x >= 4 && x < 24 && y >= 4 && y < 14) {
                expected.setPixel(x, y, 0xFF2060A0);
            }
            if (y >= 30) {
                const auto b = static_cast<std::uint32_t>(std::lround(255.0 * x / 63.0));
                expected.setPixel(x, y, 0xFF000000 | b);
            }
            // Pixel centres strictly left of the slanted edge (a centre on it belongs to the next
            // shape).
            if (x >= 30 && y >= 20 && (x - 30) + (y - 20) + 1 < 8) {
                expected.setPixel(x, y, 0xFF008000);
            }
        }
    }
    expected.setPixel(41, 5, 0xFFFF0000);
    expected.setPixel(42, 6, 0xFF00FF00);

    test::TempDir dir;
    ASSERT_TRUE(test::writePng(canvas.image(), dir / "scene.png"));
    if (const char* keep = std::getenv("SCALORA_KEEP_PNG")) {
        EXPECT_TRUE(test::writePng(canvas.image(), std::filesystem::path(keep) / "scene.png"));
    }
    PixelImage loaded;
    ASSERT_TRUE(test::readPng(dir / "scene.png", loaded));
    ASSERT_EQ(loaded.size(), expected.size());
    for (std::int32_t y = 0; y < 48; ++y) {
        for (std::int32_t x = 0; x < 64; ++x) {
            ASSERT_EQ(loaded.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
        }
    }
}

} // namespace
} // namespace scalora
