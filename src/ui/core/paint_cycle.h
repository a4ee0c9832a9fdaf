// The paint cycle of one window, the same on every backend: the window paints its background
// into the window canvas, then every visible element that meets the dirty area, parents before
// children, paints into its own canvas (first filled with the window pixels behind it when it
// has ParentBackground) which is then copied into the window canvas, clipped to its ancestors;
// finally the dirty part of the window canvas is presented.
#pragma once

#include "base/geometry.h"

namespace scalora {

class UIElement;
class UIWindow;

class UIPaintCycle {
public:
    // Paints the window's dirty area (if any) and presents it. Returns whether it painted.
    bool paint(UIWindow& window);
    // Paints the whole window whatever its dirty area (benchmarks, snapshots).
    void paintAll(UIWindow& window);

private:
    // clip: the part of the window the element may cover (dirty area cut by the ancestors);
    // parentOrigin: the parent's top-left in window coordinates.
    void paintElement(UIWindow& window, UIElement& element, const Rect& clip, Point parentOrigin);
};

} // namespace scalora
