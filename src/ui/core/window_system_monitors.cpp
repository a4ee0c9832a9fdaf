#include "ui/core/window_system_monitors.h"

namespace scalora {

std::vector<Rect> WindowSystemMonitors::monitorRects() const {
    std::vector<Rect> rects;
    for (const UIDisplayInfo& d : system_.displays()) {
        rects.push_back(d.bounds);
    }
    return rects;
}

std::optional<Rect> WindowSystemMonitors::primaryMonitorRect() const {
    const std::vector<UIDisplayInfo> displays = system_.displays();
    if (displays.empty() || displays.front().bounds.isEmpty()) {
        return std::nullopt;
    }
    return displays.front().bounds;
}

std::optional<Rect> WindowSystemMonitors::primaryWorkArea() const {
    const std::vector<UIDisplayInfo> displays = system_.displays();
    if (displays.empty() || displays.front().workArea.isEmpty()) {
        return std::nullopt;
    }
    return displays.front().workArea;
}

} // namespace scalora
