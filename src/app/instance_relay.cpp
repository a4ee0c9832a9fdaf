#include "app/instance_relay.h"

#include "app/application.h"
#include "ui/core/ui_toolkit.h"

namespace scalora {

InstanceRelay::InstanceRelay(Application& application, UIToolkit& toolkit, OpenPathsHook openPaths)
    : application_(application), toolkit_(toolkit), openPaths_(std::move(openPaths)) {
    handler_ = UIEventQueue::instance().registerHandler(
        [this](std::uint32_t, std::int64_t, std::int64_t) { deliver(); });
    application_.setInstanceNotificationRelay(
        [this](const InstanceNotification& notification) { receive(notification); });
}

InstanceRelay::~InstanceRelay() {
    // Once the relay is replaced no listener call is still running (the guard's handler lock),
    // so the queue handler can go next.
    application_.setInstanceNotificationRelay(nullptr);
    UIEventQueue::instance().unregisterHandler(handler_);
}

void InstanceRelay::receive(const InstanceNotification& notification) {
    // The window comes up even when a start brings no paths, as a plain second start does.
    toolkit_.postExternalMessage(0);
    if (notification.paths.empty()) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        arrived_.push_back(notification.paths);
    }
    UIEventQueue::instance().postMessage(handler_, kActivateInstanceMessage);
}

void InstanceRelay::deliver() {
    std::vector<std::string> paths;
    {
        std::lock_guard lock(mutex_);
        if (arrived_.empty()) {
            return;
        }
        paths = std::move(arrived_.front());
        arrived_.pop_front();
    }
    if (openPaths_) {
        openPaths_(std::move(paths));
    }
}

} // namespace scalora
