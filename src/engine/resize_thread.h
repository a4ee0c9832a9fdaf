// The batch worker: walks the image list once per start, runs the per-image task for every
// item, publishes each step in the status block and posts a notification for it.
#pragma once

#include "engine/batch_observer.h"
#include "engine/worker_thread.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

namespace scalora {

struct BatchSettings;
struct ImageItem;
class ImageCodec;

struct WorkerOptions {
    // A short sleep before each item keeps a window's event loop responsive while the worker
    // competes for the CPU; a tool without a window sets it to zero.
    std::chrono::milliseconds pauseBeforeItem{10};
    // The list shows a preview per item; a tool without a list has no use for it.
    bool buildThumbnails = true;
};

class ResizeThread : public WorkerThread {
public:
    using ItemTask = std::function<bool(const BatchSettings&, ImageItem&)>;

    ResizeThread(std::vector<ImageItem>& items, BatchSettings& settings, ImageCodec& codec,
                 BatchObserver& observer, WorkerOptions options);
    ~ResizeThread() override;

    // Replaces the per-image task (by default processItem with the codec).
    void setItemTask(ItemTask task) { task_ = std::move(task); }
    // True once the run has posted its last notification; the native thread ends right after.
    bool hasRunEnded() const { return runEnded_.load(); }
    void markStarting() { runEnded_ = false; }

protected:
    void run() override;

private:
    void processAll();

    std::vector<ImageItem>& items_;
    BatchSettings& settings_;
    ImageCodec& codec_;
    BatchObserver& observer_;
    WorkerOptions options_;
    ItemTask task_;
    std::atomic<bool> runEnded_{false};
};

} // namespace scalora
