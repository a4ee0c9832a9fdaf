// The feedback window against a real server on the loopback interface: the message box of
// each outcome, and an exchange that runs off the UI thread, keeps the windows painted, and
// ends at once when the window is closed.
#include "../net/scripted_peer.h"
#include "app/feedback_window.h"
#include "dialog_test_fixture.h"
#include "ui/core/ui_event.h"
#include "ui/core/ui_event_queue.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_text_edit.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <string>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

constexpr std::string_view kAccepted =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<answer version=\"1.0\">1</answer>\r\n";
constexpr std::string_view kSent = "1 Your feedback has been sent successfully. Thank you.";
constexpr std::string_view kNoConnection =
    "3 Cannot send feedback.\nPlease check your connection and try again.";

FeedbackEndpoint loopback(int port, std::chrono::milliseconds timeout) {
    FeedbackEndpoint endpoint;
    endpoint.host = "127.0.0.1";
    endpoint.port = port;
    endpoint.userAgent = "Halvorn Scalora/0.0 (test)";
    endpoint.sendTimeout = timeout;
    endpoint.receiveTimeout = timeout;
    return endpoint;
}

class FeedbackWindowTest : public DialogTest {
protected:
    FeedbackWindowTest() {
        // The headless backend cannot be woken; the test waits for the worker's post itself.
        UIEventQueue::instance().setWakeFunction([this] {
            std::lock_guard lock(mutex_);
            woken_.notify_all();
        });
        owner = makeWindow({400, 300});
    }
    ~FeedbackWindowTest() override { UIEventQueue::instance().setWakeFunction(nullptr); }

    // Delivers what the exchange's thread posts until done() holds; false when it does not
    // within a bounded wait.
    bool deliverUntil(const std::function<bool()>& done) {
        for (int round = 0; round < 100 && !done(); ++round) {
            std::unique_lock lock(mutex_);
            if (!woken_.wait_for(lock, 10s, [] { return UIEventQueue::instance().hasPending(); })) {
                return false;
            }
            lock.unlock();
            toolkit().processEvents();
        }
        return done();
    }
    // Presses Send and tells whether, right after the window took the press, an exchange
    // was in flight with Send disabled (it may end before the press has been delivered).
    bool pressSend(FeedbackWindow& w) {
        bool sendingAtOnce = false;
        const auto id = w.sendButton().clicked().connect(
            [&] { sendingAtOnce = w.isSending() && !w.sendButton().isEnabled(); });
        pressEnterOn(w.sendButton());
        w.sendButton().clicked().disconnect(id);
        return sendingAtOnce;
    }
    std::unique_ptr<FeedbackWindow> open(int port, std::chrono::milliseconds timeout = 2s) {
        auto w = std::make_unique<FeedbackWindow>(owner, loopback(port, timeout));
        w->show();
        toolkit().processEvents();
        return w;
    }

    UIWindow* owner = nullptr;

private:
    std::mutex mutex_;
    std::condition_variable woken_;
};

TEST_F(FeedbackWindowTest, EachOutcomeShowsItsMessageBox) {
    struct Case {
        const char* name;
        std::optional<std::string> reply; // none: both fields blank, nothing is sent
        std::string_view box;
        bool closes;
    };
    const Case cases[] = {
        {"accepted", httpReply("HTTP/1.0 200 OK", kAccepted), kSent, true},
        {"server error", httpReply("HTTP/1.0 500 Internal Server Error", "oops"), kNoConnection,
         false},
        {"redirect", httpReply("HTTP/1.0 302 Found", ""), kNoConnection, false},
        {"no declaration", httpReply("HTTP/1.0 200 OK", "<answer version=\"1.0\">1</answer>"),
         "3 Cannot send feedback.", false},
        {"blank fields", std::nullopt, "1 Please fill the required fields.", false},
    };
    answerMessageBoxes();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        answered.clear();
        ScriptedPeer peer({PeerAction::Reply, c.reply.value_or(""), c.reply.has_value()});
        auto w = open(peer.port());
        if (c.reply) {
            w->emailField().setText(" me@example.org ");
            w->messageField().setText("Nice tool!");
        } else {
            w->messageField().setText(" \n\t ");
        }
        const bool sending = pressSend(*w);
        if (c.reply) {
            EXPECT_TRUE(sending);
            ASSERT_TRUE(deliverUntil([&] { return !answered.empty(); }));
            EXPECT_NE(peer.received().find("POST /service-feedback HTTP/1.0"), std::string::npos);
        } else {
            EXPECT_FALSE(sending);
        }
        EXPECT_EQ(answered, (std::vector<std::string>{std::string(c.box)}));
        EXPECT_FALSE(w->isSending());
        EXPECT_EQ(w->isVisible(), !c.closes);
        if (!c.closes) {
            // The typed text stays for another try.
            EXPECT_TRUE(w->sendButton().isEnabled());
            EXPECT_EQ(w->messageField().text(), c.reply ? "Nice tool!" : " \n\t ");
        }
    }
}

TEST_F(FeedbackWindowTest, ClosingDuringTheExchangeCancelsItWhileWindowsStayPainted) {
    answerMessageBoxes();
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "close box");
        // The server never answers, and the time-outs are far longer than the server waits:
        // only the cancel can make the client give up first.
        ScriptedPeer peer({PeerAction::Silence, "", true});
        auto w = open(peer.port(), 60s);
        w->messageField().setText("Hello");
        ASSERT_TRUE(pressSend(*w));
        ASSERT_TRUE(peer.waitForRequest());
        EXPECT_TRUE(w->isSending());
        EXPECT_FALSE(w->sendButton().isEnabled());

        // Both windows take input and repaint while the exchange is in flight.
        // Past the double-click time, so this click is not taken with the last round's.
        sys().advance(toolkit().doubleClickTime() + 1);
        clickOn(w->messageField());
        sys().typeText(*w, "!");
        EXPECT_EQ(w->messageField().text(), "Hello!");
        const int ownerPresents = HeadlessWindowSystem::native(*owner)->presentCount();
        owner->update();
        toolkit().processEvents();
        EXPECT_GT(HeadlessWindowSystem::native(*owner)->presentCount(), ownerPresents);
        ASSERT_TRUE(keepPng(*w, "feedback_window_sending.png"));

        if (escape) {
            sys().keyPress(*w, vk::kEscape);
        } else {
            sys().requestClose(*w);
        }
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(w->isSending());
        EXPECT_TRUE(peer.sawClientClose());
        // The cancelled exchange's outcome is not reported to anybody.
        toolkit().processEvents();
        EXPECT_TRUE(answered.empty());
    }
}

} // namespace
} // namespace scalora::test
