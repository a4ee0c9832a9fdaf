#include "net/socket_client.h"
#include "scripted_peer.h"

#include <cerrno>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace scalora {
namespace {

using namespace std::chrono_literals;
using test::PeerAction;
using test::PeerScript;
using test::ScriptedPeer;
using Clock = std::chrono::steady_clock;

// Short time-outs keep the suite fast; the slack covers a loaded machine and sanitizers.
constexpr std::chrono::milliseconds kTimeout = 300ms;
constexpr std::chrono::milliseconds kSlack = 2000ms;

PeerScript rawReply(std::string bytes) {
    return {PeerAction::Reply, std::move(bytes), false};
}

TEST(SocketClient, ReceivesEverythingUntilThePeerCloses) {
    ScriptedPeer peer(rawReply("hello, world"));
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", peer.port(), 5);
    ASSERT_TRUE(socket.connect()) << socket.lastSystemError();
    EXPECT_TRUE(socket.isConnected());
    EXPECT_EQ(socket.chunkSize(), 5);
    std::vector<char> buffer(64, 'x');
    const std::ptrdiff_t count = socket.receive(buffer.data(), 64);
    ASSERT_EQ(count, 12);
    EXPECT_EQ(std::string(buffer.data(), 12), "hello, world");
    EXPECT_EQ(buffer[62], 0);
    EXPECT_EQ(buffer[63], 0);
    EXPECT_EQ(buffer[12], 'x'); // nothing written past the data but the terminator
    EXPECT_FALSE(socket.hasError());
    socket.disconnect();
    EXPECT_FALSE(socket.isConnected());
}

TEST(SocketClient, NameLookupAndChunkSizeFromTheSocket) {
    ScriptedPeer peer(rawReply("abc"));
    // "localhost" comes from the hosts file, so no resolver traffic is needed.
    SocketClient socket(kTimeout, kTimeout, "localhost", peer.port());
    ASSERT_TRUE(socket.connect()) << socket.lookupError();
    EXPECT_GT(socket.chunkSize(), 0);
    char buffer[16];
    EXPECT_EQ(socket.receive(buffer, sizeof buffer), 3);

    // Invalid names are refused by the resolver itself, without asking a name server.
    for (const char* name : {"", "no such host!"}) {
        SocketClient unknown(kTimeout, kTimeout, name, 80);
        EXPECT_FALSE(unknown.connect());
        EXPECT_EQ(unknown.errorCode(), SocketError::DetectHostFailed) << name;
        EXPECT_NE(unknown.lookupError(), 0);
        EXPECT_TRUE(unknown.hasError());
        EXPECT_FALSE(unknown.isConnected());
    }
    SocketClient tooLong(kTimeout, kTimeout, std::string(300, 'a'), 80);
    EXPECT_FALSE(tooLong.connect());
    EXPECT_EQ(tooLong.errorCode(), SocketError::DetectHostFailed);
}

TEST(SocketClient, ReplyThatFillsTheBufferExactlyStillFits) {
    // Capacity 10 leaves 8 bytes for data and 2 for the terminator.
    ScriptedPeer exact(rawReply("12345678"));
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", exact.port(), 3);
    ASSERT_TRUE(socket.connect());
    char buffer[10];
    EXPECT_EQ(socket.receive(buffer, 10), 8);
    EXPECT_EQ(std::string(buffer, 8), "12345678");
    EXPECT_EQ(buffer[8], 0);

    ScriptedPeer larger(rawReply("123456789"));
    SocketClient overflow(kTimeout, kTimeout, "127.0.0.1", larger.port(), 3);
    ASSERT_TRUE(overflow.connect());
    char small[10];
    EXPECT_EQ(overflow.receive(small, 10), -1);
    EXPECT_EQ(overflow.errorCode(), SocketError::ReadBufferFull);
    EXPECT_FALSE(overflow.isConnected());
}

TEST(SocketClient, SilentPeerEndsInReadTimeout) {
    ScriptedPeer peer({PeerAction::Silence, {}, false});
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", peer.port());
    ASSERT_TRUE(socket.connect());
    char buffer[64];
    const auto start = Clock::now();
    EXPECT_EQ(socket.receive(buffer, sizeof buffer), -1);
    EXPECT_LT(Clock::now() - start, kTimeout + kSlack);
    EXPECT_EQ(socket.errorCode(), SocketError::ReadTimeout);
    EXPECT_TRUE(socket.lastSystemError() == EAGAIN || socket.lastSystemError() == EWOULDBLOCK);
    EXPECT_FALSE(socket.isConnected());
    EXPECT_TRUE(peer.sawClientClose()); // the failure closed the connection
}

TEST(SocketClient, RefusedConnectionKeepsTheSystemError) {
    test::RefusingPort refusing;
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", refusing.port());
    EXPECT_FALSE(socket.connect());
    EXPECT_EQ(socket.errorCode(), SocketError::ConnectFailed);
    EXPECT_EQ(socket.lastSystemError(), ECONNREFUSED);
    EXPECT_FALSE(socket.isConnected());

    SocketClient badPort(kTimeout, kTimeout, "127.0.0.1", 70000);
    EXPECT_FALSE(badPort.connect());
    EXPECT_EQ(badPort.errorCode(), SocketError::ConnectFailed);
}

TEST(SocketClient, ConnectToAHostThatNeverAnswersIsBoundedByTheSendTimeout) {
    test::FullListener listener;
    ASSERT_TRUE(listener.full()) << "the listener's queue did not fill";
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", listener.port());
    const auto start = Clock::now();
    EXPECT_FALSE(socket.connect());
    EXPECT_LT(Clock::now() - start, kTimeout + kSlack);
    EXPECT_EQ(socket.errorCode(), SocketError::ConnectFailed);
    EXPECT_EQ(socket.lastSystemError(), ETIMEDOUT);
}

TEST(SocketClient, SecondConnectFailsAndClosesTheFirst) {
    ScriptedPeer peer({PeerAction::Silence, {}, false});
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", peer.port());
    ASSERT_TRUE(socket.connect());
    EXPECT_FALSE(socket.connect());
    EXPECT_EQ(socket.errorCode(), SocketError::AlreadyOpen);
    EXPECT_FALSE(socket.isConnected());
    EXPECT_TRUE(peer.sawClientClose());
}

TEST(SocketClient, StateAndArgumentChecks) {
    SocketClient idle(kTimeout, kTimeout, "127.0.0.1", 80);
    char buffer[8];
    EXPECT_FALSE(idle.send("x", 1));
    EXPECT_EQ(idle.errorCode(), SocketError::NotOpen);
    EXPECT_EQ(idle.receive(buffer, sizeof buffer), -1);
    EXPECT_EQ(idle.errorCode(), SocketError::NotOpen);
    EXPECT_EQ(idle.lastSystemError(), 0);

    // Each misuse closes the connection, so each gets a peer of its own.
    struct Misuse {
        const char* what;
        std::function<bool(SocketClient&)> call;
        SocketError expected;
    };
    const std::vector<Misuse> misuses = {
        {"send without bytes", [](SocketClient& s) { return s.send(nullptr, 4); },
         SocketError::WriteParamsIncorrect},
        {"send of zero bytes", [](SocketClient& s) { return s.send("x", 0); },
         SocketError::WriteParamsIncorrect},
        {"receive without buffer", [](SocketClient& s) { return s.receive(nullptr, 8) >= 0; },
         SocketError::ReadParamsIncorrect},
        // Two bytes are always the terminator, so a capacity of 2 has no room for data.
        {"receive into 2 bytes", [&buffer](SocketClient& s) { return s.receive(buffer, 2) >= 0; },
         SocketError::ReadParamsIncorrect},
    };
    for (const Misuse& misuse : misuses) {
        ScriptedPeer peer({PeerAction::Silence, {}, false});
        SocketClient socket(kTimeout, kTimeout, "127.0.0.1", peer.port());
        ASSERT_TRUE(socket.connect());
        EXPECT_FALSE(misuse.call(socket)) << misuse.what;
        EXPECT_EQ(socket.errorCode(), misuse.expected) << misuse.what;
        EXPECT_EQ(socket.lastSystemError(), 0) << misuse.what;
        EXPECT_FALSE(socket.isConnected()) << misuse.what;
        EXPECT_TRUE(peer.sawClientClose()) << misuse.what;
    }

    // A failure leaves the object ready for a new attempt, with the error cleared (the
    // kernel completes this second connection in the peer's listen queue).
    ScriptedPeer peer({PeerAction::Silence, {}, false});
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", peer.port());
    ASSERT_TRUE(socket.connect());
    EXPECT_FALSE(socket.send("x", 0));
    EXPECT_TRUE(socket.connect());
    EXPECT_FALSE(socket.hasError());
}

TEST(SocketClient, PeerThatStopsReadingMakesSendTimeOut) {
    ScriptedPeer peer({PeerAction::StallReading, {}, false});
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", peer.port());
    ASSERT_TRUE(socket.connect());
    // Far more than the socket buffers on both sides hold, so the writes must stall.
    const std::string bytes(64 << 20, 'x');
    const auto start = Clock::now();
    EXPECT_FALSE(socket.send(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size())));
    EXPECT_LT(Clock::now() - start, kTimeout + kSlack);
    EXPECT_EQ(socket.errorCode(), SocketError::WriteTimeout);
    EXPECT_FALSE(socket.isConnected());
}

