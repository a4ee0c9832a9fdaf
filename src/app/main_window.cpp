#include "app/main_window.h"

#include "app/application.h"
#include "app/settings_access.h"
#include "app/settings_schema.h"
#include "app/window_geometry.h"
#include "data/settings_store.h"
#include "platform/monitors.h"
#include "ui/core/ui_event.h"
#include "ui/draw/canvas.h"
#include "ui/draw/ui_font.h"

#include <cstdio>

namespace scalora {
namespace {

// Small enough for a 1024 x 768 screen with a panel, large enough for the list and controls.
constexpr Size kMinimumSize{400, 420};
constexpr const char* kGeometryPrefix = "Main";

} // namespace

MainWindow::MainWindow(SettingsStore& settings, const MonitorProvider& monitors)
    : UIWindow(nullptr,
               kDefaultWindowOptions | kWindowResizable | kWindowMinimizeBox | kWindowMaximizeBox),
      settings_(settings), monitors_(monitors) {
    setStyleClass("UIWindow");
    setMinimumSize(kMinimumSize);
    if (const Application* app = Application::instance()) {
        setTitle(app->productName());
    }
}

void MainWindow::showAtStoredGeometry() {
    const auto read = [this](std::string_view field) {
        return readIntSetting(settings_, windowGeometryKey(kGeometryPrefix, field), kMinimumSize);
    };
    const WindowGeometry stored{read("Left"), read("Top"), read("Width"), read("Height")};
    const Rect place =
        restoredWindowRect(stored, primaryWorkAreaOrFallback(monitors_), kMinimumSize);
    setGeometry(place);
    show();
    activate();
}

void MainWindow::paintEvent(UIEvent& e) {
    UIWindow::paintEvent(e);
    if (e.canvas == nullptr) {
        return;
    }
    const Application* app = Application::instance();
    if (app == nullptr) {
        return;
    }
    const Rect area{0, 0, geometry().width, geometry().height};
    e.canvas->drawText(UIFont::defaultFont(), area, app->productName() + " " + app->version(),
                       0xFF505050, kAlignHCenter | kAlignVCenter | kTextWordWrap);
}

void MainWindow::closeEvent(UIEvent& e) {
    if (const std::optional<WindowGeometry> g =
            geometryToSave(geometry(), monitors_.monitorRects())) {
        settings_.set(windowGeometryKey(kGeometryPrefix, "Left"), g->left);
        settings_.set(windowGeometryKey(kGeometryPrefix, "Top"), g->top);
        settings_.set(windowGeometryKey(kGeometryPrefix, "Width"), g->width);
        settings_.set(windowGeometryKey(kGeometryPrefix, "Height"), g->height);
    }
    if (!settings_.save()) {
        // The window is closing; the terminal is the one place left to say it.
        std::fprintf(stderr, "scalora: the settings could not be saved to %s\n",
                     settings_.filePath().c_str());
    }
    UIWindow::closeEvent(e);
    if (Application* app = Application::instance()) {
        app->quit();
    }
}

} // namespace scalora
