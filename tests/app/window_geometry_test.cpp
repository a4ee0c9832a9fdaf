#include "app/window_geometry.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace scalora {
namespace {

const Size kMinimum{300, 350};

TEST(WindowGeometry, SavesOnlyWhenTheTopLeftIsOnSomeMonitorBox) {
    // Two monitors side by side with different heights: the box is their bounding rectangle.
    const std::vector<Rect> monitors{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    EXPECT_EQ(geometryToSave({100, 50, 400, 500}, monitors), (WindowGeometry{100, 50, 400, 500}));
    EXPECT_EQ(geometryToSave({0, 0, 400, 500}, monitors), (WindowGeometry{0, 0, 400, 500}));
    EXPECT_EQ(geometryToSave({3199, 1079, 400, 500}, monitors),
              (WindowGeometry{3199, 1079, 400, 500})); // last pixel of the box
    // Below the shorter monitor but inside the box still counts.
    EXPECT_EQ(geometryToSave({2000, 1050, 400, 500}, monitors),
              (WindowGeometry{2000, 1050, 400, 500}));
    // Outside the box: keep the old values.
    EXPECT_EQ(geometryToSave({3200, 10, 400, 500}, monitors), std::nullopt);
    EXPECT_EQ(geometryToSave({10, 1080, 400, 500}, monitors), std::nullopt);
    EXPECT_EQ(geometryToSave({-1, 10, 400, 500}, monitors), std::nullopt);
    EXPECT_EQ(geometryToSave({-32000, -32000, 160, 28}, monitors), std::nullopt);
    // A window partly off-screen to the left is saved when its corner is on a monitor to the left.
    const std::vector<Rect> leftMonitor{{-1280, 0, 1280, 1024}, {0, 0, 1920, 1080}};
    EXPECT_EQ(geometryToSave({-1000, 20, 400, 500}, leftMonitor),
              (WindowGeometry{-1000, 20, 400, 500}));
    // No monitors reported: nothing is saved.
    EXPECT_EQ(geometryToSave({10, 10, 400, 500}, {}), std::nullopt);
}

TEST(WindowGeometry, StoredRectInsideTheWorkAreaIsUsedAsItIs) {
    const Rect area{0, 30, 1280, 770}; // a panel on top
    EXPECT_EQ(restoredWindowRect({100, 200, 640, 480}, area, kMinimum), (Rect{100, 200, 640, 480}));
    // Touching every edge is still inside.
    EXPECT_EQ(restoredWindowRect({0, 30, 1280, 770}, area, kMinimum), (Rect{0, 30, 1280, 770}));
}

TEST(WindowGeometry, OtherwiseTheWindowIsCentredWithTruncatingDivision) {
    const Rect area{0, 30, 1280, 770};
    // Defaults (-1, -1) lie outside, so a first run is centred: (1280-400)/2, 30+(770-500)/2.
    EXPECT_EQ(restoredWindowRect({}, area, kMinimum), (Rect{440, 165, 400, 500}));
    // One pixel past the right or bottom edge.
    EXPECT_EQ(restoredWindowRect({881, 100, 400, 500}, area, kMinimum), (Rect{440, 165, 400, 500}));
    EXPECT_EQ(restoredWindowRect({100, 301, 400, 500}, area, kMinimum), (Rect{440, 165, 400, 500}));
    // Above the work area (under the panel).
    EXPECT_EQ(restoredWindowRect({100, 29, 400, 500}, area, kMinimum), (Rect{440, 165, 400, 500}));
    // Odd spare space: (1280-401)/2 = 439.5 truncates to 439; (770-501)/2 = 134.5 to 134.
    EXPECT_EQ(restoredWindowRect({-5, -5, 401, 501}, area, kMinimum), (Rect{439, 164, 401, 501}));
    // A work area that does not start at the origin (primary monitor on the right).
    EXPECT_EQ(restoredWindowRect({0, 0, 400, 500}, {1920, 0, 1024, 768}, kMinimum),
              (Rect{2232, 134, 400, 500}));
}

TEST(WindowGeometry, WindowsLargerThanTheAreaAlignToItsLeftOrTop) {
    const Rect area{10, 20, 1024, 700};
    // Wider only: left edge, vertically centred.
    EXPECT_EQ(restoredWindowRect({0, 0, 1500, 500}, area, kMinimum), (Rect{10, 120, 1500, 500}));
    // Taller only: horizontally centred, top edge.
    EXPECT_EQ(restoredWindowRect({0, 0, 400, 900}, area, kMinimum), (Rect{322, 20, 400, 900}));
    // Both.
    EXPECT_EQ(restoredWindowRect({50, 50, 2000, 2000}, area, kMinimum), (Rect{10, 20, 2000, 2000}));
}

TEST(WindowGeometry, SizeIsAtLeastTheMinimumAndPlacementUsesTheRealSize) {
    const Rect area{0, 0, 1000, 800};
    EXPECT_EQ(restoredWindowRect({100, 100, 50, 60}, area, kMinimum), (Rect{100, 100, 300, 350}));
    // A stored size below the minimum near the right edge: with the real size it would stick
    // out, so it is centred instead.
    EXPECT_EQ(restoredWindowRect({900, 100, 50, 60}, area, kMinimum), (Rect{350, 225, 300, 350}));
    // A negative stored width (edited file) must not push the window off the area.
    EXPECT_EQ(restoredWindowRect({-1, -1, -5000, 500}, area, kMinimum), (Rect{350, 150, 300, 500}));
}

TEST(WindowGeometry, ExtremeStoredValuesDoNotOverflow) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const Rect area{0, 0, 1280, 800};
    EXPECT_EQ(restoredWindowRect({kMax - 10, kMax - 10, 400, 500}, area, kMinimum),
              (Rect{440, 150, 400, 500}));
    EXPECT_EQ(restoredWindowRect({kMin, kMin, 400, 500}, area, kMinimum),
              (Rect{440, 150, 400, 500}));
    EXPECT_EQ(restoredWindowRect({0, 0, kMax, kMax}, area, kMinimum), (Rect{0, 0, kMax, kMax}));
}

} // namespace
} // namespace scalora
