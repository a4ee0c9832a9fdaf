#include "net/socket_client.h"

#include "net/exchange_cancel.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
#include <utility>

namespace scalora {
namespace {

std::atomic<int> gStartupUses{0};
std::atomic<bool> gStarted{false};

// Host names are at most 253 characters in DNS; anything longer cannot name a host, and
// cutting it short could name a different one.
constexpr std::size_t kMaxHostBytes = 255;

// Used when the receive buffer size cannot be read: large enough that the feedback reply
// arrives in a handful of calls.
constexpr std::int32_t kFallbackChunkSize = 65536;

// Two bytes at the end of every receive buffer stay zero, so text in it is terminated for
// callers that read it as a string (also when the text is UTF-16).
constexpr std::ptrdiff_t kTerminatorBytes = 2;

bool isTimeoutError(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == ETIMEDOUT;
}

int failureErrno(SocketClient::Readiness readiness) {
    switch (readiness) {
    case SocketClient::Readiness::TimedOut:
        return ETIMEDOUT;
    case SocketClient::Readiness::Cancelled:
        return ECANCELED;
    default:
        return errno;
    }
}

timeval toTimeval(std::chrono::milliseconds duration) {
    timeval value{};
    value.tv_sec = static_cast<time_t>(duration.count() / 1000);
    value.tv_usec = static_cast<suseconds_t>((duration.count() % 1000) * 1000);
    return value;
}

} // namespace

std::string_view socketErrorText(std::int32_t code) {
    switch (code) {
    case 0:
        return "no error";
    case 1:
        return "init failed";
    case 2:
        return "create failed";
    case 3:
        return "detect host failed";
    case 4:
        return "connect failed";
    case 5:
        return "write params is incorrect";
    case 6:
        return "write failed";
    case 7:
        return "write timeout elapsed";
    case 8:
        return "read params is incorrect";
    case 9:
        return "read failed";
    case 10:
        return "read buffer is full";
    case 11:
        return "read timeout elapsed";
    case 12:
        return "already open";
    case 13:
        return "not init";
    case 14:
        return "not open";
    default:
        return "unknown error";
    }
}

bool SocketStartup::acquire() {
    if (gStartupUses.fetch_add(1) == 0) {
        gStarted = true;
    }
    return gStarted;
}

void SocketStartup::release() {
    if (gStartupUses.fetch_sub(1) == 1 && gStarted) {
        gStarted = false;
    }
}

bool SocketStartup::started() {
    return gStarted;
}

int SocketStartup::useCount() {
    return gStartupUses;
}

SocketClient::SocketClient(std::chrono::milliseconds receiveTimeout,
                           std::chrono::milliseconds sendTimeout, std::string host,
                           std::int32_t port, std::int32_t chunkSize)
    : receiveTimeout_(receiveTimeout), sendTimeout_(sendTimeout), host_(std::move(host)),
      port_(port), chunkSize_(chunkSize) {
    if (!SocketStartup::acquire()) {
        error_ = SocketError::InitFailed;
    }
}

SocketClient::~SocketClient() {
    disconnect();
    SocketStartup::release();
}

void SocketClient::recordFailure(SocketError code, int systemError) {
    error_ = code;
    systemError_ = systemError;
    disconnect();
}

void SocketClient::disconnect() {
    if (connected_) {
        ::shutdown(handle_, SHUT_WR);
    }
    if (handle_ >= 0) {
        ::close(handle_);
    }
    handle_ = -1;
    connected_ = false;
}

bool SocketClient::applyTimeouts() {
    if (receiveTimeout_.count() > 0) {
        const timeval value = toTimeval(receiveTimeout_);
        if (::setsockopt(handle_, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value) != 0) {
            return false;
        }
    }
    if (sendTimeout_.count() > 0) {
        const timeval value = toTimeval(sendTimeout_);
        if (::setsockopt(handle_, SOL_SOCKET, SO_SNDTIMEO, &value, sizeof value) != 0) {
            return false;
        }
    }
    return true;
}

// Waits until the connection reports one of events, the time-out (none when zero or less)
// passes, or the cancel, when there is one, is cancelled.
SocketClient::Readiness SocketClient::awaitReady(short events,
                                                 std::chrono::milliseconds timeout) const {
    using Clock = std::chrono::steady_clock;
    const bool bounded = timeout.count() > 0;
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        if (cancel_ != nullptr && cancel_->isCancelled()) {
            return Readiness::Cancelled;
        }
        int wait = -1;
        if (bounded) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            wait = static_cast<int>(std::max<std::int64_t>(left.count(), 0));
        }
        // poll skips the negative descriptor of a missing cancel.
        const int cancelFd = cancel_ != nullptr ? cancel_->waitDescriptor() : -1;
        pollfd entries[2] = {{handle_, events, 0}, {cancelFd, POLLIN, 0}};
        const int ready = ::poll(entries, 2, wait);
        if (ready > 0) {
            return entries[1].revents != 0 ? Readiness::Cancelled : Readiness::Ready;
        }
        if (ready == 0) {
            return Readiness::TimedOut;
        }
        if (errno != EINTR) {
            return Readiness::Failed;
        }
    }
}

