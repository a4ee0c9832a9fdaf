#include "base/strings.h"
#include "net/base64.h"
#include "net/feedback_form.h"
#include "net/feedback_reply.h"
#include "net/feedback_submission.h"
#include "scripted_peer.h"

#include <cerrno>
#include <chrono>
#include <gtest/gtest.h>
#include <string>

namespace scalora {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using test::PeerAction;
using test::ScriptedPeer;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kTimeout = 300ms;
constexpr std::chrono::milliseconds kSlack = 2000ms;

constexpr std::string_view kAccepted =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<answer version=\"1.0\">1</answer>\r\n";

FeedbackEndpoint loopback(int port) {
    FeedbackEndpoint endpoint;
    endpoint.host = "127.0.0.1";
    endpoint.port = port;
    endpoint.userAgent = "Halvorn Scalora/0.0 (test)";
    endpoint.sendTimeout = kTimeout;
    endpoint.receiveTimeout = kTimeout;
    return endpoint;
}

TEST(FeedbackForm, TextJoinsAddressAndMessage) {
    EXPECT_EQ(feedbackText("  me@example.org\t", " \n Nice tool! \n"),
              "me@example.org\n\nNice tool!");
    // Only an address: still sent, followed by the two line feeds.
    EXPECT_EQ(feedbackText("me@example.org", "   "), "me@example.org\n\n");
    // Only a message: no leading line feeds.
    EXPECT_EQ(feedbackText("", "  Hallo W\xC3\xB6rld  "), "Hallo W\xC3\xB6rld");
    EXPECT_EQ(feedbackText(" \t", "\r\n \xC2\xA0"), "");
    // Zero bytes at either end are dropped, inner ones kept.
    EXPECT_EQ(feedbackText("", "\0\0a\0b\0"s), "a\0b"s);
    EXPECT_EQ(feedbackText("", "\0"s), "");
}

TEST(FeedbackForm, ValueIsBase64ThenUrlEncoded) {
    EXPECT_EQ(buildFeedbackValue("", ""), "");
    EXPECT_EQ(buildFeedbackValue("  ", "\n\t "), "");
    // Base64 "Pz8+" and "SGk/Pg==": "+" and "=" are encoded, "/" is not.
    EXPECT_EQ(buildFeedbackValue("", "?\?>"), "Pz8%2B");
    EXPECT_EQ(buildFeedbackValue("", " Hi?> "), "SGk/Pg%3D%3D");
    EXPECT_EQ(buildFeedbackValue("a@b.c", "hi ~~~"), "YUBiLmMKCmhpIH5%2Bfg%3D%3D");
    // A long message stays on one line.
    const std::string value = buildFeedbackValue("", std::string(200, 'x'));
    EXPECT_EQ(value.find('\n'), std::string::npos);
    EXPECT_EQ(value.find("%0A"), std::string::npos);
}

TEST(FeedbackReply, OnlyTheExactConfirmationIsAccepted) {
    EXPECT_TRUE(isAcceptedFeedbackReply(kAccepted));
    EXPECT_TRUE(isAcceptedFeedbackReply("<?xml version='1.0'?><answer version='1.0'>1</answer>"));
    const char* refused[] = {
        "",
        "<answer version=\"1.0\">1</answer>",                            // no declaration
        "<?xml version=\"1.0\"?><answer version=\"1.0\">\r\n1</answer>", // line break
        "<?xml version=\"1.0\"?><answer version=\"1.0\">1 </answer>",    // trailing blank
        "<?xml version=\"1.0\"?><answer version=\"1.1\">1</answer>",     // other version
        "<?xml version=\"1.0\"?><answer>1</answer>",                     // no version
        "<?xml version=\"1.0\"?><answer version=\"1.0\">0</answer>",     // refusal
        "<?xml version=\"1.0\"?><Answer version=\"1.0\">1</Answer>",     // name case
        "<?xml version=\"1.0\"?><reply><answer version=\"1.0\">1</answer></reply>", // nested
        "<?xml version=\"1.0\"?><answer version=\"1.0\">1</answer> trailing",       // unparsable
        "<html><body>OK</body></html>",
    };
    for (const char* body : refused) {
        EXPECT_FALSE(isAcceptedFeedbackReply(body)) << body;
    }
}

TEST(FeedbackSubmission, RequestHasItsFiveHeaderLinesInOrder) {
    FeedbackEndpoint endpoint;
    endpoint.host = "feedback.example";
    endpoint.userAgent = "Agent/1";
    const FeedbackSubmission submission(endpoint);
    const HttpRequest request = submission.buildRequest("Pz8%2B");
    EXPECT_EQ(request.requestText(), "POST /service-feedback HTTP/1.0\r\n"
                                     "User-Agent: Agent/1\r\n"
                                     "Host: feedback.example\r\n"
                                     "Content-Type: application/x-www-form-urlencoded\r\n"
                                     "Content-Length: 8\r\n"
                                     "Connection: close\r\n"
                                     "\r\n"
                                     "q=Pz8%2B");
    EXPECT_EQ(request.port(), 80);
    EXPECT_EQ(request.sendTimeout(), 20s);

    const FeedbackEndpoint standard = defaultFeedbackEndpoint();
    EXPECT_FALSE(standard.host.empty());
    EXPECT_TRUE(standard.userAgent.starts_with("Halvorn Scalora/")) << standard.userAgent;
    EXPECT_EQ(feedbackUserAgent("Product", "2.0.1"), "Product/2.0.1 (Linux)");
    EXPECT_EQ(standard.sendTimeout, 20s);
    EXPECT_EQ(standard.receiveTimeout, 20s);
    EXPECT_EQ(standard.resultBufferSize, 1048576);
}

TEST(FeedbackSubmission, AcceptedReplyAndTheBytesTheServerSaw) {
    ScriptedPeer peer({PeerAction::Reply, test::httpReply("HTTP/1.0 200 OK", kAccepted)});
    FeedbackSubmission submission(loopback(peer.port()));
    EXPECT_EQ(submission.submit(" me@example.org ", "Gr\xC3\xBC\xC3\x9F"
                                                    "e + Dank"),
              FeedbackOutcome::Accepted);
    EXPECT_EQ(submission.lastError(), HttpError::None);
    EXPECT_EQ(submission.lastStatus(), HttpStatus::Ok);

    const std::string& request = peer.received();
    const std::size_t headerEnd = request.find("\r\n\r\n");
    ASSERT_NE(headerEnd, std::string::npos) << request;
    const std::vector<std::string> lines = split(request.substr(0, headerEnd), "\r\n");
    ASSERT_EQ(lines.size(), 6u) << request;
    EXPECT_EQ(lines[0], "POST /service-feedback HTTP/1.0");
    EXPECT_EQ(lines[1], "User-Agent: Halvorn Scalora/0.0 (test)");
    // The port is not the default one, so Host names it.
    EXPECT_EQ(lines[2], "Host: 127.0.0.1:" + std::to_string(peer.port()));
    EXPECT_EQ(lines[3], "Content-Type: application/x-www-form-urlencoded");
    EXPECT_EQ(lines[5], "Connection: close");
    const std::string body = request.substr(headerEnd + 4);
    EXPECT_EQ(lines[4], "Content-Length: " + std::to_string(body.size()));
    const std::string expectedValue = "bWVAZXhhbXBsZS5vcmcKCkdyw7zDn2UgKyBEYW5r";
    EXPECT_EQ(body, "q=" + expectedValue);
    EXPECT_EQ(expectedValue, base64Encode("me@example.org\n\nGr\xC3\xBC\xC3\x9F"
                                          "e + Dank"));
}

TEST(FeedbackSubmission, RepliesThatAreNotAConfirmation) {
    const std::string withoutDeclaration = "<answer version=\"1.0\">1</answer>";
    const std::string lineBreak = "<?xml version=\"1.0\"?>\n<answer version=\"1.0\">\n1</answer>";
    for (const std::string& body : {withoutDeclaration, lineBreak, std::string()}) {
        ScriptedPeer peer({PeerAction::Reply, test::httpReply("HTTP/1.1 200 OK", body)});
        FeedbackSubmission submission(loopback(peer.port()));
        EXPECT_EQ(submission.submit("", "hello"), FeedbackOutcome::NotAccepted) << body;
        EXPECT_EQ(submission.lastError(), HttpError::None);
        EXPECT_EQ(submission.lastStatus(), HttpStatus::Ok);
    }
}

TEST(FeedbackSubmission, StatusOtherThanOkIsAConnectionProblem) {
    const struct {
        const char* statusLine;
        HttpStatus status;
    } cases[] = {
        {"HTTP/1.0 302 Found\r\nLocation: http://elsewhere.example/", HttpStatus::Redirect},
        {"HTTP/1.1 404 Not Found", HttpStatus::NotFound},
        {"HTTP/1.1 500 Internal Server Error", HttpStatus::None},
    };
    for (const auto& c : cases) {
        // Even a confirmation in the body does not count without 200 OK.
        ScriptedPeer peer({PeerAction::Reply, test::httpReply(c.statusLine, kAccepted)});
        FeedbackSubmission submission(loopback(peer.port()));
        EXPECT_EQ(submission.submit("", "hello"), FeedbackOutcome::ConnectionProblem)
            << c.statusLine;
        EXPECT_EQ(submission.lastError(), HttpError::None);
        EXPECT_EQ(submission.lastStatus(), c.status);
        EXPECT_FALSE(peer.received().empty()); // the redirect was not followed: one request
    }
}

struct Attempt {
    FeedbackOutcome outcome;
    HttpError error;
    HttpStatus status;
    int systemError;
};

Attempt submitTo(int port, FeedbackEndpoint endpoint = loopback(0)) {
    endpoint.port = port;
    FeedbackSubmission submission(endpoint);
    const auto start = Clock::now();
    const FeedbackOutcome outcome = submission.submit("me@example.org", "hello");
    // The window may block for the send time-out plus the receive time-out, never longer.
    EXPECT_LT(Clock::now() - start, endpoint.sendTimeout + endpoint.receiveTimeout + kSlack);
    return {outcome, submission.lastError(), submission.lastStatus(), submission.lastSystemError()};
}

void expectProblem(const Attempt& attempt, HttpError error, int systemError) {
    EXPECT_EQ(attempt.outcome, FeedbackOutcome::ConnectionProblem);
    EXPECT_EQ(attempt.error, error);
    EXPECT_EQ(attempt.status, HttpStatus::None);
    EXPECT_EQ(attempt.systemError, systemError);
}

TEST(FeedbackSubmission, FailedExchangesAreConnectionProblems) {
    {
        SCOPED_TRACE("no blank line after the header");
        ScriptedPeer peer(
            {PeerAction::Reply, "HTTP/1.0 200 OK\r\nServer: x\r\n" + std::string(kAccepted)});
        expectProblem(submitTo(peer.port()), HttpError::SplitFailed, 0);
    }
    {
        SCOPED_TRACE("reply larger than the buffer");
        FeedbackEndpoint small = loopback(0);
        small.resultBufferSize = 1024;
        ScriptedPeer peer(
            {PeerAction::Reply,
             test::httpReply("HTTP/1.0 200 OK", std::string(kAccepted) + std::string(2000, ' '))});
        expectProblem(submitTo(peer.port(), small), HttpError::ReadBufferFull, 0);
    }
    {
        SCOPED_TRACE("silence past the receive time-out");
        ScriptedPeer peer({PeerAction::Silence, {}});
        const Attempt attempt = submitTo(peer.port());
        expectProblem(attempt, HttpError::ReadTimeout, attempt.systemError);
        EXPECT_TRUE(attempt.systemError == EAGAIN || attempt.systemError == EWOULDBLOCK);
        EXPECT_TRUE(peer.sawClientClose());
    }
    {
        SCOPED_TRACE("refused connection");
        test::RefusingPort refusing;
        expectProblem(submitTo(refusing.port()), HttpError::Connect, ECONNREFUSED);
    }
    {
        SCOPED_TRACE("host that never answers");
        test::FullListener listener;
        ASSERT_TRUE(listener.full());
        expectProblem(submitTo(listener.port()), HttpError::Connect, ETIMEDOUT);
    }
    {
        SCOPED_TRACE("reset half-way through the reply");
        ScriptedPeer peer({PeerAction::ReplyThenReset, "HTTP/1.0 200 OK\r\nConte"});
        expectProblem(submitTo(peer.port()), HttpError::ReadFailed, ECONNRESET);
    }
}

TEST(FeedbackSubmission, EmptyFormSendsNothing) {
    // Sending anything to a refusing port would end in a connection problem instead.
    test::RefusingPort refusing;
    FeedbackSubmission submission(loopback(refusing.port()));
    EXPECT_EQ(submission.submit(" \t ", "\r\n"), FeedbackOutcome::EmptyForm);
    EXPECT_EQ(submission.lastError(), HttpError::None);
    EXPECT_EQ(submission.submit("", "\0"s), FeedbackOutcome::EmptyForm);
}

} // namespace
} // namespace scalora
