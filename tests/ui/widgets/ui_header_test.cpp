// The header: a click on a section emits its index, a drag of a section's edge resizes the
// column with the resize cursor and stops at the column's minimum width.
#include "ui/widgets/ui_header.h"
#include "widget_test_support.h"

#include <gmock/gmock.h>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;

class UIHeaderTest : public UITest {
protected:
    UIHeaderTest() {
        w = makeWindow({400, 100});
        header = placeWidget<UIHeader>(w, Rect{0, 0, 400, 24});
        header->addSection("Status", 60, 40);
        header->addSection("Name", 120, 50);
        header->addSection("Path", 150, 30);
        header->sectionClicked.connect([this](std::int32_t i) { clicked.push_back(i); });
        toolkit().processEvents();
    }
    RecordingWindow* w;
    UIHeader* header;
    std::vector<std::int32_t> clicked;
};

TEST_F(UIHeaderTest, ClickOnASectionEmitsItsIndexOnlyWhenReleasedOnIt) {
    sys().click(*w, {100, 12});
    sys().click(*w, {20, 12});
    sys().mousePress(*w, {100, 12});
    sys().mouseMove(*w, {250, 12});
    sys().mouseRelease(*w, {250, 12});
    EXPECT_THAT(clicked, ElementsAre(1, 0));
}

TEST_F(UIHeaderTest, DraggingAnEdgeResizesAndStopsAtTheMinimum) {
    // The cursor over an edge shows the split cursor: both ways when the column can grow
    // and shrink, one way when it cannot.
    sys().mouseMove(*w, {61, 12});
    EXPECT_EQ(header->cursorId(), CursorId::SplitLeftRight);
    sys().mouseMove(*w, {40, 12});
    EXPECT_EQ(header->cursorId(), CursorId::Inherit);
    header->setSectionWidth(1, 50);
    header->addSection("Fixed", 80, 80, 80);
    const std::int32_t fixedEdge = header->sectionPosition(3) + 80;
    sys().mouseMove(*w, {fixedEdge, 12});
    EXPECT_EQ(header->cursorId(), CursorId::SplitRight);

    std::vector<std::int32_t> widths;
    header->sectionResized.connect([&](std::int32_t i, std::int32_t width) {
        if (i == 0) {
            widths.push_back(width);
        }
    });
    sys().mousePress(*w, {60, 12});
    sys().mouseMove(*w, {100, 12});
    EXPECT_EQ(header->section(0).width, 100 - 0 + 2);
    sys().mouseMove(*w, {10, 12});
    EXPECT_EQ(header->section(0).width, 40);
    sys().mouseMove(*w, {-50, 12});
    EXPECT_EQ(header->section(0).width, 40);
    sys().mouseRelease(*w, {-50, 12});
    EXPECT_THAT(widths, ElementsAre(102, 40));
    EXPECT_TRUE(clicked.empty()); // a resize is no click
    EXPECT_EQ(header->sectionPosition(1), 40);
}

} // namespace
} // namespace scalora::test
