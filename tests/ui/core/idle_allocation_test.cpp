// An idle loop iteration, hover ticks included, allocates nothing: the global allocation
// functions of this test program count their calls (support/allocation_counter).
#include "support/allocation_counter.h"
#include "ui/draw/canvas.h"
#include "ui_test_fixture.h"

namespace scalora::test {
namespace {

class Plain : public UIElement {
public:
    Plain(UIElement* parent, const Rect& geometry) : UIElement(parent) {
        setStyleClass("Plain");
        setFlag(kParentBackground, true);
        setGeometry(geometry);
        show();
    }

protected:
    void paintEvent(UIEvent& e) override { e.canvas->fillRect(e.rect, 0xFF808080); }
};

TEST_F(UITest, IdleIterationsDoNotAllocate) {
    RecordingWindow* w = makeWindow({300, 200});
    auto* a = new Plain(w, {10, 10, 100, 50});
    new Plain(a, {5, 5, 20, 20});
    a->setFlag(kTracksHover, true);
    sys().mouseMove(*w, {20, 20}); // a hover timer runs from now on
    toolkit().processEvents();
    sys().advance(100);

    const long before = allocationCount();
    for (int i = 0; i < 10; ++i) {
        toolkit().iterate(false);
    }
    sys().advance(100); // hover ticks with the pointer still inside
    EXPECT_EQ(allocationCount(), before);
}

} // namespace
} // namespace scalora::test
