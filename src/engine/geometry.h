// Target-size arithmetic of a resize: the seven modes, the rounding rules, do-not-enlarge, and
// where the scaled image sits on the canvas. Pure functions, shared by the disk estimate before
// a run and the per-image task during it, so both always agree.
#pragma once

#include "base/geometry.h"

#include <algorithm>
#include <cstdint>

namespace scalora {

// The numbers are the indexes the mode list shows them in and the settings store.
enum class ResizeMode : std::int32_t {
    WidthHeight = 0,
    Width = 1,                  // keeps proportions
    Height = 2,                 // keeps proportions
    Fit = 3,                    // into a box, keeping proportions
    Percentage = 4,             // of the source's width and height
    Desktop = 5,                // the primary monitor's size
    DesktopKeepProportions = 6, // fitted into the primary monitor, on a canvas of its size
};
inline constexpr std::int32_t kResizeModeCount = 7;

// The mode a stored or listed index stands for: an index below the first reads as the first
// mode, one beyond the last as the last.
constexpr ResizeMode resizeModeFromIndex(std::int32_t index) {
    return static_cast<ResizeMode>(std::clamp(index, 0, kResizeModeCount - 1));
}
constexpr std::int32_t resizeModeIndex(ResizeMode mode) {
    return static_cast<std::int32_t>(mode);
}

// Width and height values a run accepts (pixels, or percent in mode 4); larger ones are reduced
// to the maximum.
inline constexpr std::int32_t kMinSizeValue = 1;
inline constexpr std::int32_t kMaxSizeValue = 10000;

// Rounds halves away from zero: 2.5 -> 3, -2.5 -> -3.
std::int32_t roundHalfAway(double x);
// Proportional sizes. The ratio is computed in double precision and stored as a float before
// rounding, which decides a few borderline pixels. Any non-positive input gives (0, 0).
Size scaledToWidth(Size source, std::int32_t width);
Size scaledToHeight(Size source, std::int32_t height);
// Fits into box by width first, then by height from that intermediate size (two roundings).
Size scaledToFit(Size source, Size box);

struct TargetSizeInput {
    Size source; // as measured; (0, 0) when it could not be read
    ResizeMode mode = ResizeMode::WidthHeight;
    std::int32_t widthValue = 0;  // pixels, or percent in mode 4
    std::int32_t heightValue = 0; // pixels, or percent in mode 4
    Size desktopSize;             // full rectangle of the primary monitor
    bool doNotEnlarge = false;
};

// A width or height below 1 in the result means the image cannot be resized.
Size computeTargetSize(const TargetSizeInput& input);
// The written bitmap: the target, except in mode 6 where it is the desktop.
Size canvasSize(ResizeMode mode, Size target, Size desktopSize);
// Top-left of the image on the canvas: centred (truncating), aligned to 0 in a dimension where
// the target is larger than the canvas, (0, 0) when the sizes are equal.
Point placementOnCanvas(Size canvas, Size target);

} // namespace scalora
