#include "platform/single_instance_guard.h"

#include "base/paths.h"
#include "base/strings.h"
#include "platform/file_descriptor.h"
#include "platform/file_system.h"

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace scalora {
namespace {

// A notification travels as the record of instance_message.h; the answer is one byte.
constexpr char kAcknowledge = 'A';
// How long the listener waits for a connected peer to send its whole record, so that a silent
// or slow client cannot stall it. A full payload crosses a local socket in milliseconds.
constexpr int kPeerTimeoutMs = 1000;
// Pause between connection attempts while the running instance is still starting.
constexpr auto kRetryInterval = std::chrono::milliseconds(50);

std::string fileSafe(std::string_view name) {
    std::string safe(name);
    for (char& c : safe) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) {
            c = '_';
        }
    }
    return safe;
}

std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a 64-bit offset basis and prime
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

std::string hashText(std::string_view text) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fnv1a(text)));
    return hex;
}

// File names are limited to 255 bytes; long guard names are hashed well below that.
constexpr std::size_t kMaxLockNameBytes = 128;

std::string lockFileFor(std::string_view name) {
    const std::string file =
        name.size() <= kMaxLockNameBytes ? fileSafe(name) : "scalora-guard-#" + hashText(name);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && runtime[0] == '/' && isDirectory(runtime)) {
        return joinPath(runtime, file + ".lock");
    }
    // The temp folder is shared by every user: the user id keeps the guards apart.
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = tmp != nullptr && tmp[0] == '/' && isDirectory(tmp) ? tmp : "/tmp";
    return joinPath(folder, file + "-" + std::to_string(getuid()) + ".lock");
}

// Abstract socket names belong to the network namespace, not to a user: the name carries the
// user id and the lock file, so each lock has exactly one channel. Long names are hashed to fit
// sun_path.
std::string socketNameFor(std::string_view lockPath) {
    constexpr std::size_t kMaxNameBytes = sizeof(sockaddr_un::sun_path) - 1; // minus the zero
    std::string id = "scalora-instance:" + std::to_string(getuid()) + ":" + std::string(lockPath);
    if (id.size() > kMaxNameBytes) {
        id = "scalora-instance:" + std::to_string(getuid()) + ":#" + hashText(lockPath);
    }
    return id;
}

sockaddr_un socketAddress(const std::string& id, socklen_t& length) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, id.data(), id.size()); // sun_path[0] == 0: abstract
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + id.size());
    return address;
}

