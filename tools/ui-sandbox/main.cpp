// ui-sandbox: opens one window of plain elements on the SDL2 backend so the toolkit can be
// looked at and driven by end-to-end tests. Every click, key and drop is reported as a line on
// standard output (and in --log FILE); "ready" and the element geometries are reported once
// the window has been painted.
//
//   ui-sandbox [--log FILE] [--quit-after MS] [--gallery basic|lists|menus]
#include "exchange/ui_drag_drop.h"
#include "gallery_basic.h"
#include "gallery_lists.h"
#include "gallery_menus.h"
#include "gallery_text.h"
#include "imaging/pixel_image.h"
#include "sandbox_elements.h"
#include "ui/backend/sdl/sdl_window_system.h"
#include "ui/backend/sdl/xdnd_bridge.h"
#include "ui/core/ui_layout.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/style/resource_source.h"
#include "ui/style/ui_style_manager.h"
#include "ui/widgets/ui_tool_tip_tracker.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

using namespace scalora;
using namespace scalora::sandbox;

namespace {

// A ring with a cross, orange on a dark outline: clearly not a system cursor.
PixelImage targetCursorImage() {
    PixelImage image;
    if (!image.allocate(32, 32, AlphaKind::Straight)) {
        return image;
    }
    image.fill(0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double d = std::hypot(x - 15.5, y - 15.5);
            const bool ring = d > 9.5 && d < 12.5;
            const bool cross = (std::abs(x - 15.5) < 1.1 || std::abs(y - 15.5) < 1.1) && d < 15;
            const bool outline = (d > 8.5 && d < 13.5) ||
                                 ((std::abs(x - 15.5) < 2.1 || std::abs(y - 15.5) < 2.1) && d < 16);
            if (ring || cross) {
                image.setPixel(x, y, 0xFFFF8C1A);
            } else if (outline) {
                image.setPixel(x, y, 0xFF202020);
            }
        }
    }
    return image;
}

