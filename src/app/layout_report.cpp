#include "app/layout_report.h"

#include "ui/core/ui_element.h"
#include "ui/core/ui_event.h"
#include "ui/core/ui_window.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace scalora {

LayoutReport::LayoutReport(UIWindow& window, std::string windowName)
    : windowName_(std::move(windowName)) {
    if (const char* file = std::getenv("SCALORA_LAYOUT_REPORT")) {
        file_ = file;
    }
    if (!file_.empty()) {
        window.signal(UIEventType::Paint).connect([this](UIEvent&) { painted(); });
    }
}

void LayoutReport::add(std::string name, const UIElement* element) {
    parts_.emplace_back(std::move(name), element);
}

void LayoutReport::painted() {
    std::string lines;
    for (const auto& [name, element] : parts_) {
        if (!element->isVisible()) {
            continue;
        }
        const Rect r = element->windowRect();
        lines += "element " + windowName_ + "." + name + " " + std::to_string(r.x) + " " +
                 std::to_string(r.y) + " " + std::to_string(r.width) + " " +
                 std::to_string(r.height) + "\n";
    }
    if (lines == last_) {
        return;
    }
    last_ = lines;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file_.c_str(), "a"),
                                                              std::fclose);
    if (out) {
        std::fputs((lines + "painted " + windowName_ + "\n").c_str(), out.get());
    }
}

} // namespace scalora
