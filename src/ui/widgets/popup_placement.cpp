#include "ui/widgets/popup_placement.h"

#include "platform/monitors.h"
#include "ui/core/ui_toolkit.h"

#include <algorithm>

namespace scalora {

Rect workAreaAt(Point screenPoint) {
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr) {
        return kFallbackScreenRect;
    }
    const std::vector<UIDisplayInfo> displays = tk->windowSystem().displays();
    auto areaOf = [](const UIDisplayInfo& d) {
        return d.workArea.isEmpty() ? d.bounds : d.workArea;
    };
    for (const UIDisplayInfo& d : displays) {
        if (d.bounds.contains(screenPoint) && !areaOf(d).isEmpty()) {
            return areaOf(d);
        }
    }
    if (!displays.empty() && !areaOf(displays.front()).isEmpty()) {
        return areaOf(displays.front());
    }
    return kFallbackScreenRect;
}

Rect keepInside(const Rect& popup, const Rect& workArea, std::int32_t padding) {
    padding = std::max(padding, 0);
    Rect r = popup;
    // Right and bottom first, so that a popup wider than the area ends at the left edge.
    r.x = std::min(r.x, workArea.right() - padding - r.width);
    r.y = std::min(r.y, workArea.bottom() - padding - r.height);
    r.x = std::max(r.x, workArea.x + padding);
    r.y = std::max(r.y, workArea.y + padding);
    return r;
}

Rect placePopup(Size size, Point at, const Rect& anchor, PopupAnchor kind, const Rect& workArea,
                std::int32_t padding) {
    Rect r{at.x, at.y, size.width, size.height};
    const std::int32_t bottomLimit = workArea.bottom() - padding;
    const std::int32_t rightLimit = workArea.right() - padding;
    switch (kind) {
    case PopupAnchor::Point:
        if (r.bottom() > bottomLimit && at.y - size.height >= workArea.y + padding) {
            r.y = at.y - size.height;
        }
        break;
    case PopupAnchor::Below:
        if (r.bottom() > bottomLimit && anchor.y - size.height >= workArea.y + padding) {
            r.y = anchor.y - size.height;
        }
        break;
    case PopupAnchor::SideOf:
        if (r.right() > rightLimit && anchor.x - size.width >= workArea.x + padding) {
            r.x = anchor.x - size.width;
        }
        break;
    }
    return keepInside(r, workArea, padding);
}

} // namespace scalora
