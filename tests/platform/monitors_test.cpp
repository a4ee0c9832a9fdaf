#include "platform/monitors.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TEST(Monitors, PrimaryAreaFallsBackStepByStep) {
    const FixedMonitorProvider twoScreens({{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}}, 1,
                                          Rect{-1280, 32, 1280, 992});
    EXPECT_EQ(primaryWorkAreaOrFallback(twoScreens), (Rect{-1280, 32, 1280, 992}));
    EXPECT_EQ(primaryMonitorRectOrFallback(twoScreens), (Rect{-1280, 0, 1280, 1024}));
    EXPECT_EQ(twoScreens.monitorRects().size(), 2u);

    const FixedMonitorProvider noPanel({{0, 0, 800, 600}});
    EXPECT_EQ(primaryWorkAreaOrFallback(noPanel), (Rect{0, 0, 800, 600}));

    // No monitor reported as primary: the first reported one stands in.
    const FixedMonitorProvider noPrimary({{100, 0, 640, 480}}, 5);
    EXPECT_EQ(noPrimary.primaryWorkArea(), std::nullopt);
    EXPECT_EQ(primaryWorkAreaOrFallback(noPrimary), (Rect{100, 0, 640, 480}));

    const FixedMonitorProvider none;
    EXPECT_EQ(primaryWorkAreaOrFallback(none), kFallbackScreenRect);
    EXPECT_EQ(primaryMonitorRectOrFallback(none), kFallbackScreenRect);

    // An empty work area (a misbehaving backend) is not a place to put windows.
    const FixedMonitorProvider emptyArea({{0, 0, 1024, 768}}, 0, Rect{0, 0, 0, 0});
    EXPECT_EQ(primaryWorkAreaOrFallback(emptyArea), (Rect{0, 0, 1024, 768}));
}

} // namespace
} // namespace scalora
