#include "ui/style/style_ids.h"
#include "ui/style/style_values.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(StyleValues, ColoursFromThreeOrFourFieldsClampedNumbersAndFallBacks) {
    EXPECT_EQ(parseStyleColor("12,34,56"), 0xFF0C2238u);
    EXPECT_EQ(parseStyleColor("0,12,34,56"), 0x000C2238u);
    EXPECT_EQ(parseStyleColor("300,-5,20"), 0xFFFF0014u);
    EXPECT_EQ(parseStyleColor("16711680"), 0x00FF0000u);
    EXPECT_EQ(parseStyleColor("255"), 0x000000FFu);        // blue with alpha 0
    EXPECT_EQ(parseStyleColor("4278190335"), 0x7FFFFFFFu); // past 32 bits the number saturates
    EXPECT_EQ(parseStyleColor("red"), kTransparentColor);
    EXPECT_EQ(parseStyleColor(""), kTransparentColor);
    EXPECT_EQ(parseStyleColor("transparent"), kTransparentColor);
    EXPECT_EQ(parseStyleColor("1,2"), kTransparentColor);
    EXPECT_EQ(parseStyleColor("1,2,3,4,5"), kTransparentColor);
    EXPECT_EQ(parseStyleColor("-16777216"), kTransparentColor); // does not start with a digit
    EXPECT_EQ(parseStyleColor("128,255,255,255"), 0x80FFFFFFu);
}

TEST(StyleValues, BrushesAreSolidOrGradientThroughEveryColour) {
    const Brush solid = parseStyleBrush("10,20,30");
    EXPECT_FALSE(solid.isGradient());
    EXPECT_EQ(solid.color(), 0xFF0A141Eu);
    const Brush gradient = parseStyleBrush("255,255,255|200,200,200|0,0,0");
    ASSERT_TRUE(gradient.isGradient());
    EXPECT_EQ(gradient.stops(), (std::vector<Color>{0xFFFFFFFF, 0xFFC8C8C8, 0xFF000000}));
    EXPECT_EQ(parseStyleBrush("junk|0,0,0").stops().front(), kTransparentColor);
    EXPECT_EQ(parseStyleBrush("").color(), kTransparentColor);
}

TEST(StyleValues, FontsStartFromTheDefault) {
    const UIFont base = UIFont::defaultFont();
    const UIFont f = parseStyleFont("default,10,bold");
    EXPECT_EQ(f.family(), base.family());
    EXPECT_EQ(f.pointSize(), 10);
    EXPECT_EQ(f.flags(), static_cast<std::uint32_t>(UIFont::kBold));
    EXPECT_EQ(parseStyleFont("default,10"), base); // two fields keep the whole default
    EXPECT_EQ(parseStyleFont("a,b,c,d"), base);
    const UIFont g = parseStyleFont("DejaVu Serif,8.5,underline bold");
    EXPECT_EQ(g.family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(g.pointSize(), 8.5);
    EXPECT_EQ(g.flags(), static_cast<std::uint32_t>(UIFont::kBold | UIFont::kUnderline));
    EXPECT_EQ(parseStyleFont("default,9,italic").flags(), 0u); // only bold and underline exist here
}

TEST(StyleValues, PointsSizesMarginsAndNumbers) {
    EXPECT_EQ(parseStylePoint("1,-2"), (Point{1, -2}));
    EXPECT_EQ(parseStylePoint("1"), (Point{}));
    EXPECT_EQ(parseStylePoint("1,2,3"), (Point{}));
    EXPECT_EQ(parseStyleSize("80,24"), (Size{80, 24}));
    EXPECT_EQ(parseStyleSize("x"), (Size{}));
    EXPECT_EQ(parseStyleMargins("4,3,2,1"), (Margins{4, 3, 2, 1}));
    EXPECT_EQ(parseStyleMargins("4,3,2"), (Margins{}));
    EXPECT_EQ(parseStyleInteger("42"), 42);
    EXPECT_EQ(parseStyleInteger("-7px"), -7);
    EXPECT_EQ(parseStyleInteger(""), 0);
    EXPECT_DOUBLE_EQ(parseStyleFloat("0.75"), 0.75);
    EXPECT_DOUBLE_EQ(parseStyleFloat(" 2.5e1x"), 25.0);
    EXPECT_DOUBLE_EQ(parseStyleFloat(""), 0.0);
    EXPECT_DOUBLE_EQ(parseStyleFloat("abc"), 0.0);
}

// The numbers an id stands for in the package files and the program's tables.
template <typename Id> int number(Id id) {
    return static_cast<int>(id);
}

TEST(StyleIds, MetricImageAndCursorNames) {
    EXPECT_EQ(number(metricIdForName("LayoutLeftMargin")), 1);
    EXPECT_EQ(number(metricIdForName("LayoutHorizontalSpacing")), 5);
    EXPECT_EQ(number(metricIdForName("LayoutVerticalSpacing")), 6);
    EXPECT_EQ(number(metricIdForName("WindowDesktopPadding")), 12);
    EXPECT_EQ(number(metricIdForName("layoutleftmargin")), 0);
    EXPECT_EQ(standardImageFile(StandardImage{0}), "DialogHelpButton.png");
    EXPECT_EQ(standardImageFile(StandardImage{14}), "CriticalSmall.png");
    EXPECT_EQ(standardImageFile(StandardImage{18}), "Focus.png");
    EXPECT_EQ(standardImageFile(StandardImage{19}), "");
    EXPECT_EQ(number(cursorIdForName("hand_open")), 6);
    EXPECT_EQ(number(cursorIdForName("empty")), 25);
    EXPECT_EQ(number(cursorIdForName("unknown")), 1);
    EXPECT_EQ(systemCursorFor(CursorId{4}), SystemCursor::TextBeam);
    EXPECT_EQ(systemCursorFor(CursorId{13}), SystemCursor::SizeAll);
    EXPECT_EQ(systemCursorFor(CursorId{27}), SystemCursor::Arrow);
    EXPECT_EQ(systemCursorFor(CursorId{14}),
              SystemCursor::Arrow); // image cursors start as the arrow
}

} // namespace
} // namespace scalora
