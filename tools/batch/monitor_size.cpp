#include "tools/batch/monitor_size.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <memory>
#include <vector>

namespace scalora {
namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ResourcesFree {
    void operator()(XRRScreenResources* resources) const { XRRFreeScreenResources(resources); }
};
struct OutputFree {
    void operator()(XRROutputInfo* info) const { XRRFreeOutputInfo(info); }
};
struct CrtcFree {
    void operator()(XRRCrtcInfo* info) const { XRRFreeCrtcInfo(info); }
};

// The size shown by one output, when it is connected and lit.
std::optional<Size> outputSize(Display* display, XRRScreenResources* resources, RROutput output) {
    const std::unique_ptr<XRROutputInfo, OutputFree> info(
        XRRGetOutputInfo(display, resources, output));
    if (!info || info->connection != RR_Connected || info->crtc == 0) {
        return std::nullopt;
    }
    const std::unique_ptr<XRRCrtcInfo, CrtcFree> crtc(
        XRRGetCrtcInfo(display, resources, info->crtc));
    if (!crtc || crtc->width == 0 || crtc->height == 0) {
        return std::nullopt;
    }
    return Size{static_cast<std::int32_t>(crtc->width), static_cast<std::int32_t>(crtc->height)};
}

// A monitor query must never end the program: Xlib's own handler exits on any error reply.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

std::optional<Size> randrMonitorSize(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase)) {
        return std::nullopt;
    }
    const Window root = DefaultRootWindow(display);
    const std::unique_ptr<XRRScreenResources, ResourcesFree> resources(
        XRRGetScreenResourcesCurrent(display, root));
    if (!resources) {
        return std::nullopt;
    }
    std::vector<RROutput> candidates;
    if (const RROutput primary = XRRGetOutputPrimary(display, root); primary != 0) {
        candidates.push_back(primary);
    }
    candidates.insert(candidates.end(), resources->outputs,
                      resources->outputs + resources->noutput);
    for (const RROutput output : candidates) {
        if (const std::optional<Size> size = outputSize(display, resources.get(), output)) {
            return size;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<Size> primaryMonitorSize() {
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        return std::nullopt;
    }
    const auto previousHandler = XSetErrorHandler(ignoreError);
    const std::optional<Size> monitor = randrMonitorSize(display.get());
    XSetErrorHandler(previousHandler);
    if (monitor) {
        return monitor;
    }
    const int screen = DefaultScreen(display.get());
    const Size whole{DisplayWidth(display.get(), screen), DisplayHeight(display.get(), screen)};
    if (whole.width < 1 || whole.height < 1) {
        return std::nullopt;
    }
    return whole;
}

} // namespace scalora
