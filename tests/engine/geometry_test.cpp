#include "engine/geometry.h"

#include <gtest/gtest.h>

namespace scalora {
namespace {

TargetSizeInput input(Size source, ResizeMode mode, std::int32_t w = 0, std::int32_t h = 0,
                      bool doNotEnlarge = false, Size desktop = {1920, 1080}) {
    return {source, mode, w, h, desktop, doNotEnlarge};
}

TEST(Geometry, RoundingIsHalfAwayFromZero) {
    EXPECT_EQ(roundHalfAway(2.5), 3);
    EXPECT_EQ(roundHalfAway(-2.5), -3);
    EXPECT_EQ(roundHalfAway(2.49), 2);
    EXPECT_EQ(roundHalfAway(0.0), 0);
    // 3 x 2 to width 5: 3.333 rounds down; to height 5: 7.5 rounds up.
    EXPECT_EQ(scaledToWidth({3, 2}, 5), (Size{5, 3}));
    EXPECT_EQ(scaledToHeight({3, 2}, 5), (Size{8, 5}));
    EXPECT_EQ(scaledToWidth({0, 2}, 5), (Size{}));
    EXPECT_EQ(scaledToHeight({3, 2}, -1), (Size{}));
}

TEST(Geometry, FitRoundsTwiceThroughTheIntermediateSize) {
    EXPECT_EQ(scaledToFit({3, 8}, {100, 100}), (Size{37, 100})); // direct would give 38
    EXPECT_EQ(scaledToFit({1000, 3000}, {100, 100}), (Size{33, 100}));
    EXPECT_EQ(scaledToFit({1920, 1080}, {1280, 1024}), (Size{1280, 720}));
    EXPECT_EQ(scaledToFit({1080, 1920}, {1280, 1024}), (Size{576, 1024}));
    EXPECT_EQ(scaledToFit({10, 10}, {0, 5}), (Size{}));
}

TEST(Geometry, ModesAndTheOnePixelMinimum) {
    EXPECT_EQ(computeTargetSize(input({1, 1}, ResizeMode::Width, 100, 1)), (Size{100, 100}));
    EXPECT_EQ(computeTargetSize(input({1, 1}, ResizeMode::Width, 100, 1, true)), (Size{1, 1}));
    EXPECT_EQ(computeTargetSize(input({1000, 1}, ResizeMode::Width, 100, 1)), (Size{100, 1}));
    EXPECT_EQ(computeTargetSize(input({800, 600}, ResizeMode::WidthHeight, 640, 10)),
              (Size{640, 10}));
    EXPECT_EQ(computeTargetSize(input({800, 600}, ResizeMode::Height, 1, 300)), (Size{400, 300}));
    EXPECT_EQ(computeTargetSize(input({50, 50}, ResizeMode::Percentage, 1, 1)), (Size{1, 1}));
    EXPECT_EQ(computeTargetSize(input({333, 333}, ResizeMode::Percentage, 150, 150)),
              (Size{499, 499}));
    EXPECT_EQ(computeTargetSize(input({640, 480}, ResizeMode::Desktop)), (Size{1920, 1080}));
    EXPECT_EQ(computeTargetSize(input({1000, 1000}, ResizeMode::DesktopKeepProportions)),
              (Size{1080, 1080}));
    // Impossible inputs end in a zero dimension.
    EXPECT_EQ(computeTargetSize(input({0, 600}, ResizeMode::WidthHeight, 10, 10)), (Size{}));
    EXPECT_EQ(computeTargetSize(input({800, 0}, ResizeMode::Desktop)), (Size{}));
    EXPECT_EQ(computeTargetSize(input({800, 600}, static_cast<ResizeMode>(7), 10, 10)), (Size{}));
    EXPECT_EQ(computeTargetSize(input({800, 600}, ResizeMode::Desktop, 0, 0, false, {})), (Size{}));
}

TEST(Geometry, DoNotEnlargeAppliesToTheWholeSize) {
    EXPECT_EQ(computeTargetSize(input({800, 600}, ResizeMode::WidthHeight, 800, 100, true)),
              (Size{800, 600}));
    EXPECT_EQ(computeTargetSize(input({800, 600}, ResizeMode::WidthHeight, 400, 600, true)),
              (Size{800, 600}));
    EXPECT_EQ(computeTargetSize(input({800, 600}, ResizeMode::WidthHeight, 400, 300, true)),
              (Size{400, 300}));
    // Smaller than the monitor: unscaled, centred on the desktop canvas.
    const Size small =
        computeTargetSize(input({640, 480}, ResizeMode::DesktopKeepProportions, 0, 0, true));
    EXPECT_EQ(small, (Size{640, 480}));
    EXPECT_EQ(placementOnCanvas(canvasSize(ResizeMode::DesktopKeepProportions, small, {1920, 1080}),
                                small),
              (Point{640, 300}));
    // Fits to 1920 x 100, not smaller in height, so the source size wins and is left-aligned.
    const Size wide =
        computeTargetSize(input({1922, 100}, ResizeMode::DesktopKeepProportions, 0, 0, true));
    EXPECT_EQ(wide, (Size{1922, 100}));
    EXPECT_EQ(placementOnCanvas({1920, 1080}, wide), (Point{0, 490}));
}

TEST(Geometry, CanvasAndPlacement) {
    EXPECT_EQ(canvasSize(ResizeMode::Fit, {100, 50}, {1920, 1080}), (Size{100, 50}));
    EXPECT_EQ(canvasSize(ResizeMode::DesktopKeepProportions, {1080, 1080}, {1920, 1080}),
              (Size{1920, 1080}));
    EXPECT_EQ(placementOnCanvas({1920, 1080}, {1080, 1080}), (Point{420, 0}));
    EXPECT_EQ(placementOnCanvas({100, 50}, {100, 50}), (Point{0, 0}));
    EXPECT_EQ(placementOnCanvas({101, 51}, {100, 50}), (Point{0, 0})); // 1/2 truncates
    EXPECT_EQ(placementOnCanvas({10, 10}, {20, 4}), (Point{0, 3}));
}

} // namespace
} // namespace scalora
