// UIExpander: takes the spare room of its layout in both directions.
#include "ui/core/ui_layout.h"
#include "ui/widgets/ui_expander.h"
#include "ui/widgets/ui_spacer.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UIExpanderTest : public WidgetTest {};

TEST_F(UIExpanderTest, ItTakesTheSpareRoom) {
    RecordingWindow* w = makeWindow({200, 100});
    auto* gap = new UISpacer(w, 10);
    auto* expander = new UIExpander(w);
    auto* before = new UISpacer(expander, 4);
    for (UIElement* e : {static_cast<UIElement*>(gap), static_cast<UIElement*>(expander),
                         static_cast<UIElement*>(before)}) {
        e->show();
    }
    auto inner = std::make_unique<UIVBoxLayout>();
    inner->setContentsMargins({0, 0, 0, 0});
    inner->addElement(before);
    expander->setLayout(std::move(inner));
    auto row = std::make_unique<UIHBoxLayout>();
    row->setContentsMargins({0, 0, 0, 0});
    row->setSpacing(0);
    row->addElement(gap);
    row->addElement(expander);
    w->setLayout(std::move(row));
    EXPECT_EQ(expander->geometry(), (Rect{10, 0, 190, 100}));
    EXPECT_EQ(before->geometry(), (Rect{93, 0, 4, 4}));
}

} // namespace
} // namespace scalora::test
