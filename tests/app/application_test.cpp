#include "app/application.h"
#include "app/display_choice.h"
#include "app/identity.h"
#include "base/strings.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace scalora {
namespace {

// A product name of its own per test process, so that the guard never meets a real program
// or a parallel test.
std::string testProduct(std::string_view what) {
    return "Scalora Test " + std::string(what) + " " + std::to_string(getpid());
}

TEST(Application, FirstInstanceIsTheProcessWideOneUntilItIsDestroyed) {
    EXPECT_EQ(Application::instance(), nullptr);
    {
        Application first(testProduct("global"), "1.0", {"/opt/scalora"});
        EXPECT_EQ(Application::instance(), &first);
        {
            Application later(testProduct("global-later"), "2.0", {});
            EXPECT_EQ(Application::instance(), &first); // never replaced
        }
        EXPECT_EQ(Application::instance(), &first); // a later one's end does not clear it
    }
    EXPECT_EQ(Application::instance(), nullptr);
}

TEST(Application, IdentityAndTheDefaultingOfFeedbackHostAndProductUrl) {
    Application application(testProduct("identity"), "1.2.5", {});
    EXPECT_EQ(application.version(), "1.2.5");
    EXPECT_TRUE(application.companyName().empty());
    EXPECT_TRUE(application.feedbackHost().empty());

    application.setWebHost("first.example");
    application.setWebUrl("http://first.example/");
    EXPECT_EQ(application.feedbackHost(), "first.example");
    EXPECT_EQ(application.productUrl(), "http://first.example/");
    // Only while empty: a second web host leaves the feedback host alone.
    application.setWebHost("second.example");
    application.setWebUrl("http://second.example/");
    EXPECT_EQ(application.webHost(), "second.example");
    EXPECT_EQ(application.feedbackHost(), "first.example");
    EXPECT_EQ(application.productUrl(), "http://first.example/");

    // The start-up sequence makes both pairs equal.
    applyVendorIdentity(application);
    EXPECT_EQ(application.companyName(), "Halvorn Software");
    EXPECT_EQ(application.webHost(), kWebHost);
    EXPECT_EQ(application.feedbackHost(), kWebHost);
    EXPECT_EQ(application.webUrl(), kWebUrl);
    EXPECT_EQ(application.productUrl(), kWebUrl);
    EXPECT_EQ(kProductName, "Halvorn Scalora");
    EXPECT_EQ(kProductVersion, "1.2.5");
}

TEST(Application, KnowsWhereItRunsFromAndItsCommandLine) {
    Application application(testProduct("module"), "1", {"/x/scalora", " \"/a/ü.jpg\" ", ""});
    EXPECT_EQ(application.moduleDirectory(), test::binDir().string());
    EXPECT_EQ(application.modulePath().substr(0, application.moduleDirectory().size() + 1),
              application.moduleDirectory() + "/");
    EXPECT_EQ(application.arguments().size(), 3u);
    EXPECT_EQ(application.takeCommandLinePaths(), std::vector<std::string>{"/a/ü.jpg"});
    EXPECT_TRUE(application.takeCommandLinePaths().empty());
}

TEST(Application, GuardIsNamedAfterTheProductAndReleasedWithTheApplication) {
    const std::string product = testProduct("guard");
    {
        Application first(product, "1", {});
        EXPECT_EQ(first.guard().name(), "[" + toUpper(product) + "]");
        EXPECT_EQ(first.guard().state(), SingleInstanceGuard::Created);
        EXPECT_FALSE(first.isAnotherInstanceRunning());
        Application second(product, "1", {});
        EXPECT_TRUE(second.isAnotherInstanceRunning());
        EXPECT_TRUE(second.notifyRunningInstance()); // no relay yet: confirmed and kept
    }
    Application again(product, "1", {});
    EXPECT_FALSE(again.isAnotherInstanceRunning());
}

TEST(Application, RunUsesTheInstalledLoopAndQuitEndsIt) {
    Application application(testProduct("loop"), "1", {});
    EXPECT_EQ(application.run(), 0); // nothing installed yet

    int quitCalls = 0;
    application.setQuitHandler([&] { ++quitCalls; });
    application.setEventLoop([&] {
        application.quit(); // as closing the main window does
        return 7;
    });
    EXPECT_EQ(application.run(), 7);
    EXPECT_EQ(quitCalls, 1);
    EXPECT_TRUE(application.quitRequested());
    EXPECT_EQ(application.run(), 0); // after quit the loop is not entered again
}

TEST(DisplayChoice, UsesOnlyDisplaysThatAreThereUnlessTheUserChose) {
    EXPECT_EQ(videoDriverChoice({}), "");
    EXPECT_EQ(videoDriverChoice({"", " ", ""}), "");
    EXPECT_EQ(videoDriverChoice({"", ":0", ""}), "x11");
    EXPECT_EQ(videoDriverChoice({"", "", "wayland-0"}), "wayland");
    EXPECT_EQ(videoDriverChoice({"", ":1", "wayland-1"}), "x11,wayland");
    EXPECT_EQ(videoDriverChoice({"dummy", "", ""}), "dummy");
    EXPECT_EQ(videoDriverChoice({" wayland ", ":0", ""}), "wayland");
}

} // namespace
} // namespace scalora
