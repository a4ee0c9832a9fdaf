// The program's main window: restores its stored geometry when first shown, stores it and
// saves the settings when closed, and then ends the event loop. The image list, the resize
// controls and the tool bar grow inside it.
#pragma once

#include "ui/core/ui_window.h"

namespace scalora {

class MonitorProvider;
class SettingsStore;

class MainWindow : public UIWindow {
public:
    MainWindow(SettingsStore& settings, const MonitorProvider& monitors);

    // Shows the window at its stored place (or centred on the primary work area).
    void showAtStoredGeometry();

protected:
    void paintEvent(UIEvent& e) override;
    void closeEvent(UIEvent& e) override;

private:
    SettingsStore& settings_;
    const MonitorProvider& monitors_;
};

} // namespace scalora
