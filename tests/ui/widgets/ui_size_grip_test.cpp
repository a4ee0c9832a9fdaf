// UISizeGrip: dragging resizes the window by the pointer's travel, with the thresholds and
// the rule for negative sizes.
#include "ui/widgets/ui_size_grip.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UISizeGripTest : public WidgetTest {};

TEST_F(UISizeGripTest, DraggingResizesTheWindowByThePointersTravel) {
    RecordingWindow* w = makeWindow({300, 200});
    auto* grip = place(new UISizeGrip(w), {288, 188, 12, 12});
    sys().mousePress(*w, {294, 194});
    EXPECT_TRUE(grip->isDragging());
    sys().mouseMove(*w, {334, 224});
    EXPECT_EQ(w->size(), (Size{340, 230}));
    // Less than 2 pixels of travel in both directions is skipped.
    sys().mouseMove(*w, {335, 225});
    EXPECT_EQ(w->size(), (Size{340, 230}));
    sys().mouseMove(*w, {336, 225});
    EXPECT_EQ(w->size(), (Size{342, 231}));
    // A negative width keeps the current one.
    sys().mouseMove(*w, {-500, 180});
    EXPECT_EQ(w->size(), (Size{342, 186}));
    sys().mouseRelease(*w, {-500, 180});
    EXPECT_FALSE(grip->isDragging());
    sys().mouseMove(*w, {100, 100});
    EXPECT_EQ(w->size(), (Size{342, 186}));
}

} // namespace
} // namespace scalora::test
