// An observer hook: connections are called in the order they were connected. Each signal has
// its own lock, so another thread may emit while the UI thread connects; a connection may
// disconnect itself (or others) while the signal is being emitted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace scalora {

using UIConnectionId = std::uint64_t;

template <typename... Args> class UISignal {
public:
    using Slot = std::function<void(Args...)>;

    UISignal() = default;
    UISignal(const UISignal&) = delete;
    UISignal& operator=(const UISignal&) = delete;

    // Returns an id for disconnect (never 0).
    UIConnectionId connect(Slot slot) {
        std::lock_guard lock(mutex_);
        const UIConnectionId id = ++lastId_;
        connections_.push_back({id, std::move(slot)});
        return id;
    }

    bool disconnect(UIConnectionId id) {
        std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < connections_.size(); ++i) {
            if (connections_[i].id == id) {
                if (emitDepth_ > 0) {
                    // Erasing would shift the list under a running emit: leave a hole that
                    // the outermost emit sweeps away.
                    connections_[i].id = 0;
                    connections_[i].slot = nullptr;
                    holes_ = true;
                } else {
                    connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(i));
                }
                return true;
            }
        }
        return false;
    }

    void disconnectAll() {
        std::lock_guard lock(mutex_);
        if (emitDepth_ > 0) {
            for (auto& c : connections_) {
                c.id = 0;
                c.slot = nullptr;
            }
            holes_ = true;
        } else {
            connections_.clear();
        }
    }

    std::size_t connectionCount() const {
        std::lock_guard lock(mutex_);
        std::size_t n = 0;
        for (const auto& c : connections_) {
            n += c.id != 0 ? 1 : 0;
        }
        return n;
    }

    void emit(Args... args) {
        std::lock_guard lock(mutex_);
        ++emitDepth_;
        // Connections added during the emit are not called by it.
        const std::size_t count = connections_.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (connections_[i].id != 0) {
                // A copy, so the slot may disconnect itself while it runs.
                Slot slot = connections_[i].slot;
                slot(args...);
            }
        }
        if (--emitDepth_ == 0 && holes_) {
            std::erase_if(connections_, [](const Connection& c) { return c.id == 0; });
            holes_ = false;
        }
    }

private:
    struct Connection {
        UIConnectionId id;
        Slot slot;
    };
    mutable std::recursive_mutex mutex_;
    std::vector<Connection> connections_;
    UIConnectionId lastId_ = 0;
    int emitDepth_ = 0;
    bool holes_ = false;
};

} // namespace scalora
