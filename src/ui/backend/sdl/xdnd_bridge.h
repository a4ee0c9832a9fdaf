// Feeds the drop layer from an SDL2 window system on X11. SDL delivers dropped files and
// text but no position; the X11 drag messages it passes through as SDL_SYSWMEVENT (XdndEnter,
// XdndPosition with root coordinates, XdndLeave, XdndDrop) give the drag's enter, moves,
// leave and exact drop point. The bridge turns both into UIDropListener calls, answers the
// drag source with the action the element under the cursor accepts, and delivers the drop
// at the XdndDrop point once SDL has the data.
#pragma once

#include "base/geometry.h"
#include "ui/backend/sdl/sdl_drop_collector.h"

#include <cstdint>
#include <memory>
#include <optional>

union SDL_Event;

namespace scalora {

class SdlWindowSystem;
class UIDragDrop;
class UIWindow;

class XdndBridge {
public:
    // Installs itself as the window system's native event hook and the drag state's feed.
    XdndBridge(SdlWindowSystem& system, UIDragDrop& dragDrop);
    ~XdndBridge();
    XdndBridge(const XdndBridge&) = delete;
    XdndBridge& operator=(const XdndBridge&) = delete;

    // The hook: true when the event was handled here.
    bool handle(const SDL_Event& event);

private:
    struct Atoms;
    bool handleClientMessage(const void* xevent);
    UIWindow* windowForX(unsigned long xwindow, bool* popup) const;
    void replyStatus(const void* xevent, std::uint32_t action);
    void deliverDrop(std::uint32_t sdlWindowId);

    SdlWindowSystem& system_;
    UIDragDrop& dragDrop_;
    std::unique_ptr<Atoms> atoms_;
    // The drag in progress.
    unsigned long target_ = 0;
    UIWindow* window_ = nullptr;
    Point lastPosition_;
    bool fetchable_ = false;         // the source offers files or text
    std::optional<Point> dropPoint_; // set by XdndDrop, used when SDL's data arrives
    unsigned long dropTarget_ = 0;
    // What SDL delivers for the drop.
    SdlDropCollector data_;
};

} // namespace scalora
