// The display layout as the window system reports it: every monitor's rectangle and the
// primary monitor's full rectangle and work area (without panels and docks). The window system
// backend implements MonitorProvider; tests use FixedMonitorProvider.
#pragma once

#include "base/geometry.h"

#include <optional>
#include <vector>

namespace scalora {

class MonitorProvider {
public:
    virtual ~MonitorProvider() = default;
    // Every monitor in screen coordinates; empty when none is reported.
    virtual std::vector<Rect> monitorRects() const = 0;
    // Nothing when no monitor is reported as primary.
    virtual std::optional<Rect> primaryMonitorRect() const = 0;
    virtual std::optional<Rect> primaryWorkArea() const = 0;
};

// Used when no primary monitor is reported: the smallest desktop the program's windows are
// laid out for (the main window's default 400 x 500 fits with room for a panel).
inline constexpr Rect kFallbackScreenRect{0, 0, 1024, 768};

// The primary work area, else the primary monitor, else the first monitor, else the fallback.
Rect primaryWorkAreaOrFallback(const MonitorProvider& monitors);
// The primary monitor's full rectangle, else the first monitor, else the fallback.
Rect primaryMonitorRectOrFallback(const MonitorProvider& monitors);

// A layout fixed at construction, for tests and headless runs.
class FixedMonitorProvider final : public MonitorProvider {
public:
    FixedMonitorProvider() = default;
    // monitors[primaryIndex] is the primary one; workArea defaults to its full rectangle.
    explicit FixedMonitorProvider(std::vector<Rect> monitors, std::size_t primaryIndex = 0,
                                  std::optional<Rect> workArea = std::nullopt);

    std::vector<Rect> monitorRects() const override { return monitors_; }
    std::optional<Rect> primaryMonitorRect() const override { return primary_; }
    std::optional<Rect> primaryWorkArea() const override { return workArea_; }

private:
    std::vector<Rect> monitors_;
    std::optional<Rect> primary_;
    std::optional<Rect> workArea_;
};

} // namespace scalora
