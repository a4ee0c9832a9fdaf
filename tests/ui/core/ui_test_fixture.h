// A headless toolkit per test, and an element that records every event that reaches its
// hooks, so dispatch tests read as sequences of event names.
#pragma once

#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_element.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace scalora::test {

const char* eventName(UIEventType type);

using EventLog = std::vector<std::string>;

// Records "<name>:<EventName>" into a shared log for every hook the dispatcher calls.
class RecordingElement : public UIElement {
public:
    RecordingElement(UIElement* parent, std::string name, EventLog* log);
    ~RecordingElement() override;
    const std::string& name() const { return name_; }
    UIEvent lastEvent{UIEventType::Timer};
    bool acceptKeys = false; // accept key presses (used when the element is a window)
    bool* destroyed = nullptr;

protected:
    void paintEvent(UIEvent& e) override { record(e); }
    void resizeEvent(UIEvent& e) override { record(e); }
    void moveEvent(UIEvent& e) override { record(e); }
    void keyPressEvent(UIEvent& e) override;
    void keyReleaseEvent(UIEvent& e) override { record(e); }
    void mousePressEvent(UIEvent& e) override { record(e); }
    void mouseReleaseEvent(UIEvent& e) override { record(e); }
    void mouseClickEvent(UIEvent& e) override { record(e); }
    void mouseDoubleClickEvent(UIEvent& e) override { record(e); }
    void wheelEvent(UIEvent& e) override { record(e); }
    void enterEvent(UIEvent& e) override { record(e); }
    void leaveEvent(UIEvent& e) override { record(e); }
    void mouseMoveEvent(UIEvent& e) override { record(e); }
    void timerEvent(UIEvent& e) override { record(e); }
    void focusInEvent(UIEvent& e) override { record(e); }
    void focusOutEvent(UIEvent& e) override { record(e); }
    void showEvent(UIEvent& e) override { record(e); }
    void hideEvent(UIEvent& e) override { record(e); }
    void changeEvent(UIEvent& e) override { record(e); }
    void closeEvent(UIEvent& e) override { record(e); }
    void externalMessageEvent(UIEvent& e) override { record(e); }

private:
    void record(const UIEvent& e);
    std::string name_;
    EventLog* log_;
};

// A window that records like RecordingElement.
class RecordingWindow : public UIWindow {
public:
    RecordingWindow(std::string name, EventLog* log, std::uint32_t options = kDefaultWindowOptions);
    bool acceptKeys = false;

protected:
    void keyPressEvent(UIEvent& e) override;
    void keyReleaseEvent(UIEvent& e) override;
    void closeEvent(UIEvent& e) override;
    void changeEvent(UIEvent& e) override;
    void externalMessageEvent(UIEvent& e) override;

private:
    void record(const UIEvent& e);
    std::string name_;
    EventLog* log_;
};

class UITest : public ::testing::Test {
protected:
    UITest();
    ~UITest() override;

    HeadlessWindowSystem& sys() { return *system_; }
    UIToolkit& toolkit() { return *toolkit_; }
    // A shown window of the given size at (100, 50).
    RecordingWindow* makeWindow(Size size = {200, 100});
    // A shown child element.
    RecordingElement* makeChild(UIElement* parent, const std::string& name, const Rect& geometry);
    // The log entries that mention `name`, in order.
    std::vector<std::string> logOf(const std::string& name) const;

    EventLog log;

private:
    HeadlessWindowSystem* system_;
    std::unique_ptr<UIToolkit> toolkit_;
};

} // namespace scalora::test
