// The feedback form of the window program sent to a service on the loopback interface: what
// the user typed reaches the service, the window stays answerable meanwhile, and the user is
// told it was sent.
#include "../net/scripted_peer.h"
#include "e2e_fixture.h"
#include "net/base64.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace scalora {
namespace {

constexpr const char* kTitle = "^Halvorn Scalora$";

class AppFeedbackTest : public test::AppTest {};

TEST_F(AppFeedbackTest, TheTypedMessageReachesTheServiceAndTheUserIsThanked) {
    test::ScriptedPeer peer({test::PeerAction::Reply,
                             "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n\r\n"
                             "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                             "<answer version=\"1.0\">1</answer>\r\n",
                             true});
    ::setenv("SCALORA_FEEDBACK_SERVER", ("127.0.0.1:" + std::to_string(peer.port())).c_str(), 1);
    const bool started = startProgram();
    ::unsetenv("SCALORA_FEEDBACK_SERVER");
    if (!started) {
        return;
    }
    ASSERT_TRUE(click(kTitle, "main.feedback"));
    ASSERT_TRUE(waitForPaint("feedback"));
    ASSERT_TRUE(click("^Feedback", "feedback.email"));
    ASSERT_EQ(xdotool({"type", "me@example.org"}), 0);
    ASSERT_TRUE(click("^Feedback", "feedback.message"));
    ASSERT_EQ(xdotool({"type", "Resizes my holiday photos nicely"}), 0);
    ASSERT_TRUE(keepScreenshot("app_feedback_typed.png"));
    ASSERT_TRUE(click("^Feedback", "feedback.send"));
    ASSERT_TRUE(waitForState("message.ok", "Your feedback has been sent successfully. Thank you."));
    ASSERT_TRUE(keepScreenshot("app_feedback_sent.png"));
    const std::string request = peer.received();
    EXPECT_NE(request.find("POST "), std::string::npos) << request;
    // The form's one field carries the address and the message, in base64.
    EXPECT_NE(
        request.find("q=" + base64Encode("me@example.org\n\nResizes my holiday photos nicely")),
        std::string::npos)
        << request;
    // OK on the message box; the sent form then closes and the main window is left.
    ASSERT_EQ(xdotool({"key", "Return"}), 0);
    ASSERT_EQ(xdotool({"search", "--sync", "--onlyvisible", "--name", kTitle}), 0);
    ASSERT_EQ(closeProgram(), 0);
}

} // namespace
} // namespace scalora
