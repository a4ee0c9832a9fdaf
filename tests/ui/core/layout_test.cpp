// The layout engine: the one-dimensional distribution, boxes, grids, re-layout on resize.
#include "ui/core/ui_layout.h"
#include "ui_test_fixture.h"

#include <gmock/gmock.h>
#include <numeric>
#include <random>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;

class SizedElement : public UIElement {
public:
    SizedElement(UIElement* parent, Size hint, UISizePolicy h = UISizePolicy::Preferred,
                 UISizePolicy v = UISizePolicy::Preferred)
        : UIElement(parent), hint_(hint) {
        setStyleClass("SizedElement");
        setSizePolicy(h, v);
        show();
    }
    Size sizeHint() const override { return hint_; }

private:
    Size hint_;
};

TEST(LayoutDistribution, FillsTheSpaceWithinEveryLimit) {
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::vector<UILayoutSlot> slots(1 + random() % 6);
        std::int64_t minSum = 0;
        std::int64_t maxSum = 0;
        bool unlimited = false;
        for (UILayoutSlot& s : slots) {
            s.minimum = static_cast<std::int32_t>(random() % 30);
            s.hint = s.minimum + static_cast<std::int32_t>(random() % 40);
            s.maximum = random() % 3 == 0 ? 0 : s.hint + static_cast<std::int32_t>(random() % 50);
            s.fixed = random() % 5 == 0;
            s.expanding = random() % 3 == 0;
            s.stretch = random() % 4 == 0 ? static_cast<std::int32_t>(random() % 3) : 0;
            minSum += s.fixed ? s.hint : s.minimum;
            maxSum += s.fixed ? s.hint : s.maximum;
            unlimited = unlimited || (!s.fixed && s.maximum == 0);
        }
        const auto available = static_cast<std::int32_t>(random() % 400);
        const auto sizes = distributeLayoutSpace(slots, available);
        ASSERT_EQ(sizes.size(), slots.size());
        std::int64_t sum = 0;
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const UILayoutSlot& s = slots[i];
            if (s.fixed) {
                ASSERT_EQ(sizes[i], s.hint);
            }
            ASSERT_GE(sizes[i], s.fixed ? s.hint : s.minimum);
            if (s.maximum > 0) {
                ASSERT_LE(sizes[i], std::max(s.maximum, s.minimum));
            }
            sum += sizes[i];
        }
        if (available >= minSum && (unlimited || available <= maxSum)) {
            ASSERT_EQ(sum, available) << "round " << round;
        }
    }
}

TEST(LayoutDistribution, SpareRoomGoesToStretchThenExpandingThenPreferred) {
    const std::vector<UILayoutSlot> slots{{.hint = 10},
                                          {.hint = 10, .expanding = true},
                                          {.hint = 10, .stretch = 2},
                                          {.hint = 10, .stretch = 1},
                                          {.hint = 10, .fixed = true}};
    EXPECT_THAT(distributeLayoutSpace(slots, 80), ElementsAre(10, 10, 30, 20, 10));
    const std::vector<UILayoutSlot> noStretch{{.hint = 10}, {.hint = 10, .expanding = true}};
    EXPECT_THAT(distributeLayoutSpace(noStretch, 50), ElementsAre(10, 40));
    const std::vector<UILayoutSlot> preferred{{.hint = 10}, {.hint = 10, .maximum = 15}};
    EXPECT_THAT(distributeLayoutSpace(preferred, 50), ElementsAre(35, 15));
    // A shortage comes from the slots in proportion to what they can give.
    const std::vector<UILayoutSlot> shrink{
        {.hint = 30, .minimum = 10}, {.hint = 20, .minimum = 20}, {.hint = 50, .minimum = 10}};
    EXPECT_THAT(distributeLayoutSpace(shrink, 70), ElementsAre(20, 20, 30));
}