// Waits until fd is ready for events; false when the deadline passes first or poll fails.
bool waitUntilReady(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd wait{fd, events, 0};
        const int ready = poll(&wait, 1, static_cast<int>(left.count()));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

// Reads exactly size bytes unless the deadline passes or the peer goes away.
bool readFully(int fd, unsigned char* data, std::size_t size,
               std::chrono::steady_clock::time_point deadline) {
    std::size_t done = 0;
    while (done < size) {
        if (!waitUntilReady(fd, POLLIN, deadline)) {
            return false;
        }
        const ssize_t got = recv(fd, data + done, size - done, 0);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

// Sends all of data unless the deadline passes or the peer goes away.
bool sendFully(int fd, std::string_view data, std::chrono::steady_clock::time_point deadline) {
    while (!data.empty()) {
        if (!waitUntilReady(fd, POLLOUT, deadline)) {
            return false;
        }
        const ssize_t sent = send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

} // namespace

std::string guardNameForProduct(std::string_view productName) {
    return "[" + toUpper(productName) + "]";
}

SingleInstanceGuard::SingleInstanceGuard(std::string name)
    : name_(std::move(name)), lockPath_(lockFileFor(name_)), socketName_(socketNameFor(lockPath_)) {
    // No following of links: in a shared temp folder another user could plant one.
    lockFd_ = open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0) {
        return;
    }
    int locked = -1;
    do {
        locked = flock(lockFd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        state_ = Created;
        startListening();
        return;
    }
    state_ = errno == EWOULDBLOCK ? AlreadyRunning : NotChecked;
    ::close(lockFd_);
    lockFd_ = -1;
}

SingleInstanceGuard::~SingleInstanceGuard() {
    close();
}

void SingleInstanceGuard::startListening() {
    // Without a socket the instance still runs; a later start just cannot wake it.
    listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        return;
    }
    socklen_t length = 0;
    const sockaddr_un address = socketAddress(socketName_, length);
    // An abstract name vanishes with the last descriptor of its owner, so a crashed instance
    // leaves nothing behind to clean up.
    if (bind(listenFd_, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        ::listen(listenFd_, 8) != 0) {
        ::close(listenFd_);
        listenFd_ = -1;
        return;
    }
    wakeFd_ = eventfd(0, EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        ::close(listenFd_);
        listenFd_ = -1;
        return;
    }
    listener_ = std::thread([this] { listen(); });
}

void SingleInstanceGuard::listen() {
    while (true) {
        pollfd waits[2] = {{wakeFd_, POLLIN, 0}, {listenFd_, POLLIN, 0}};
        if (poll(waits, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (waits[0].revents != 0) {
            return;
        }
        if ((waits[1].revents & POLLIN) != 0) {
            const int connection = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                serve(connection);
            }
        }
    }
}

void SingleInstanceGuard::serve(int connection) {
    FileDescriptor peer(connection);
    // Anyone on the machine can reach an abstract socket: listen only to our own user.
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (getsockopt(peer.get(), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        credentials.uid != getuid()) {
        return;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kPeerTimeoutMs);
    unsigned char header[kInstanceHeaderBytes];
    if (!readFully(peer.get(), header, sizeof header, deadline)) {
        return;
    }
    const std::optional<InstanceHeader> announced = decodeInstanceHeader(
        std::string_view(reinterpret_cast<const char*>(header), sizeof header));
    if (!announced) {
        return; // more than any start sends: not read, not confirmed
    }
    // The size is within the payload limit, checked above, before anything is allocated.
    std::string payload(announced->payloadBytes, '\0');
    if (!readFully(peer.get(), reinterpret_cast<unsigned char*>(payload.data()), payload.size(),
                   deadline)) {
        return;
    }
    std::optional<std::vector<std::string>> paths = decodeInstancePaths(payload);
    if (!paths) {
        return;
    }
    const InstanceNotification notification{announced->message, announced->wParam,
                                            announced->lParam, std::move(*paths)};
    {
        std::lock_guard lock(handlerMutex_);
        if (handler_) {
            handler_(notification);
        }
    }
    (void)send(peer.get(), &kAcknowledge, 1, MSG_NOSIGNAL);
}

void SingleInstanceGuard::setNotificationHandler(Handler handler) {
    std::lock_guard lock(handlerMutex_);
    handler_ = std::move(handler);
}

bool SingleInstanceGuard::notifyRunningInstance(const InstanceNotification& notification,
                                                std::chrono::milliseconds patience) const {
    socklen_t length = 0;
    const sockaddr_un address = socketAddress(socketName_, length);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (true) {
        FileDescriptor connection(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (connection.get() < 0) {
            return false;
        }
        if (connect(connection.get(), reinterpret_cast<const sockaddr*>(&address), length) == 0) {
            if (!sendFully(connection.get(), encodeInstanceNotification(notification), deadline)) {
                return false;
            }
            unsigned char answer = 0;
            return readFully(connection.get(), &answer, 1, deadline) && answer == kAcknowledge;
        }
        if (std::chrono::steady_clock::now() + kRetryInterval >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
}

void SingleInstanceGuard::close() {
    if (listener_.joinable()) {
        const std::uint64_t one = 1;
        (void)!write(wakeFd_, &one, sizeof one);
        listener_.join();
    }
    for (int* fd : {&wakeFd_, &listenFd_, &lockFd_}) {
        if (*fd >= 0) {
            ::close(*fd); // closing the lock file releases the flock
            *fd = -1;
        }
    }
    state_ = NotChecked;
}

} // namespace scalora
