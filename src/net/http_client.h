// A minimal HTTP/1.0 client: one request, one response per connection. The whole response
// is read into a buffer of a fixed size until the server closes the connection, then split
// into header lines and body. No redirects are followed and nothing is retried.
#pragma once

#include "net/http_request.h"
#include "net/http_response.h"
#include "net/socket_client.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace scalora {

class ExchangeCancel;

enum class HttpError : std::int32_t {
    None = 0,
    ResultBufferSize = 1,
    SplitFailed = 2,
    SocketInit = 3,
    SocketCreate = 4,
    HostLookup = 5,
    Connect = 6,
    AlreadyOpen = 7,
    NotInit = 8,
    NotOpen = 9,
    ReadParams = 10,
    ReadTimeout = 11,
    ReadFailed = 12,
    ReadBufferFull = 13,
    WriteParams = 14,
    WriteFailed = 15,
    WriteTimeout = 16,
    Other = 17,
};

// The HTTP error that stands for a socket failure; codes without a counterpart give Other.
HttpError httpErrorFromSocket(SocketError code);

class HttpClient {
public:
    HttpRequest& request() { return request_; }
    const HttpRequest& request() const { return request_; }
    const HttpResponse& response() const { return response_; }

    void setReceiveTimeout(std::chrono::milliseconds timeout) { receiveTimeout_ = timeout; }
    // The largest response this client accepts, in bytes; the last two bytes of the buffer
    // are reserved for a terminating zero pair.
    void setResultBufferSize(std::ptrdiff_t size) { resultBufferSize_ = size; }
    // Lets another thread end the exchange early (see SocketClient::setCancel); null: none.
    void setCancel(const ExchangeCancel* cancel) { cancel_ = cancel; }

    // Connects, sends the request text, reads and splits the response. On failure the
    // response is left as far as it was filled.
    [[nodiscard]] bool exchange();

    HttpError errorCode() const { return error_; }
    int lastSystemError() const { return systemError_; }
    HttpStatus status() const { return responseStatus(response_); }

private:
    void takeSocketError(const SocketClient& socket);

    HttpRequest request_;
    HttpResponse response_;
    std::chrono::milliseconds receiveTimeout_{0};
    std::ptrdiff_t resultBufferSize_ = 0;
    const ExchangeCancel* cancel_ = nullptr;
    HttpError error_ = HttpError::None;
    int systemError_ = 0;
};

} // namespace scalora
