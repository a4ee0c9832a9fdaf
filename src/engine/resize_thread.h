// The batch worker: walks the image list once per start, runs the per-image task for every
// item (up to `jobs` of them at once on helper threads of its own), publishes each step in the
// status block and posts a notification for it, always in list order.
#pragma once

#include "engine/batch_observer.h"
#include "engine/worker_thread.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace scalora {

struct BatchSettings;
enum class ItemResult : std::int32_t;
struct ImageItem;
class ImageCodec;

// The number of cores, at least 1.
std::int32_t defaultJobCount();

struct WorkerOptions {
    // A short sleep before each item keeps a window's event loop responsive while the worker
    // competes for the CPU; a tool without a window sets it to zero.
    std::chrono::milliseconds pauseBeforeItem{10};
    // The list shows a preview per item; a tool without a list has no use for it.
    bool buildThumbnails = true;
    // Images resized at once; below 1 counts as 1.
    std::int32_t jobs = defaultJobCount();
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
    // The status block this worker publishes in: an observer may copy it while it is told
    // about an update, since the worker changes it again only after the notification returns.
    BatchSettings& settings() { return settings_; }

protected:
    void run() override;

private:
    void processAll();
    // Publishes one step of an item in the status block and posts it.
    void report(ImageItem& item, std::int32_t index, ItemResult result);

    std::vector<ImageItem>& items_;
    BatchSettings& settings_;
    ImageCodec& codec_;
    BatchObserver& observer_;
    WorkerOptions options_;
    ItemTask task_;
    std::atomic<bool> runEnded_{false};
};

} // namespace scalora
