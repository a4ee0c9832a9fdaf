// UILine: takes the width, keeps its height, and draws across its width.
#include "ui/core/ui_layout.h"
#include "ui/widgets/ui_line.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UILineTest : public WidgetTest {};

TEST_F(UILineTest, ItStretchesAcrossAndKeepsItsThickness) {
    RecordingWindow* w = makeWindow({200, 100});
    auto* line = new UILine(w);
    line->show();
    EXPECT_EQ(line->horizontalPolicy(), UISizePolicy::Expanding);
    EXPECT_EQ(line->verticalPolicy(), UISizePolicy::Fixed);
    auto column = std::make_unique<UIVBoxLayout>();
    column->setContentsMargins({10, 10, 10, 10});
    column->addElement(line);
    column->addStretch();
    w->setLayout(std::move(column));
    EXPECT_EQ(line->geometry(), (Rect{10, 10, 180, 2}));
    // Drawn from the left edge to the right one.
    toolkit().processEvents();
    const PixelImage& screen = HeadlessWindowSystem::native(*w)->screen();
    EXPECT_NE(screen.pixel(10, 10), screen.pixel(5, 10));
    EXPECT_NE(screen.pixel(189, 10), screen.pixel(195, 10));
}

} // namespace
} // namespace scalora::test
