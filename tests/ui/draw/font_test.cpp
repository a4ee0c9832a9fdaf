#include "base/strings.h"
#include "ui/draw/font_face.h"
#include "ui/draw/screen_dpi.h"
#include "ui/draw/ui_font.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

class FontTest : public ::testing::Test {
protected:
    void SetUp() override { setScreenDpi(96); }
    void TearDown() override { setScreenDpi(0); }
};

TEST_F(FontTest, PointsAndPixelsConvertWithHalfAwayRounding) {
    EXPECT_EQ(UIFont::pixelHeightFor(9, 96), 12);
    EXPECT_EQ(UIFont::pixelHeightFor(9, 120), 15);
    EXPECT_EQ(UIFont::pixelHeightFor(8.25, 96), 11);  // 11.0
    EXPECT_EQ(UIFont::pixelHeightFor(7.875, 96), 11); // 10.5 rounds up
    EXPECT_EQ(UIFont::pixelHeightFor(-7.875, 96), -11);
    EXPECT_EQ(UIFont::pointsFromPixels(16, 96), 12);
    EXPECT_EQ(UIFont::pointsFromPixels(15, 120), 9);
}

TEST_F(FontTest, NineTwelveAndEightPointFontsHaveThatCellHeight) {
    for (const auto& [points, pixels] :
         {std::pair{9.0, 12}, std::pair{12.0, 16}, std::pair{8.0, 11}}) {
        const UIFont font(UIFont::defaultFamily(), points);
        const FontMetrics m = font.metrics();
        EXPECT_EQ(font.pixelHeight(), pixels);
        EXPECT_EQ(m.height, pixels);
        EXPECT_EQ(m.ascent + m.descent, m.height);
        EXPECT_GT(m.ascent, m.descent);
        EXPECT_GT(m.descent, 0);
        EXPECT_EQ(font.textExtent("Hg").height, pixels);
    }
    setScreenDpi(120);
    EXPECT_EQ(UIFont(UIFont::defaultFamily(), 9).metrics().height, 15);
}

// File names are full of underscores: at no UI size may one fall below the line, where the
// line's clip would cut it off.
TEST_F(FontTest, AnUnderscoreStaysInsideTheLine) {
    for (std::int32_t pixels = 9; pixels <= 24; ++pixels) {
        const auto face = FontFace::get(UIFont::defaultFamily(), pixels, false, false);
        ASSERT_NE(face, nullptr);
        std::vector<FontFace::PlacedGlyph> glyphs;
        face->layoutUtf8("_", &glyphs);
        ASSERT_EQ(glyphs.size(), 1u);
        const FontFace::Glyph& bar = *glyphs.front().glyph;
        EXPECT_GT(bar.height, 0) << pixels;
        EXPECT_LE(bar.height - bar.top, face->descent()) << pixels << " px";
    }
}

TEST_F(FontTest, DefaultFontIsTheSansSerifMatchAtTwelvePoints) {
    const UIFont font;
    EXPECT_FALSE(UIFont::defaultFamily().empty());
    EXPECT_EQ(font.family(), UIFont::defaultFamily());
    EXPECT_EQ(font.pointSize(), 12);
    EXPECT_EQ(font.flags(), 0u);
    EXPECT_TRUE(UIFont::familyExists(UIFont::defaultFamily()));
    EXPECT_TRUE(UIFont::familyExists(toLower(UIFont::defaultFamily())));
    EXPECT_FALSE(UIFont::familyExists("No Such Family Qx"));
    EXPECT_FALSE(UIFont::familyExists(""));
}

TEST_F(FontTest, WidthsGrowWithTextAndBoldAndUseKerning) {
    const UIFont font(UIFont::defaultFamily(), 12);
    EXPECT_EQ(font.textWidth(""), 0);
    const std::int32_t one = font.textWidth("m");
    EXPECT_GT(one, 0);
    EXPECT_EQ(font.textWidth("mmmm"), 4 * one);
    UIFont bold = font;
    bold.setFlag(UIFont::kBold, true);
    EXPECT_TRUE(bold.isBold());
    EXPECT_GT(bold.textWidth("mmmm"), font.textWidth("mmmm"));
    // Underline and strike-out change no widths.
    UIFont lined = font;
    lined.setFlags(UIFont::kUnderline | UIFont::kStrikeout);
    EXPECT_EQ(lined.textWidth("Wave"), font.textWidth("Wave"));
    // Kerned pairs sit closer than their letters apart (the default family kerns these).
    EXPECT_LE(font.textWidth("AV"), font.textWidth("A") + font.textWidth("V"));
    EXPECT_LT(font.textWidth("To"), font.textWidth("T") + font.textWidth("o"));
    EXPECT_LT(font.textWidth("AVAVAVAV"), 4 * (font.textWidth("A") + font.textWidth("V")) - 2);
    // Characters outside the family still take room through a fall-back face.
    EXPECT_GT(font.textWidth("\u00e4\u00df"), 0);
    // Tabs count as spaces and line feeds take no room on a line.
    EXPECT_EQ(font.textWidth("a\tb"), font.textWidth("a b"));
    EXPECT_EQ(font.textWidth("a\nb"), font.textWidth("ab"));
}

TEST_F(FontTest, ElidingEndsWithAnEllipsisThatFits) {
    const UIFont font(UIFont::defaultFamily(), 9);
    const std::string text = "A rather long file name.jpg";
    EXPECT_EQ(font.elidedText(text, 10000), text);
    const std::int32_t limit = font.textWidth(text) / 2;
    const std::string shortened = font.elidedText(text, limit);
    EXPECT_LE(font.textWidth(shortened), limit);
    EXPECT_EQ(shortened.rfind("\u2026"), shortened.size() - 3);
    EXPECT_EQ(text.rfind(shortened.substr(0, shortened.size() - 3), 0), 0u);
    EXPECT_GT(shortened.size(), 6u);
    EXPECT_EQ(font.elidedText(text, 0), "");
}

TEST(ScreenDpi, AnOverrideWinsOverTheDisplayUntilItIsCleared) {
    setDisplayDpi(120);
    EXPECT_EQ(screenDpi(), 120);
    setScreenDpi(72);
    EXPECT_EQ(screenDpi(), 72);
    setScreenDpi(0);
    EXPECT_EQ(screenDpi(), 120);
    setDisplayDpi(0); // a display that says nothing
    EXPECT_EQ(screenDpi(), 96);
}

} // namespace
} // namespace scalora
