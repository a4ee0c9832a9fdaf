// Sends the feedback form to the vendor's service and tells the feedback window how it went.
// The exchange blocks the calling thread for at most the send time-out (connecting and
// sending) plus the receive time-out.
#pragma once

#include "net/http_client.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scalora {

class ExchangeCancel;

enum class FeedbackOutcome {
    EmptyForm,         // both fields blank: nothing was sent
    ConnectionProblem, // no exchange, or a status other than 200 OK
    NotAccepted,       // the service answered, but not with its confirmation
    Accepted,
};

struct FeedbackEndpoint {
    std::string host;
    std::int32_t port = 80;
    std::string userAgent;
    std::chrono::milliseconds sendTimeout{20000};
    std::chrono::milliseconds receiveTimeout{20000};
    // The confirmation is a few dozen bytes; 1 MiB leaves room for any error page.
    std::ptrdiff_t resultBufferSize = 1048576;
};

// The client identification sent as User-Agent: "<product>/<version> (Linux)".
std::string feedbackUserAgent(std::string_view product, std::string_view version);

// The service chosen at build time (SCALORA_FEEDBACK_HOST, SCALORA_FEEDBACK_PORT), or for one
// run the environment's SCALORA_FEEDBACK_SERVER ("host:port"), and the product's own name and
// version as the User-Agent.
FeedbackEndpoint defaultFeedbackEndpoint();

class FeedbackSubmission {
public:
    explicit FeedbackSubmission(FeedbackEndpoint endpoint = defaultFeedbackEndpoint());

    // cancel, when given, lets another thread end the exchange early; a cancelled exchange
    // reports ConnectionProblem.
    FeedbackOutcome submit(std::string_view email, std::string_view message,
                           const ExchangeCancel* cancel = nullptr);

    // The request for an already built form value: POST to "/service-feedback" with the
    // header lines User-Agent, Host, Content-Type, Content-Length and Connection, in that
    // order, and the body "q=" + value.
    HttpRequest buildRequest(std::string_view value) const;

    // Details of the last submission, for diagnostics.
    HttpError lastError() const { return lastError_; }
    int lastSystemError() const { return lastSystemError_; }
    HttpStatus lastStatus() const { return lastStatus_; }

    const FeedbackEndpoint& endpoint() const { return endpoint_; }

private:
    FeedbackEndpoint endpoint_;
    HttpError lastError_ = HttpError::None;
    int lastSystemError_ = 0;
    HttpStatus lastStatus_ = HttpStatus::None;
};

} // namespace scalora
