// Real TCP peers on 127.0.0.1 for the network tests: a one-connection server on a free port
// that answers as its script says, a port that refuses connections, and a listener whose
// queue is full so that a connection attempt never completes. Every wait is bounded, so a
// broken client makes a test fail instead of hang.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace scalora::test {

// How long a peer waits for anything before giving up on its own.
inline constexpr std::chrono::milliseconds kPeerBound{5000};

enum class PeerAction {
    Reply,          // send the reply, then close normally
    ReplyThenReset, // send the reply, then abort the connection (RST)
    Silence,        // send nothing and keep the connection open until the client closes it
    StallReading,   // like Silence, but without reading anything at all
};

struct PeerScript {
    PeerAction action = PeerAction::Reply;
    std::string reply;
    // Read an HTTP request (header and Content-Length body) before acting.
    bool readRequest = true;
};

class ScriptedPeer {
public:
    explicit ScriptedPeer(PeerScript script);
    ~ScriptedPeer();
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    int port() const { return port_; }
    // Waits for the peer to finish (bounded) and gives the bytes it received.
    const std::string& received();
    // Whether the client closed the connection while the peer waited in Silence.
    bool sawClientClose();
    // Waits (bounded) until the peer has read the request, or accepted the connection when
    // it reads none; false when that did not happen.
    bool waitForRequest();

private:
    void run();
    void finish();

    PeerScript script_;
    int listener_ = -1;
    int stopRead_ = -1;
    int stopWrite_ = -1;
    int port_ = 0;
    std::string received_;
    bool sawClientClose_ = false;
    std::mutex requestMutex_;
    std::condition_variable requestRead_;
    bool hasRequest_ = false;
    std::thread thread_;
};

// A port on 127.0.0.1 that is bound but not listening: connecting to it is refused, and no
// other program can take it while the object lives.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    int port() const { return port_; }

private:
    int socket_ = -1;
    int port_ = 0;
};

// A listener that never accepts and whose accept queue has been filled, so the kernel drops
// further connection requests and a connect waits until its own time-out.
class FullListener {
public:
    FullListener();
    ~FullListener();
    FullListener(const FullListener&) = delete;
    FullListener& operator=(const FullListener&) = delete;
    int port() const { return port_; }
    // False when the queue could not be seen to fill (the test then cannot show a time-out).
    bool full() const { return full_; }

private:
    int listener_ = -1;
    int port_ = 0;
    bool full_ = false;
    std::vector<int> fillers_;
};

// A reply with a status line, a few header lines and the body.
std::string httpReply(std::string_view statusLine, std::string_view body);

} // namespace scalora::test
