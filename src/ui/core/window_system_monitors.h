// The display layout of a window system backend, offered as the platform's MonitorProvider so
// the window geometry rules (centring, keeping windows on the desktop) read real monitors
// under SDL and the configured ones under the headless backend.
#pragma once

#include "platform/monitors.h"
#include "ui/core/window_system.h"

namespace scalora {

class WindowSystemMonitors final : public MonitorProvider {
public:
    explicit WindowSystemMonitors(const UIWindowSystem& system) : system_(system) {}

    std::vector<Rect> monitorRects() const override;
    // The first display the window system lists is its primary one.
    std::optional<Rect> primaryMonitorRect() const override;
    std::optional<Rect> primaryWorkArea() const override;

private:
    const UIWindowSystem& system_;
};

} // namespace scalora
