#include "platform/monitors.h"

namespace scalora {

Rect primaryWorkAreaOrFallback(const MonitorProvider& monitors) {
    if (const std::optional<Rect> area = monitors.primaryWorkArea(); area && !area->isEmpty()) {
        return *area;
    }
    return primaryMonitorRectOrFallback(monitors);
}

Rect primaryMonitorRectOrFallback(const MonitorProvider& monitors) {
    if (const std::optional<Rect> primary = monitors.primaryMonitorRect();
        primary && !primary->isEmpty()) {
        return *primary;
    }
    for (const Rect& monitor : monitors.monitorRects()) {
        if (!monitor.isEmpty()) {
            return monitor;
        }
    }
    return kFallbackScreenRect;
}

FixedMonitorProvider::FixedMonitorProvider(std::vector<Rect> monitors, std::size_t primaryIndex,
                                           std::optional<Rect> workArea)
    : monitors_(std::move(monitors)) {
    if (primaryIndex < monitors_.size()) {
        primary_ = monitors_[primaryIndex];
        workArea_ = workArea ? workArea : primary_;
    }
}

} // namespace scalora
