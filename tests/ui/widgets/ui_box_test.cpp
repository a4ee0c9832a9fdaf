// UIBox: fills its rectangle with its brush behind its children.
#include "ui/widgets/ui_box.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UIBoxTest : public WidgetTest {};

TEST_F(UIBoxTest, ItFillsItsRectWithItsBrush) {
    RecordingWindow* w = makeWindow({200, 100});
    auto* box = place(new UIBox(w), {20, 20, 60, 40});
    const PixelImage& screen = HeadlessWindowSystem::native(*w)->screen();
    // Transparent until given a brush.
    EXPECT_EQ(screen.pixel(40, 40), screen.pixel(150, 40));
    box->setBackground(Brush(0xFF3366CCu));
    toolkit().processEvents();
    EXPECT_EQ(screen.pixel(20, 20), 0xFF3366CCu);
    EXPECT_EQ(screen.pixel(79, 59), 0xFF3366CCu);
    EXPECT_NE(screen.pixel(80, 60), 0xFF3366CCu);
}

} // namespace
} // namespace scalora::test
