#include "app/window_geometry.h"

#include <algorithm>

namespace scalora {
namespace {

// Stored values come from a file the user may have edited: do the sums in 64 bits so that
// extreme values cannot overflow.
std::int32_t centred(std::int32_t areaStart, std::int32_t areaLength, std::int32_t length) {
    const std::int64_t spare = std::int64_t{areaLength} - length;
    if (spare < 0) {
        return areaStart;
    }
    return static_cast<std::int32_t>(areaStart + spare / 2); // truncates toward zero
}

} // namespace

std::optional<WindowGeometry> geometryToSave(const Rect& outerRect,
                                             std::span<const Rect> monitors) {
    Rect box;
    for (const Rect& monitor : monitors) {
        box = box.united(monitor);
    }
    if (!box.contains(outerRect.topLeft())) {
        return std::nullopt;
    }
    return WindowGeometry{outerRect.x, outerRect.y, outerRect.width, outerRect.height};
}

Rect restoredWindowRect(const WindowGeometry& stored, const Rect& workArea, Size minimumSize) {
    // The window cannot be smaller than its minimum, so placement decisions use the size it
    // really gets; a stored size below the minimum (only possible by editing the file) would
    // otherwise put part of the window outside the area, or all of it for a negative size.
    const std::int32_t width = std::max(stored.width, minimumSize.width);
    const std::int32_t height = std::max(stored.height, minimumSize.height);
    const bool inside =
        std::int64_t{workArea.left()} <= stored.left &&
        std::int64_t{workArea.top()} <= stored.top &&
        std::int64_t{workArea.x} + workArea.width >= std::int64_t{stored.left} + width &&
        std::int64_t{workArea.y} + workArea.height >= std::int64_t{stored.top} + height;
    if (inside) {
        return {stored.left, stored.top, width, height};
    }
    return {centred(workArea.x, workArea.width, width),
            centred(workArea.y, workArea.height, height), width, height};
}

} // namespace scalora
