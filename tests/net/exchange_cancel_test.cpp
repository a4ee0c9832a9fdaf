// Cancelling an exchange from another thread: connecting, sending and receiving each end with
// ECANCELED instead of running into their time-outs, and an exchange cancelled beforehand
// never connects.
#include "net/exchange_cancel.h"
#include "net/feedback_submission.h"
#include "net/socket_client.h"
#include "scripted_peer.h"

#include <cerrno>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace scalora {
namespace {

using namespace std::chrono_literals;
using test::PeerAction;
using test::ScriptedPeer;

// Longer than any peer waits: only the cancel can end these exchanges with ECANCELED.
constexpr std::chrono::milliseconds kLong = 30s;

// Runs step on this thread while another thread cancels at whatever moment it gets to.
bool runCancelled(ExchangeCancel& cancel, const std::function<bool()>& step) {
    std::thread canceller([&cancel] { cancel.cancel(); });
    const bool ok = step();
    canceller.join();
    return ok;
}

TEST(ExchangeCancelTest, ConnectSendAndReceiveEndWithCanceled) {
    {
        SCOPED_TRACE("connect that never completes");
        test::FullListener listener;
        ASSERT_TRUE(listener.full()) << "the listener's queue did not fill";
        ExchangeCancel cancel;
        SocketClient socket(kLong, kLong, "127.0.0.1", listener.port());
        socket.setCancel(&cancel);
        EXPECT_FALSE(runCancelled(cancel, [&] { return socket.connect(); }));
        EXPECT_EQ(socket.errorCode(), SocketError::ConnectFailed);
        EXPECT_EQ(socket.lastSystemError(), ECANCELED);
    }
    {
        SCOPED_TRACE("send to a peer that reads nothing");
        ScriptedPeer peer({PeerAction::StallReading, {}, false});
        ExchangeCancel cancel;
        SocketClient socket(kLong, kLong, "127.0.0.1", peer.port());
        socket.setCancel(&cancel);
        ASSERT_TRUE(socket.connect());
        const std::string bytes(64 << 20, 'x');
        EXPECT_FALSE(runCancelled(cancel, [&] {
            return socket.send(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
        }));
        EXPECT_EQ(socket.errorCode(), SocketError::WriteFailed);
        EXPECT_EQ(socket.lastSystemError(), ECANCELED);
    }
    {
        SCOPED_TRACE("receive from a silent peer");
        ScriptedPeer peer({PeerAction::Silence, {}, false});
        ExchangeCancel cancel;
        SocketClient socket(kLong, kLong, "127.0.0.1", peer.port());
        socket.setCancel(&cancel);
        ASSERT_TRUE(socket.connect());
        char buffer[64];
        EXPECT_FALSE(runCancelled(cancel, [&] { return socket.receive(buffer, 64) >= 0; }));
        EXPECT_EQ(socket.errorCode(), SocketError::ReadFailed);
        EXPECT_EQ(socket.lastSystemError(), ECANCELED);
        EXPECT_TRUE(peer.sawClientClose());
    }
}

TEST(ExchangeCancelTest, CancelledSubmissionNeverConnects) {
    // A refused connection would fail with ECONNREFUSED: ECANCELED shows none was tried.
    test::RefusingPort port;
    FeedbackEndpoint endpoint;
    endpoint.host = "127.0.0.1";
    endpoint.port = port.port();
    endpoint.sendTimeout = kLong;
    endpoint.receiveTimeout = kLong;
    ExchangeCancel cancel;
    cancel.cancel();
    cancel.cancel(); // a second cancel changes nothing
    EXPECT_TRUE(cancel.isCancelled());
    FeedbackSubmission submission(endpoint);
    EXPECT_EQ(submission.submit("", "hello", &cancel), FeedbackOutcome::ConnectionProblem);
    EXPECT_EQ(submission.lastSystemError(), ECANCELED);
}

} // namespace
} // namespace scalora