class SandboxWindow : public UIWindow {
public:
    SandboxWindow()
        : UIWindow(nullptr, kDefaultWindowOptions | kWindowResizable | kWindowMinimizeBox) {
        setStyleClass("UIWindow");
    }

protected:
    void closeEvent(UIEvent&) override {
        if (UIToolkit* tk = UIToolkit::instance()) {
            tk->quit(0);
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    std::string logPath;
    long quitAfter = -1;
    std::string gallery;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--log") == 0 && i + 1 < argc) {
            logPath = argv[++i];
        } else if (std::strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc) {
            quitAfter = std::strtol(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--gallery") == 0 && i + 1 < argc) {
            gallery = argv[++i];
        } else {
            std::cerr << "usage: ui-sandbox [--log FILE] [--quit-after MS] "
                         "[--gallery basic|lists|menus]\n";
            return 2;
        }
    }
    std::ofstream logFile;
    if (!logPath.empty()) {
        logFile.open(logPath, std::ios::app);
    }
    Reporter report = [&logFile](const std::string& line) {
        std::cout << line << std::endl;
        if (logFile.is_open()) {
            logFile << line << std::endl;
        }
    };

    auto system = std::make_unique<SdlWindowSystem>();
    if (!system->isValid()) {
        std::cerr << "ui-sandbox: cannot open the display: " << system->error() << "\n";
        return 255;
    }
    SdlWindowSystem* sdl = system.get();
    // The style and the data archive beside the program, as the application finds them.
    UIStyleManager& styles = UIStyleManager::instance();
    if (!styles.loadStyle("default")) {
        report("no style: " + styles.errorText());
    }
    if (auto data = ArchiveSource::open(styles.moduleDirectory() + "/data.pak")) {
        styles.setDataSource(std::move(data));
    }
    UIToolkit toolkit(std::move(system));
    if (!styles.cursors().setImage(CursorId::Target, targetCursorImage(), {15, 15})) {
        report("no target cursor");
    }
    // Drops arrive through the drag and drop layer: X11 drag messages for enter, move and
    // leave, SDL's drop events for the data.
    UIDragDrop::instance().install();
    XdndBridge xdnd(*sdl, UIDragDrop::instance());

    auto* window = new SandboxWindow;
    window->setTitle("UI Sandbox");
    window->setBackground(0xFFE9ECEF);
    window->setMinimumSize({360, 300});
    window->setGeometry({80, 60, 600, 680});

    auto* a = new ClickBox(window, "alpha", 0xFF3C78C8, report);
    auto* b = new ClickBox(window, "beta", 0xFF2E9E5B, report);
    auto* c = new ClickBox(window, "gamma", 0xFFC8503C, report);
    a->setContextMenu(new ContextPopup(a, report));
    auto* states = new StateStrip(window);
    auto* skins = new SkinStrip(window);
    auto* text = new TextSamples(window);
    auto* target = new DropTarget(window, report);
    auto* ticker = new TickerBox(window);
    UIElement* textGallery = makeTextGallery(window, report);
    auto* disabled = new ClickBox(window, "disabled", 0xFF777777, report);
    disabled->disable();

    auto buttons = std::make_unique<UIHBoxLayout>();
    buttons->setContentsMargins({0, 0, 0, 0});
    buttons->setSpacing(10);
    buttons->addElement(a);
    buttons->addElement(b);
    buttons->addElement(c);
    auto bottom = std::make_unique<UIHBoxLayout>();
    bottom->setContentsMargins({0, 0, 0, 0});
    bottom->setSpacing(10);
    bottom->addElement(target, 1);
    auto side = std::make_unique<UIVBoxLayout>();
    side->setContentsMargins({0, 0, 0, 0});
    side->setSpacing(10);
    side->addElement(ticker);
    side->addElement(disabled);
    side->addStretch();
    bottom->addLayout(std::move(side));
    auto column = std::make_unique<UIVBoxLayout>();
    column->setContentsMargins({12, 12, 12, 12});
    column->setSpacing(10);
    column->addLayout(std::move(buttons));
    column->addElement(states);
    column->addElement(skins);
    column->addElement(text, 1);
    column->addElement(textGallery);
    column->addLayout(std::move(bottom));
    for (UIElement* e : window->children()) {
        if (!e->isWindow()) {
            e->show();
        }
    }
    window->setLayout(std::move(column));
    window->show();
    UIToolTipTracker toolTips;
    if (gallery == "basic") {
        makeBasicGallery(report)->show();
    } else if (gallery == "lists") {
        openListsGallery(report);
    } else if (gallery == "menus") {
        openMenusGallery(report);
    }

    // Report once the first frame is on the screen.
    bool announced = false;
    window->signal(UIEventType::Paint).connect([&](UIEvent&) {
        if (announced) {
            return;
        }
        announced = true;
        const Rect g = window->geometry();
        report("window " + std::to_string(g.x) + " " + std::to_string(g.y) + " " +
               std::to_string(g.width) + " " + std::to_string(g.height));
        for (ClickBox* box : {a, b, c}) {
            const Rect r = box->windowRect();
            report("element " + box->name() + " " + std::to_string(r.x) + " " +
                   std::to_string(r.y) + " " + std::to_string(r.width) + " " +
                   std::to_string(r.height));
        }
        const Rect t = target->windowRect();
        report("element target " + std::to_string(t.x) + " " + std::to_string(t.y) + " " +
               std::to_string(t.width) + " " + std::to_string(t.height));
        report("ready");
    });
    if (quitAfter >= 0) {
        class QuitTimer : public UITimerReceiver {
        public:
            void onTimer(std::int64_t) override { UIToolkit::instance()->quit(0); }
        };
        static QuitTimer quitTimer;
        UITimerRegistry::instance().start(quitAfter, &quitTimer, 1);
    }
    const int code = toolkit.run();
    report("quit");
    return code;
}
