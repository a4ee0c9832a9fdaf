#include "net/feedback_submission.h"

#include "base/product.h"
#include "base/strings.h"
#include "net/feedback_form.h"
#include "net/feedback_reply.h"

#include <charconv>
#include <cstdlib>
#include <utility>

namespace scalora {
namespace {

constexpr std::string_view kPath = "/service-feedback";
constexpr std::int32_t kDefaultHttpPort = 80;

} // namespace

std::string feedbackUserAgent(std::string_view product, std::string_view version) {
    std::string agent(product);
    agent += '/';
    agent += version;
    agent += " (Linux)";
    return agent;
}

FeedbackEndpoint defaultFeedbackEndpoint() {
    FeedbackEndpoint endpoint;
    endpoint.host = SCALORA_FEEDBACK_HOST;
    endpoint.port = SCALORA_FEEDBACK_PORT;
    endpoint.userAgent = feedbackUserAgent(kProductName, kProductVersion);
    // A staging service (or a test's) for one run, as "host:port"; anything else is ignored.
    if (const char* server = std::getenv("SCALORA_FEEDBACK_SERVER")) {
        const std::string_view text(server);
        const std::size_t colon = text.rfind(':');
        std::int32_t port = 0;
        if (colon != std::string_view::npos && colon > 0) {
            const auto [end, error] =
                std::from_chars(text.data() + colon + 1, text.data() + text.size(), port);
            if (error == std::errc() && end == text.data() + text.size() && port > 0 &&
                port <= 65535) {
                endpoint.host = std::string(text.substr(0, colon));
                endpoint.port = port;
            }
        }
    }
    return endpoint;
}

FeedbackSubmission::FeedbackSubmission(FeedbackEndpoint endpoint)
    : endpoint_(std::move(endpoint)) {}

HttpRequest FeedbackSubmission::buildRequest(std::string_view value) const {
    HttpRequest request;
    request.setMethod(HttpMethod::Post);
    request.setHost(endpoint_.host);
    request.setPort(endpoint_.port);
    request.setPath(std::string(kPath));
    request.setVersion("1.0");
    request.setSendTimeout(endpoint_.sendTimeout);
    request.addFormField("q", std::string(value));
    // A server that hosts several names needs the port in Host when it is not the default.
    std::string host = endpoint_.host;
    if (endpoint_.port != kDefaultHttpPort) {
        host += ":" + intToString(endpoint_.port);
    }
    request.addHeaderLine("User-Agent: " + endpoint_.userAgent);
    request.addHeaderLine("Host: " + host);
    request.addHeaderLine("Content-Type: application/x-www-form-urlencoded");
    request.addHeaderLine("Content-Length: " +
                          intToString(static_cast<std::int64_t>(request.formBodyLength())));
    request.addHeaderLine("Connection: close");
    return request;
}

FeedbackOutcome FeedbackSubmission::submit(std::string_view email, std::string_view message,
                                           const ExchangeCancel* cancel) {
    lastError_ = HttpError::None;
    lastSystemError_ = 0;
    lastStatus_ = HttpStatus::None;
    const std::string value = buildFeedbackValue(email, message);
    if (value.empty()) {
        return FeedbackOutcome::EmptyForm;
    }
    HttpClient client;
    client.request() = buildRequest(value);
    client.setReceiveTimeout(endpoint_.receiveTimeout);
    client.setResultBufferSize(endpoint_.resultBufferSize);
    client.setCancel(cancel);
    const bool exchanged = client.exchange();
    lastError_ = client.errorCode();
    lastSystemError_ = client.lastSystemError();
    lastStatus_ = client.status();
    if (!exchanged || lastStatus_ != HttpStatus::Ok) {
        return FeedbackOutcome::ConnectionProblem;
    }
    const std::string& body = client.response().body();
    if (body.empty() || !isAcceptedFeedbackReply(body)) {
        return FeedbackOutcome::NotAccepted;
    }
    return FeedbackOutcome::Accepted;
}

} // namespace scalora
