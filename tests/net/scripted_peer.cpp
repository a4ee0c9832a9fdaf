#include "scripted_peer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
#include <utility>

namespace scalora::test {
namespace {

using Clock = std::chrono::steady_clock;

int bindLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0; // the kernel picks a free port
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

// Waits until fd reports one of events, the deadline passes, or the stop pipe is written.
bool waitFor(int fd, short events, int stopFd, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd entries[2] = {{fd, events, 0}, {stopFd, POLLIN, 0}};
        const int ready = ::poll(entries, 2, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0 || entries[1].revents != 0) {
            return false;
        }
        return true;
    }
}

// The Content-Length of a request header, or 0.
std::size_t contentLength(std::string_view header) {
    std::string lower(header);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::size_t at = lower.find("\r\ncontent-length:");
    if (at == std::string::npos) {
        return 0;
    }
    return static_cast<std::size_t>(std::strtoul(
        lower.c_str() + at + std::string_view("\r\ncontent-length:").size(), nullptr, 10));
}

void sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return; // the client went away; what it saw is what the test checks
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

void closeWithReset(int fd) {
    linger abort{1, 0}; // a zero linger time makes close send RST instead of FIN
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(fd);
}

} // namespace

ScriptedPeer::ScriptedPeer(PeerScript script) : script_(std::move(script)) {
    int pipeEnds[2] = {-1, -1};
    if (::pipe2(pipeEnds, O_CLOEXEC) == 0) {
        stopRead_ = pipeEnds[0];
        stopWrite_ = pipeEnds[1];
    }
    listener_ = bindLoopback(port_);
    if (listener_ >= 0 && ::listen(listener_, 1) != 0) {
        ::close(listener_);
        listener_ = -1;
    }
    if (listener_ >= 0 && stopRead_ >= 0) {
        thread_ = std::thread([this] { run(); });
    }
}

ScriptedPeer::~ScriptedPeer() {
    if (stopWrite_ >= 0) {
        const char stop = 1;
        [[maybe_unused]] const ssize_t written = ::write(stopWrite_, &stop, 1);
    }
    finish();
    for (const int fd : {listener_, stopRead_, stopWrite_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void ScriptedPeer::finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

const std::string& ScriptedPeer::received() {
    finish();
    return received_;
}

bool ScriptedPeer::waitForRequest() {
    std::unique_lock lock(requestMutex_);
    return requestRead_.wait_for(lock, kPeerBound, [this] { return hasRequest_; });
}

bool ScriptedPeer::sawClientClose() {
    finish();
    return sawClientClose_;
}

void ScriptedPeer::run() {
    const Clock::time_point deadline = Clock::now() + kPeerBound;
    if (!waitFor(listener_, POLLIN, stopRead_, deadline)) {
        return;
    }
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
        return;
    }
    // Bounds a send to a client that stopped reading.
    timeval bound{static_cast<time_t>(kPeerBound.count() / 1000), 0};
    ::setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &bound, sizeof bound);

    char chunk[4096];
    if (script_.readRequest) {
        for (;;) {
            const std::size_t headerEnd = received_.find("\r\n\r\n");
            if (headerEnd != std::string::npos &&
                received_.size() >= headerEnd + 4 + contentLength(received_.substr(0, headerEnd))) {
                break;
            }
            if (!waitFor(connection, POLLIN, stopRead_, deadline)) {
                break;
            }
            const ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
            if (got <= 0) {
                break;
            }
            received_.append(chunk, static_cast<std::size_t>(got));
        }
    }

    {
        std::lock_guard lock(requestMutex_);
        hasRequest_ = true;
    }
    requestRead_.notify_all();

    switch (script_.action) {
    case PeerAction::Reply:
        sendAll(connection, script_.reply);
        ::close(connection);
        return;
    case PeerAction::ReplyThenReset:
        sendAll(connection, script_.reply);
        closeWithReset(connection);
        return;
    case PeerAction::Silence:
        while (waitFor(connection, POLLIN, stopRead_, deadline)) {
            const ssize_t got = ::recv(connection, chunk, sizeof chunk, 0);
            if (got <= 0) {
                sawClientClose_ = true;
                break;
            }
            received_.append(chunk, static_cast<std::size_t>(got));
        }
        ::close(connection);
        return;
    case PeerAction::StallReading:
        // POLLRDHUP reports the client's close even while its data sits unread.
        sawClientClose_ = waitFor(connection, POLLRDHUP, stopRead_, deadline);
        closeWithReset(connection);
        return;
    }
}

RefusingPort::RefusingPort() {
    socket_ = bindLoopback(port_);
}

RefusingPort::~RefusingPort() {
    if (socket_ >= 0) {
        ::close(socket_);
    }
}

FullListener::FullListener() {
    listener_ = bindLoopback(port_);
    // A backlog of 0 admits a single finished connection on Linux; after that the kernel
    // drops new connection requests until someone accepts, which nobody does.
    if (listener_ < 0 || ::listen(listener_, 0) != 0) {
        return;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    // Fill until one attempt stays pending; a handful is plenty whatever the backlog rule.
    constexpr int kMaxFillers = 16;
    // Loopback handshakes finish at once; a tenth of a second without one means dropped.
    constexpr std::chrono::milliseconds kHandshakeWait{100};
    for (int i = 0; i < kMaxFillers && !full_; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) {
            return;
        }
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            fillers_.push_back(fd);
            continue;
        }
        pollfd entry{fd, POLLOUT, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(kHandshakeWait.count()));
        if (ready == 0) {
            full_ = true;
        }
        fillers_.push_back(fd);
    }
}

FullListener::~FullListener() {
    for (const int fd : fillers_) {
        ::close(fd);
    }
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

std::string httpReply(std::string_view statusLine, std::string_view body) {
    std::string reply(statusLine);
    reply += "\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: ";
    reply += std::to_string(body.size());
    reply += "\r\nConnection: close\r\n\r\n";
    reply += body;
    return reply;
}

} // namespace scalora::test
