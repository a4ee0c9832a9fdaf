// UISpacer: a fixed square gap that the mouse passes through.
#include "ui/core/ui_layout.h"
#include "ui/widgets/ui_spacer.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UISpacerTest : public WidgetTest {};

TEST_F(UISpacerTest, ItKeepsItsSquareSizeInALayout) {
    RecordingWindow* w = makeWindow({200, 100});
    auto* spacer = new UISpacer(w, 12);
    spacer->show();
    RecordingElement* after = makeChild(w, "after", {0, 0, 10, 10});
    auto row = std::make_unique<UIHBoxLayout>();
    row->setContentsMargins({0, 0, 0, 0});
    row->setSpacing(0);
    row->addElement(spacer);
    row->addElement(after);
    w->setLayout(std::move(row));
    EXPECT_EQ(spacer->sizeHint(), (Size{12, 12}));
    EXPECT_EQ(spacer->size(), (Size{12, 12}));
    EXPECT_EQ(after->x(), 12);
    EXPECT_EQ(w->hitTest({5, 50}), w);
    EXPECT_EQ(UISpacer(nullptr, -4).sizeHint(), (Size{0, 0}));
}

} // namespace
} // namespace scalora::test
