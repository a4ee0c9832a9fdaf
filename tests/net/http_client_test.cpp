#include "net/http_client.h"
#include "scripted_peer.h"

#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <string>

namespace scalora {
namespace {

using namespace std::chrono_literals;
using test::PeerAction;
using test::ScriptedPeer;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kTimeout = 300ms;
constexpr std::chrono::milliseconds kSlack = 2000ms;

HttpClient clientFor(int port, std::ptrdiff_t bufferSize = 4096) {
    HttpClient client;
    client.request().setMethod(HttpMethod::Post);
    client.request().setHost("127.0.0.1");
    client.request().setPort(port);
    client.request().setPath("/form");
    client.request().setSendTimeout(kTimeout);
    client.request().addHeaderLine("Host: 127.0.0.1");
    client.request().addHeaderLine("Content-Length: 5");
    client.request().addFormField("q", "hello");
    client.setReceiveTimeout(kTimeout);
    client.setResultBufferSize(bufferSize);
    return client;
}

TEST(HttpClient, ExchangeSendsTheRequestAndSplitsTheReply) {
    ScriptedPeer peer({PeerAction::Reply, test::httpReply("HTTP/1.1 200 OK", "<x/>")});
    HttpClient client = clientFor(peer.port());
    ASSERT_TRUE(client.exchange()) << static_cast<int>(client.errorCode());
    EXPECT_EQ(client.errorCode(), HttpError::None);
    EXPECT_EQ(client.status(), HttpStatus::Ok);
    EXPECT_EQ(client.response().body(), "<x/>");
    EXPECT_EQ(client.response().headerLines().front(), "HTTP/1.1 200 OK");
    EXPECT_EQ(peer.received(), "POST /form HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Length: "
                               "5\r\n\r\nq=hello");

    // A second exchange on the same client starts from a clean response.
    ScriptedPeer next({PeerAction::Reply, test::httpReply("HTTP/1.0 404 Not Found", "")});
    client.request().setPort(next.port());
    ASSERT_TRUE(client.exchange());
    EXPECT_EQ(client.status(), HttpStatus::NotFound);
    EXPECT_TRUE(client.response().body().empty());
}

TEST(HttpClient, StatusesThatAreNotOk) {
    const struct {
        const char* statusLine;
        HttpStatus status;
    } cases[] = {
        {"HTTP/1.0 302 Found", HttpStatus::Redirect},
        {"HTTP/1.1 404 Not Found", HttpStatus::NotFound},
        {"HTTP/1.1 500 Internal Server Error", HttpStatus::None},
    };
    for (const auto& c : cases) {
        ScriptedPeer peer({PeerAction::Reply, test::httpReply(c.statusLine, "<p>no</p>")});
        HttpClient client = clientFor(peer.port());
        EXPECT_TRUE(client.exchange()) << c.statusLine;
        EXPECT_EQ(client.errorCode(), HttpError::None) << c.statusLine;
        EXPECT_EQ(client.status(), c.status) << c.statusLine;
        EXPECT_EQ(client.response().body(), "<p>no</p>");
    }
}

TEST(HttpClient, MalformedOversizedAndEmptyReplies) {
    {
        ScriptedPeer peer({PeerAction::Reply, "HTTP/1.0 200 OK\r\nServer: x\r\nbody"});
        HttpClient client = clientFor(peer.port());
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::SplitFailed);
    }
    {
        ScriptedPeer peer(
            {PeerAction::Reply, test::httpReply("HTTP/1.0 200 OK", std::string(5000, 'b'))});
        HttpClient client = clientFor(peer.port(), 4096);
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::ReadBufferFull);
        EXPECT_TRUE(client.response().headerLines().empty());
    }
    {
        // Bigger than every socket buffer, so the peer is still sending when the client quits.
        ScriptedPeer peer(
            {PeerAction::Reply, test::httpReply("HTTP/1.0 200 OK", std::string(8 << 20, 'b'))});
        HttpClient client = clientFor(peer.port(), 1 << 20);
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::ReadBufferFull);
    }
    {
        ScriptedPeer peer({PeerAction::Reply, ""});
        HttpClient client = clientFor(peer.port());
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::Other);
    }
    {
        ScriptedPeer peer({PeerAction::Reply, std::string("\0HTTP/1.0 200 OK\r\n\r\n", 20)});
        HttpClient client = clientFor(peer.port());
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::Other);
    }
}