bool SocketClient::resolve(void* address) {
    auto* target = static_cast<sockaddr_in*>(address);
    if (host_.size() > kMaxHostBytes || host_.find('\0') != std::string::npos) {
        lookupError_ = EAI_NONAME;
        recordFailure(SocketError::DetectHostFailed, 0);
        return false;
    }
    // A dotted address needs no lookup (and must not wait for a resolver).
    if (::inet_aton(host_.c_str(), &target->sin_addr) != 0) {
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(host_.c_str(), nullptr, &hints, &found);
    if (rc != 0 || found == nullptr) {
        lookupError_ = rc != 0 ? rc : EAI_NONAME;
        recordFailure(SocketError::DetectHostFailed, rc == EAI_SYSTEM ? errno : 0);
        return false;
    }
    target->sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return true;
}

// A blocking connect to a host that never answers waits for the kernel's SYN retries (minutes);
// connecting without blocking and polling keeps the promise that the caller waits no longer
// than its send time-out.
bool SocketClient::connectWithTimeout(const void* address) {
    const int flags = ::fcntl(handle_, F_GETFL);
    if (flags < 0 || ::fcntl(handle_, F_SETFL, flags | O_NONBLOCK) != 0) {
        recordFailure(SocketError::ConnectFailed, errno);
        return false;
    }
    const auto* target = static_cast<const sockaddr*>(address);
    if (::connect(handle_, target, sizeof(sockaddr_in)) != 0) {
        if (errno != EINPROGRESS && errno != EINTR) {
            recordFailure(SocketError::ConnectFailed, errno);
            return false;
        }
        const Readiness readiness = awaitReady(POLLOUT, sendTimeout_);
        if (readiness != Readiness::Ready) {
            recordFailure(SocketError::ConnectFailed, failureErrno(readiness));
            return false;
        }
        int pending = 0;
        socklen_t length = sizeof pending;
        if (::getsockopt(handle_, SOL_SOCKET, SO_ERROR, &pending, &length) != 0) {
            pending = errno;
        }
        if (pending != 0) {
            recordFailure(SocketError::ConnectFailed, pending);
            return false;
        }
    }
    if (::fcntl(handle_, F_SETFL, flags) != 0) {
        recordFailure(SocketError::ConnectFailed, errno);
        return false;
    }
    return true;
}

bool SocketClient::connect() {
    error_ = SocketError::None;
    systemError_ = 0;
    lookupError_ = 0;
    if (!SocketStartup::started()) {
        recordFailure(SocketError::NotInit, 0);
        return false;
    }
    if (connected_) {
        recordFailure(SocketError::AlreadyOpen, 0);
        return false;
    }
    disconnect(); // a handle left from a failed attempt
    handle_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (handle_ < 0) {
        recordFailure(SocketError::CreateFailed, errno);
        return false;
    }
    if (chunkSize_ == 0) {
        int size = 0;
        socklen_t length = sizeof size;
        const bool known =
            ::getsockopt(handle_, SOL_SOCKET, SO_RCVBUF, &size, &length) == 0 && size > 0;
        chunkSize_ = known ? size : kFallbackChunkSize;
    }
    if (!applyTimeouts()) {
        recordFailure(SocketError::CreateFailed, errno);
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    if (port_ < 1 || port_ > 65535) {
        recordFailure(SocketError::ConnectFailed, EINVAL);
        return false;
    }
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    if (!resolve(&address)) {
        return false;
    }
    if (cancel_ != nullptr && cancel_->isCancelled()) {
        recordFailure(SocketError::ConnectFailed, ECANCELED);
        return false;
    }
    if (!connectWithTimeout(&address)) {
        return false;
    }
    connected_ = true;
    return true;
}

bool SocketClient::send(const void* bytes, std::ptrdiff_t count) {
    if (!connected_) {
        recordFailure(SocketError::NotOpen, 0);
        return false;
    }
    if (bytes == nullptr || count < 1) {
        recordFailure(SocketError::WriteParamsIncorrect, 0);
        return false;
    }
    // A partial write is not success: the rest of the request would be lost silently.
    const auto* next = static_cast<const char*>(bytes);
    std::ptrdiff_t left = count;
    while (left > 0) {
        // MSG_NOSIGNAL: a peer that has gone away must give EPIPE, not kill the program.
        if (cancel_ != nullptr) {
            const Readiness readiness = awaitReady(POLLOUT, sendTimeout_);
            if (readiness != Readiness::Ready) {
                recordFailure(readiness == Readiness::TimedOut ? SocketError::WriteTimeout
                                                               : SocketError::WriteFailed,
                              failureErrno(readiness));
                return false;
            }
        }
        const ssize_t sent = ::send(handle_, next, static_cast<std::size_t>(left), MSG_NOSIGNAL);
        if (sent > 0) {
            next += sent;
            left -= sent;
            continue;
        }
        const int error = sent < 0 ? errno : EPIPE;
        if (sent < 0 && error == EINTR) {
            continue;
        }
        recordFailure(isTimeoutError(error) ? SocketError::WriteTimeout : SocketError::WriteFailed,
                      error);
        return false;
    }
    return true;
}

std::ptrdiff_t SocketClient::receive(void* buffer, std::ptrdiff_t capacity) {
    if (!connected_) {
        recordFailure(SocketError::NotOpen, 0);
        return -1;
    }
    if (buffer == nullptr || capacity <= kTerminatorBytes || chunkSize_ < 1) {
        recordFailure(SocketError::ReadParamsIncorrect, 0);
        return -1;
    }
    auto* bytes = static_cast<char*>(buffer);
    const std::ptrdiff_t usable = capacity - kTerminatorBytes;
    std::ptrdiff_t received = 0;
    for (;;) {
        const std::ptrdiff_t space = usable - received;
        // With the buffer full, one more byte is read aside: a reply that fills the buffer
        // exactly and then ends still fits.
        char probe = 0;
        char* target = space > 0 ? bytes + received : &probe;
        const std::ptrdiff_t want = space > 0 ? std::min<std::ptrdiff_t>(space, chunkSize_) : 1;
        if (cancel_ != nullptr) {
            const Readiness readiness = awaitReady(POLLIN, receiveTimeout_);
            if (readiness != Readiness::Ready) {
                recordFailure(readiness == Readiness::TimedOut ? SocketError::ReadTimeout
                                                               : SocketError::ReadFailed,
                              failureErrno(readiness));
                return -1;
            }
        }
        const ssize_t got = ::recv(handle_, target, static_cast<std::size_t>(want), 0);
        if (got < 0) {
            const int error = errno;
            if (error == EINTR) {
                continue;
            }
            recordFailure(
                isTimeoutError(error) ? SocketError::ReadTimeout : SocketError::ReadFailed, error);
            return -1;
        }
        if (got == 0) {
            break;
        }
        if (space <= 0) {
            recordFailure(SocketError::ReadBufferFull, 0);
            return -1;
        }
        received += got;
    }
    bytes[capacity - 2] = 0;
    bytes[capacity - 1] = 0;
    return received;
}

} // namespace scalora