TEST(SocketClient, SendingToAResetConnectionFailsWithoutASignal) {
    // The peer aborts once it has the request; writing then gives EPIPE or ECONNRESET,
    // never SIGPIPE.
    ScriptedPeer peer({PeerAction::ReplyThenReset, {}});
    SocketClient socket(kTimeout, kTimeout, "127.0.0.1", peer.port());
    ASSERT_TRUE(socket.connect());
    const std::string_view request = "GET / HTTP/1.0\r\n\r\n";
    ASSERT_TRUE(socket.send(request.data(), static_cast<std::ptrdiff_t>(request.size())));
    EXPECT_EQ(peer.received(), request); // the reset has been sent
    const std::string bytes(8 << 20, 'x');
    EXPECT_FALSE(socket.send(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size())));
    EXPECT_EQ(socket.errorCode(), SocketError::WriteFailed);
    EXPECT_TRUE(socket.lastSystemError() == EPIPE || socket.lastSystemError() == ECONNRESET)
        << socket.lastSystemError();
}

TEST(SocketClient, EverySocketHoldsOneStartupUse) {
    const int before = SocketStartup::useCount();
    {
        SocketClient first(kTimeout, kTimeout, "127.0.0.1", 80);
        SocketClient second(kTimeout, kTimeout, "127.0.0.1", 80);
        EXPECT_EQ(SocketStartup::useCount(), before + 2);
        EXPECT_TRUE(SocketStartup::started());
        EXPECT_EQ(first.errorCode(), SocketError::None);
    }
    EXPECT_EQ(SocketStartup::useCount(), before);
    EXPECT_EQ(socketErrorText(11), "read timeout elapsed");
    EXPECT_EQ(socketErrorText(15), "unknown error");
}

} // namespace
} // namespace scalora
