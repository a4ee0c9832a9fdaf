#include "app/application.h"
#include "app/instance_relay.h"
#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"

#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace scalora {
namespace {

using Paths = std::vector<std::string>;

InstanceNotification withPaths(Paths paths) {
    InstanceNotification notification;
    notification.paths = std::move(paths);
    return notification;
}

TEST(InstanceRelay, LaterStartsRaiseTheWindowAndHandTheirPathsToTheHookInOrder) {
    UIToolkit toolkit(std::make_unique<HeadlessWindowSystem>());
    Application application("Scalora Test relay " + std::to_string(getpid()), "1", {"/x/scalora"});
    ASSERT_EQ(application.guard().state(), SingleInstanceGuard::Created);
    SingleInstanceGuard later(application.guard().name());

    // A start that comes while this one is still starting is kept for the relay.
    ASSERT_TRUE(later.notifyRunningInstance(withPaths({"/early.jpg"})));
    auto* window = new UIWindow(nullptr, kDefaultWindowOptions); // owned by the toolkit
    window->setStyleClass("UIWindow");                           // sets it up, hidden
    toolkit.setExternalMessageTarget(window);
    std::vector<Paths> opened;
    const std::thread::id uiThread = std::this_thread::get_id();
    {
        const InstanceRelay relay(application, toolkit, [&](Paths paths) {
            EXPECT_EQ(std::this_thread::get_id(), uiThread);
            opened.push_back(std::move(paths));
        });
        EXPECT_TRUE(later.notifyRunningInstance(withPaths({"/a b/Straße 写真.png", "/c.tif"})));
        EXPECT_TRUE(later.notifyRunningInstance()); // no paths: the window comes up only
        EXPECT_TRUE(opened.empty()) << "delivered on the UI thread's turn, not the listener's";
        EXPECT_FALSE(window->isVisible());
        toolkit.processEvents();
        EXPECT_EQ(opened, (std::vector<Paths>{{"/early.jpg"}, {"/a b/Straße 写真.png", "/c.tif"}}));
        EXPECT_TRUE(window->isVisible());
    }
    // Once the relay is gone a start is still confirmed, and its paths go nowhere.
    EXPECT_TRUE(later.notifyRunningInstance(withPaths({"/late.jpg"})));
    toolkit.processEvents();
    EXPECT_EQ(opened.size(), 2u);
}

} // namespace
} // namespace scalora
