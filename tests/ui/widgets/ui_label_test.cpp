// UILabel: shortening with its tool tip rule, and painting from the text properties.
#include "imaging/pixel_image.h"
#include "ui/core/ui_layout.h"
#include "ui/widgets/ui_label.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UILabelTest : public WidgetTest {
protected:
    // Pixels inside the rectangle close to one pure primary (0 red, 1 green, 2 blue).
    static int inkOf(const PixelImage& screen, const Rect& r, int primary) {
        int count = 0;
        for (std::int32_t y = r.y; y < r.bottom(); ++y) {
            for (std::int32_t x = r.x; x < r.right(); ++x) {
                const Color p = screen.pixel(x, y);
                const std::uint8_t c[] = {redOf(p), greenOf(p), blueOf(p)};
                bool match = c[primary] > 180;
                for (int i = 0; i < 3; ++i) {
                    match = match && (i == primary || c[i] < 80);
                }
                count += match ? 1 : 0;
            }
        }
        return count;
    }
};

TEST_F(UILabelTest, AShortenedLabelShowsItsFullTextAsToolTip) {
    RecordingWindow* w = makeWindow({600, 40});
    const std::string text = "C:/Pictures/Holidays/2026/a rather long file name.jpeg";
    auto* label = new UILabel(w, text);
    auto layout = std::make_unique<UIHBoxLayout>();
    layout->addElement(label);
    w->setLayout(std::move(layout));
    label->show();
    toolkit().processEvents();
    EXPECT_FALSE(label->isShortened());
    EXPECT_EQ(label->toolTipText({1, 1}), "");

    // Squeezed by its window below its hint, but never below the ellipsis.
    w->setSize(120, 40);
    toolkit().processEvents();
    EXPECT_LT(label->width(), label->sizeHint().width);
    EXPECT_GE(label->width(), label->minimumSizeHint().width);
    EXPECT_GT(label->minimumSizeHint().width, 0);
    EXPECT_TRUE(label->isShortened());
    EXPECT_EQ(label->toolTipText({1, 1}), text);

    // The label's own tool tip wins, shortened or not; an empty text is never shortened.
    label->setToolTip("Source file");
    EXPECT_EQ(label->toolTipText({1, 1}), "Source file");
    w->setSize(600, 40);
    toolkit().processEvents();
    EXPECT_EQ(label->toolTipText({1, 1}), "Source file");
    label->setToolTip({});
    label->setText({});
    EXPECT_FALSE(label->isShortened());
    EXPECT_EQ(label->toolTipText({1, 1}), "");
}

TEST_F(UILabelTest, ItPaintsShadowThenTextAndTheDisabledColours) {
    RecordingWindow* w = makeWindow({300, 60});
    auto* label = place(new UILabel(w, "HHHH"), {10, 10, 200, 40});
    label->setStyleProperty("font", "default,20,bold");
    label->setStyleProperty("foreground", "255,0,0");
    label->setStyleProperty("shadowForeground", "0,0,255");
    label->setStyleProperty("shadowOffset", "3,3");
    label->setStyleProperty("disabledForeground", "0,255,0");
    label->setStyleProperty("disabledShadowForeground", "transparent");
    toolkit().processEvents();
    const PixelImage& screen = HeadlessWindowSystem::native(*w)->screen();
    const Rect area = label->windowRect();
    EXPECT_GT(inkOf(screen, area, 0), 20);
    EXPECT_GT(inkOf(screen, area, 2), 20); // the shadow shows beside the text, not over it
    EXPECT_EQ(inkOf(screen, area, 1), 0);

    label->disable();
    toolkit().processEvents();
    EXPECT_EQ(inkOf(screen, area, 0), 0);
    EXPECT_EQ(inkOf(screen, area, 2), 0);
    EXPECT_GT(inkOf(screen, area, 1), 20);
}

} // namespace
} // namespace scalora::test
