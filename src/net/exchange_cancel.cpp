#include "net/exchange_cancel.h"

#include <fcntl.h>
#include <unistd.h>

namespace scalora {

ExchangeCancel::ExchangeCancel() {
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
        read_ = ends[0];
        write_ = ends[1];
    }
}

ExchangeCancel::~ExchangeCancel() {
    for (const int fd : {read_, write_}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void ExchangeCancel::cancel() {
    if (cancelled_.exchange(true) || write_ < 0) {
        return;
    }
    const char byte = 1;
    // One byte makes the read end readable for good: nobody ever reads it.
    [[maybe_unused]] const ssize_t written = ::write(write_, &byte, 1);
}

} // namespace scalora
