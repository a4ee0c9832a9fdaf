// UIGroup: folding a collapsible group by its title row and by keys, and the room it takes.
#include "ui/core/ui_layout.h"
#include "ui/widgets/ui_group.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UIGroupTest : public WidgetTest {};

TEST_F(UIGroupTest, ACollapsibleGroupFoldsToItsTitleRow) {
    RecordingWindow* w = makeWindow({300, 300});
    auto* group = new UIGroup(w, "Output");
    RecordingElement* inside = makeChild(group, "inside", {0, 0, 10, 10});
    auto layout = std::make_unique<UIVBoxLayout>();
    layout->addElement(inside);
    group->setLayout(std::move(layout));
    place(group, {10, 10, 200, 150});
    std::vector<bool> seen;
    group->collapsedChanged().connect([&](bool folded) { seen.push_back(folded); });
    const Size open = group->sizeHint();
    // Not collapsible: a click on the title does nothing and the group takes no focus.
    sys().click(*w, {30, 15});
    EXPECT_FALSE(group->isCollapsed());
    EXPECT_FALSE(group->isTabFocusable());

    group->setCollapsible(true);
    sys().click(*w, {30, 15});
    EXPECT_TRUE(group->isCollapsed());
    EXPECT_FALSE(inside->isVisible());
    EXPECT_EQ(group->sizeHint().height, group->titleRowRect().height);
    EXPECT_LT(group->sizeHint().height, open.height);
    // A click in the frame below the title does not fold; keys do.
    group->setCollapsed(false);
    EXPECT_TRUE(inside->isVisible());
    sys().click(*w, {30, 100});
    EXPECT_FALSE(group->isCollapsed());
    group->setFocus();
    sys().keyPress(*w, vk::kSpace);
    EXPECT_TRUE(group->isCollapsed());
    sys().keyPress(*w, vk::kReturn);
    EXPECT_FALSE(group->isCollapsed());
    EXPECT_EQ(seen, (std::vector<bool>{true, true, false}));
}

TEST_F(UIGroupTest, TheIndicatorFollowsTheMouseOverTheTitleRow) {
    RecordingWindow* w = makeWindow({300, 300});
    auto* group = place(new UIGroup(w, "Output"), {10, 10, 200, 150});
    group->setCollapsible(true);
    sys().mouseMove(*w, {30, 15});
    EXPECT_EQ(group->indicatorState(), SkinState::Hovered);
    sys().mousePress(*w, {30, 15});
    EXPECT_EQ(group->indicatorState(), SkinState::Pressed);
    sys().mouseMove(*w, {30, 100});
    EXPECT_EQ(group->indicatorState(), SkinState::Hovered);
    sys().mouseRelease(*w, {30, 100});
    EXPECT_EQ(group->indicatorState(), SkinState::Normal);
    EXPECT_FALSE(group->isCollapsed());
}

} // namespace
} // namespace scalora::test
