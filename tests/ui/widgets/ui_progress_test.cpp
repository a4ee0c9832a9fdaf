// UIProgress: the chunk in both orientations, the range and the percentage text.
#include "ui/widgets/ui_progress.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UIProgressTest : public WidgetTest {};

TEST_F(UIProgressTest, TheChunkCoversTheDonePartInBothOrientations) {
    RecordingWindow* w = makeWindow({300, 200});
    auto* across = place(new UIProgress(w), {10, 10, 102, 16});
    auto* upright = place(new UIProgress(w, UIOrientation::Vertical), {150, 10, 16, 102});
    EXPECT_EQ(across->horizontalPolicy(), UISizePolicy::Expanding);
    EXPECT_EQ(upright->verticalPolicy(), UISizePolicy::Expanding);
    EXPECT_EQ(upright->sizeHint().width, 16);
    across->setValue(50);
    upright->setValue(25);
    // Inside the fall-back padding of 1: from the left, and from the bottom.
    EXPECT_EQ(across->chunkRect(), (Rect{1, 1, 50, 14}));
    EXPECT_EQ(upright->chunkRect(), (Rect{1, 76, 14, 25}));
    EXPECT_EQ(upright->text(), "25%");
    across->setValue(250);
    EXPECT_EQ(across->value(), 100);
    EXPECT_EQ(across->chunkRect().width, 100);
    across->setRange(10, 10);
    EXPECT_EQ(across->fraction(), 0.0);
    EXPECT_EQ(across->chunkRect().width, 0);
}

} // namespace
} // namespace scalora::test
