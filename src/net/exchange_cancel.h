// Lets another thread end a blocking exchange early. The socket waits on this as well as on its
// connection, so a cancelled exchange fails within moments instead of running into its
// time-outs. Only the host-name lookup cannot be interrupted (the resolver's own limits bound it).
#pragma once

#include <atomic>

namespace scalora {

class ExchangeCancel {
public:
    ExchangeCancel();
    ~ExchangeCancel();
    ExchangeCancel(const ExchangeCancel&) = delete;
    ExchangeCancel& operator=(const ExchangeCancel&) = delete;

    // From any thread, any number of times.
    void cancel();
    bool isCancelled() const { return cancelled_.load(); }
    // Readable once cancelled, for poll; -1 when the descriptor could not be made (poll skips
    // it, and the exchange is then only cancelled between its steps).
    int waitDescriptor() const { return read_; }

private:
    int read_ = -1;
    int write_ = -1;
    std::atomic<bool> cancelled_{false};
};

} // namespace scalora
