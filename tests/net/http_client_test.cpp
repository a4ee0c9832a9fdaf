#include "net/http_client.h"
#include "scripted_peer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>

namespace scalora {
namespace {

using namespace std::chrono_literals;
using test::PeerAction;
using test::ScriptedPeer;

constexpr std::chrono::milliseconds kTimeout = 300ms;

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

// Failures the feedback tests do not reach; the rest are checked there, through the client.
TEST(HttpClient, OversizedAndEmptyRepliesAndBadSettings) {
    {
        // Bigger than every socket buffer, so the peer is still sending when the client quits.
        ScriptedPeer peer(
            {PeerAction::Reply, test::httpReply("HTTP/1.0 200 OK", std::string(8 << 20, 'b'))});
        HttpClient client = clientFor(peer.port(), 1 << 20);
        EXPECT_FALSE(client.exchange());
        EXPECT_EQ(client.errorCode(), HttpError::ReadBufferFull);
        EXPECT_TRUE(client.response().headerLines().empty());
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
