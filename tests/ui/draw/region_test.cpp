#include "ui/draw/region.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(Region, UnionStaysDisjointAndIntersectionCuts) {
    Region r(Rect{0, 0, 10, 10});
    r.unite(Rect{5, 5, 10, 10});
    EXPECT_EQ(r.area(), 175); // 100 + 100 - 25 overlap counted once
    EXPECT_EQ(r.boundingBox(), (Rect{0, 0, 15, 15}));
    EXPECT_TRUE(r.contains({14, 14}));
    EXPECT_FALSE(r.contains({14, 0}));
    r.unite(Rect{2, 2, 3, 3}); // already covered
    EXPECT_EQ(r.area(), 175);

    Region other(Rect{8, 0, 20, 20});
    r.intersect(other);
    EXPECT_EQ(r.area(), 2 * 10 + 7 * 10 - 2 * 5); // columns 8..9 of the first, 8..14 of the second
    r.intersect(Rect{100, 100, 1, 1});
    EXPECT_TRUE(r.isEmpty());
    EXPECT_TRUE(r.boundingBox().isEmpty());

    Region hole(Rect{0, 0, 9, 9});
    hole.subtract({3, 3, 3, 3});
    EXPECT_EQ(hole.area(), 72);
    EXPECT_FALSE(hole.contains({4, 4}));
    hole.translate(10, 0);
    EXPECT_TRUE(hole.contains({10, 0}));
    EXPECT_TRUE(Region(Rect{0, 0, 0, 5}).isEmpty());
}

} // namespace
} // namespace scalora