TEST(HttpClient, SilenceAndResetAreReadFailures) {
    {
        ScriptedPeer peer({PeerAction::Silence, {}});
        HttpClient client = clientFor(peer.port());
        const auto start = Clock::now();
        EXPECT_FALSE(client.exchange());
        EXPECT_LT(Clock::now() - start, kTimeout + kSlack);
        EXPECT_EQ(client.errorCode(), HttpError::ReadTimeout);
        EXPECT_TRUE(client.lastSystemError() == EAGAIN || client.lastSystemError() == EWOULDBLOCK);
        EXPECT_EQ(client.status(), HttpStatus::None);
        EXPECT_TRUE(peer.sawClientClose());
    }
    {
        ScriptedPeer peer({PeerAction::ReplyThenReset, "HTTP/1.0 200 OK\r\nContent-Le"});
        HttpClient client = clientFor(peer.port());
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::ReadFailed);
        EXPECT_EQ(client.lastSystemError(), ECONNRESET);
    }
}

TEST(HttpClient, ConnectionFailuresCarryTheSocketCause) {
    {
        test::RefusingPort refusing;
        HttpClient client = clientFor(refusing.port());
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::Connect);
        EXPECT_EQ(client.lastSystemError(), ECONNREFUSED);
    }
    {
        test::FullListener listener;
        ASSERT_TRUE(listener.full());
        HttpClient client = clientFor(listener.port());
        const auto start = Clock::now();
        EXPECT_FALSE(client.exchange());
        EXPECT_LT(Clock::now() - start, kTimeout + kSlack);
        EXPECT_EQ(client.errorCode(), HttpError::Connect);
        EXPECT_EQ(client.lastSystemError(), ETIMEDOUT);
    }
    {
        HttpClient client = clientFor(80);
        client.request().setHost("no such host!");
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::HostLookup);
    }
    {
        HttpClient client = clientFor(80, 0);
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::ResultBufferSize);
    }
}

TEST(HttpClient, SocketCodesMapOntoHttpCodes) {
    const std::pair<SocketError, HttpError> table[] = {
        {SocketError::InitFailed, HttpError::SocketInit},
        {SocketError::CreateFailed, HttpError::SocketCreate},
        {SocketError::DetectHostFailed, HttpError::HostLookup},
        {SocketError::ConnectFailed, HttpError::Connect},
        {SocketError::AlreadyOpen, HttpError::AlreadyOpen},
        {SocketError::NotInit, HttpError::NotInit},
        {SocketError::NotOpen, HttpError::NotOpen},
        {SocketError::ReadParamsIncorrect, HttpError::ReadParams},
        {SocketError::ReadTimeout, HttpError::ReadTimeout},
        {SocketError::ReadFailed, HttpError::ReadFailed},
        {SocketError::ReadBufferFull, HttpError::ReadBufferFull},
        {SocketError::WriteParamsIncorrect, HttpError::WriteParams},
        {SocketError::WriteFailed, HttpError::WriteFailed},
        {SocketError::WriteTimeout, HttpError::WriteTimeout},
        {SocketError::None, HttpError::Other},
        {static_cast<SocketError>(99), HttpError::Other},
    };
    for (const auto& [socketCode, httpCode] : table) {
        EXPECT_EQ(httpErrorFromSocket(socketCode), httpCode) << static_cast<int>(socketCode);
    }
    EXPECT_EQ(static_cast<int>(HttpError::WriteTimeout), 16);
    EXPECT_EQ(static_cast<int>(HttpError::ReadBufferFull), 13);
}

} // namespace
} // namespace scalora
