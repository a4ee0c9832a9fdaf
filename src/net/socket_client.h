// A small blocking TCP client over IPv4: resolve, connect, send one buffer, read until the
// peer closes. Every failure leaves a numeric code and the system error in the object and
// closes the connection, so the caller (the HTTP client) decides what to tell the user.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scalora {

class ExchangeCancel;

enum class SocketError : std::int32_t {
    None = 0,
    InitFailed = 1,
    CreateFailed = 2,
    DetectHostFailed = 3,
    ConnectFailed = 4,
    WriteParamsIncorrect = 5,
    WriteFailed = 6,
    WriteTimeout = 7,
    ReadParamsIncorrect = 8,
    ReadFailed = 9,
    ReadBufferFull = 10,
    ReadTimeout = 11,
    AlreadyOpen = 12,
    NotInit = 13,
    NotOpen = 14,
};

// A short English description for diagnostics; codes outside 0..14 read "unknown error".
std::string_view socketErrorText(std::int32_t code);

// Process-wide start-up of the socket layer, counted per socket object. POSIX sockets need no
// start-up, so acquiring always succeeds; the count is kept so that "init failed" and "not
// init" stay meaningful codes and so that tests can see every socket released its use.
class SocketStartup {
public:
    // Takes one use; true when the socket layer is started.
    [[nodiscard]] static bool acquire();
    static void release();
    static bool started();
    static int useCount();
};

class SocketClient {
public:
    enum class Readiness { Ready, TimedOut, Cancelled, Failed };

    // Time-outs of zero or less leave the system's own (unbounded) waits in place. A chunk size
    // of 0 is taken from the socket's receive buffer size when connecting.
    SocketClient(std::chrono::milliseconds receiveTimeout, std::chrono::milliseconds sendTimeout,
                 std::string host, std::int32_t port, std::int32_t chunkSize = 0);
    ~SocketClient();
    SocketClient(const SocketClient&) = delete;
    SocketClient& operator=(const SocketClient&) = delete;

    // The host is a dotted IPv4 address (used as is) or a name looked up through the system
    // resolver (whose own time-outs apply). The connection attempt itself is bounded by the
    // send time-out.
    [[nodiscard]] bool connect();
    // Sends all count bytes (retrying after partial writes).
    [[nodiscard]] bool send(const void* bytes, std::ptrdiff_t count);
    // Reads until the peer closes the connection. The last two bytes of the buffer are kept
    // for a terminating zero pair, so data never overlaps them and text in the buffer is
    // always terminated. Returns the number of bytes received, or -1 on failure.
    std::ptrdiff_t receive(void* buffer, std::ptrdiff_t capacity);
    void disconnect();

    // Makes connect, send and receive also wait on the cancel, failing with the system error
    // ECANCELED once it is cancelled; null (the default) waits on the connection alone.
    void setCancel(const ExchangeCancel* cancel) { cancel_ = cancel; }

    SocketError errorCode() const { return error_; }
    // errno at the failure (0 when the failure came from the arguments or the state).
    int lastSystemError() const { return systemError_; }
    // The resolver's own code (a getaddrinfo EAI_ value) when the name lookup failed.
    int lookupError() const { return lookupError_; }
    bool hasError() const { return error_ != SocketError::None || systemError_ != 0; }

    bool isConnected() const { return connected_; }
    std::int32_t chunkSize() const { return chunkSize_; }
    const std::string& host() const { return host_; }
    std::int32_t port() const { return port_; }

private:
    void recordFailure(SocketError code, int systemError);
    [[nodiscard]] bool resolve(void* address);
    [[nodiscard]] bool connectWithTimeout(const void* address);
    [[nodiscard]] bool applyTimeouts();
    Readiness awaitReady(short events, std::chrono::milliseconds timeout) const;

    std::chrono::milliseconds receiveTimeout_;
    std::chrono::milliseconds sendTimeout_;
    std::string host_;
    std::int32_t port_;
    std::int32_t chunkSize_;
    int handle_ = -1;
    bool connected_ = false;
    SocketError error_ = SocketError::None;
    int systemError_ = 0;
    int lookupError_ = 0;
    const ExchangeCancel* cancel_ = nullptr;
};

} // namespace scalora
