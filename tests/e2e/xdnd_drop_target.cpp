// A window for the end-to-end drop test: two drop targets side by side on the SDL window
// system, fed through the X11 drag bridge. Every drag event is printed as one line,
// "<element> <event> <x>,<y>" and, for a drop, each path on its own "<element> path <p>"
// line, so the test can tell which element got what.
#include "exchange/ui_drag_drop.h"
#include "ui/backend/sdl/sdl_window_system.h"
#include "ui/backend/sdl/xdnd_bridge.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"
#include "ui/draw/ui_font.h"

#include <cstdio>
#include <memory>
#include <string>

namespace scalora {
namespace {

class DropBox : public UIElement {
public:
    DropBox(UIElement* parent, std::string name, Color color)
        : UIElement(parent), name_(std::move(name)), color_(color) {
        setStyleClass("DropBox");
        setOption(kAcceptsDrops, true);
    }

protected:
    void paintEvent(UIEvent& e) override {
        e.canvas->fillRect(rect(), highlighted_ ? 0xFFFFE080 : color_);
        e.canvas->drawRect(rect(), 0xFF404040);
        e.canvas->drawText(UIFont(UIFont::defaultFamily(), 10), rect(),
                           name_ + ": " + std::to_string(drops_) + " dropped", 0xFF000000,
                           kAlignHCenter | kAlignVCenter);
    }
    void dragEnterEvent(UIEvent& e) override {
        print("DragEnter", e);
        highlighted_ = true;
        update();
        e.accept();
    }
    void dragMoveEvent(UIEvent& e) override {
        print("DragMove", e);
        e.accept();
    }
    void dragLeaveEvent(UIEvent& e) override {
        print("DragLeave", e);
        highlighted_ = false;
        update();
    }
    void dropEvent(UIEvent& e) override {
        print("Drop", e);
        for (const std::string& p : e.mimeData->filePaths()) {
            std::printf("%s path %s\n", name_.c_str(), p.c_str());
        }
        std::fflush(stdout);
        highlighted_ = false;
        ++drops_;
        update();
    }

private:
    void print(const char* what, const UIEvent& e) {
        std::printf("%s %s %d,%d\n", name_.c_str(), what, e.position.x, e.position.y);
        std::fflush(stdout);
    }
    std::string name_;
    Color color_;
    bool highlighted_ = false;
    int drops_ = 0;
};

} // namespace
} // namespace scalora

int main() {
    using namespace scalora;
    auto system = std::make_unique<SdlWindowSystem>();
    if (!system->isValid()) {
        std::fprintf(stderr, "no display: %s\n", system->error().c_str());
        return 255;
    }
    SdlWindowSystem& sdl = *system;
    UIToolkit toolkit(std::move(system));
    UIDragDrop& dragDrop = UIDragDrop::instance();
    XdndBridge bridge(sdl, dragDrop);

    auto* window = new UIWindow(nullptr);
    window->setStyleClass("UIWindow");
    window->setTitle("Scalora drop target");
    window->setGeometry({200, 150, 420, 200});
    auto* left = new DropBox(window, "left", 0xFFB0D0F0);
    left->setGeometry({10, 10, 190, 180});
    left->show();
    auto* right = new DropBox(window, "right", 0xFFD0F0B0);
    right->setGeometry({220, 10, 190, 180});
    right->show();
    window->show();
    toolkit.processEvents();
    std::printf("ready\n");
    std::fflush(stdout);
    return toolkit.run();
}
