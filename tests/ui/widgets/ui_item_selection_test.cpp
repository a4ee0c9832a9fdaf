// The selection model on its own: flags, current item and anchor stay in step with inserts and
// removals, and each mode caps what can be selected.
#include "ui/widgets/ui_item_selection.h"

#include <gmock/gmock.h>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(UIItemSelectionTest, InsertsAndRemovalsKeepFlagsCurrentAndAnchorOnTheirItems) {
    UIItemSelection s;
    s.setMode(UISelectionMode::Multiple);
    s.reset(5);
    ASSERT_TRUE(s.select(1));
    ASSERT_TRUE(s.select(3));
    s.setAnchor(1);
    s.setCurrent(3);

    s.insert(2, 2);
    EXPECT_EQ(s.count(), 7);
    EXPECT_THAT(s.selectedIndexes(), ElementsAre(1, 5));
    EXPECT_EQ(s.anchor(), 1);
    EXPECT_EQ(s.current(), 5);

    // A count below one inserts nothing and moves nothing.
    s.insert(0, -3);
    EXPECT_EQ(s.count(), 7);
    EXPECT_EQ(s.current(), 5);
    EXPECT_EQ(s.anchor(), 1);

    // The removed current item's follower takes its place.
    s.remove(5);
    EXPECT_EQ(s.count(), 6);
    EXPECT_EQ(s.selectedCount(), 1);
    EXPECT_EQ(s.current(), 5);
    // The last one removed, the new last one is current; out-of-range removals do nothing.
    s.remove(5);
    s.remove(6);
    s.remove(-1);
    EXPECT_EQ(s.count(), 5);
    EXPECT_EQ(s.current(), 4);
    s.remove(0);
    EXPECT_EQ(s.anchor(), 0);
    EXPECT_THAT(s.selectedIndexes(), ElementsAre(0));
}

TEST(UIItemSelectionTest, EachModeCapsWhatCanBeSelected) {
    UIItemSelection s;
    s.reset(4);
    s.setMode(UISelectionMode::Multiple);
    EXPECT_TRUE(s.selectAll());
    EXPECT_FALSE(s.selectAll());
    s.setCurrent(2);

    // Leaving multiple mode keeps only the current item.
    s.setMode(UISelectionMode::Single);
    EXPECT_THAT(s.selectedIndexes(), ElementsAre(2));
    EXPECT_TRUE(s.select(0));
    EXPECT_TRUE(s.selectRange(1, 3));
    EXPECT_THAT(s.selectedIndexes(), ElementsAre(3));
    EXPECT_FALSE(s.selectAll());
    EXPECT_FALSE(s.select(9));

    s.setMode(UISelectionMode::None);
    EXPECT_THAT(s.selectedIndexes(), IsEmpty());
    EXPECT_FALSE(s.select(1));
    EXPECT_FALSE(s.toggle(1));
    EXPECT_FALSE(s.selectRange(0, 3));
}

} // namespace
} // namespace scalora::test
