// Carries what later starts of the program send over to the UI thread. The single-instance
// guard's listener thread hands every notification here; on the UI thread the main window
// comes to the front and the paths the later start was given go to the open-paths hook, the
// same hook that takes the first start's own command-line paths.
#pragma once

#include "platform/instance_message.h"
#include "ui/core/ui_event_queue.h"

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace scalora {

class Application;
class UIToolkit;

// Receives paths the program is asked to open, on the UI thread, in the order they came.
using OpenPathsHook = std::function<void(std::vector<std::string> paths)>;

class InstanceRelay {
public:
    // Becomes the application's notification relay; the toolkit must outlive the relay.
    InstanceRelay(Application& application, UIToolkit& toolkit, OpenPathsHook openPaths);
    // Detaches from the application first, so that nothing arrives while it goes.
    ~InstanceRelay();
    InstanceRelay(const InstanceRelay&) = delete;
    InstanceRelay& operator=(const InstanceRelay&) = delete;

private:
    void receive(const InstanceNotification& notification); // listener thread
    void deliver();                                         // UI thread

    Application& application_;
    UIToolkit& toolkit_;
    OpenPathsHook openPaths_;
    UIMessageHandlerId handler_ = 0;
    std::mutex mutex_;
    std::deque<std::vector<std::string>> arrived_;
};

} // namespace scalora