TEST_F(UITest, HorizontalBoxPlacesItemsWithMarginsSpacingAndExpanders) {
    RecordingWindow* w = makeWindow({300, 60});
    auto* fixed = new SizedElement(w, {40, 20}, UISizePolicy::Fixed, UISizePolicy::Fixed);
    auto* grow = new SizedElement(w, {50, 20}, UISizePolicy::Expanding);
    auto* plain = new SizedElement(w, {30, 20});
    auto* hiddenOne = new SizedElement(w, {30, 20});
    hiddenOne->hide();
    auto box = std::make_unique<UIHBoxLayout>();
    box->setContentsMargins({5, 5, 5, 5});
    box->setSpacing(4);
    box->addElement(fixed);
    box->addSpacing(10);
    box->addElement(grow);
    box->addElement(hiddenOne);
    box->addElement(plain);
    UIBoxLayout* layout = box.get();
    w->setLayout(std::move(box));
    // 300 - 10 margins - 10 spacing - 2 gaps of 4 = 272 for 40 + 50 + 30 = 120 of hints.
    EXPECT_EQ(fixed->geometry(), (Rect{5, 20, 40, 20}));
    EXPECT_EQ(grow->geometry(), (Rect{59, 5, 202, 50}));
    EXPECT_EQ(plain->geometry(), (Rect{265, 5, 30, 50}));
    EXPECT_EQ(layout->sizeHint(), (Size{40 + 10 + 50 + 30 + 8 + 10, 20 + 10}));

    // Resizing the window lays it out again; showing an element gives it room.
    sys().resizeWindow(*w, {400, 60});
    EXPECT_EQ(grow->geometry().width, 302);
    hiddenOne->show();
    EXPECT_EQ(hiddenOne->geometry().width, 30);
    EXPECT_EQ(grow->geometry().width, 302 - 34);
}

TEST_F(UITest, VerticalBoxWithStretchAndLimitsUsesTheStyleMetricsByDefault) {
    toolkit().setMetricProvider([](StyleMetric metric) {
        switch (metric) {
        case StyleMetric::LayoutLeftMargin:
            return 1;
        case StyleMetric::LayoutTopMargin:
            return 2;
        case StyleMetric::LayoutRightMargin:
            return 3;
        case StyleMetric::LayoutBottomMargin:
            return 4;
        case StyleMetric::LayoutHorizontalSpacing:
            return 99; // not used by a vertical box
        case StyleMetric::LayoutVerticalSpacing:
            return 6;
        default:
            return 0;
        }
    });
    RecordingWindow* w = makeWindow({100, 200});
    auto* top = new SizedElement(w, {20, 30});
    auto* capped = new SizedElement(w, {20, 30});
    capped->setMaximumSize({50, 40});
    auto box = std::make_unique<UIVBoxLayout>();
    box->addElement(top);
    box->addStretch();
    box->addElement(capped);
    w->setLayout(std::move(box));
    EXPECT_EQ(top->geometry(), (Rect{1, 2, 96, 30}));
    // The stretch takes the spare room: the capped element sits at the bottom, centred.
    EXPECT_EQ(capped->geometry(), (Rect{1 + (96 - 50) / 2, 200 - 4 - 30, 50, 30}));
}

TEST_F(UITest, GridGivesColumnsTheirWidestHintAndStretchesTheChosenOnes) {
    RecordingWindow* w = makeWindow({200, 100});
    auto* label1 = new SizedElement(w, {40, 20}, UISizePolicy::Fixed, UISizePolicy::Fixed);
    auto* label2 = new SizedElement(w, {60, 20}, UISizePolicy::Fixed, UISizePolicy::Fixed);
    auto* field1 = new SizedElement(w, {50, 20});
    auto* field2 = new SizedElement(w, {50, 20});
    auto* wide = new SizedElement(w, {10, 10});
    auto grid = std::make_unique<UIGridLayout>();
    grid->setContentsMargins({0, 0, 0, 0});
    grid->setSpacing(10);
    grid->addElement(label1, 0, 0);
    grid->addElement(field1, 0, 1);
    grid->addElement(label2, 1, 0);
    grid->addElement(field2, 1, 1);
    grid->addElement(wide, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    w->setLayout(std::move(grid));
    EXPECT_EQ(label1->geometry(), (Rect{10, 0, 40, 20})); // centred in the 60 px column
    EXPECT_EQ(label2->geometry(), (Rect{0, 30, 60, 20}));
    EXPECT_EQ(field1->geometry(), (Rect{70, 0, 130, 20}));
    EXPECT_EQ(field2->geometry(), (Rect{70, 30, 130, 20}));
    EXPECT_EQ(wide->geometry(), (Rect{0, 60, 200, 40}));
}

} // namespace
} // namespace scalora::test
