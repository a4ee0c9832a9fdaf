// The batch: the image list, the shared settings and status block, and the worker thread that
// is created at the first run and reused by every later one.
#pragma once

#include "engine/batch_observer.h"
#include "engine/batch_settings.h"
#include "engine/image_codec.h"
#include "engine/image_item.h"
#include "engine/resize_thread.h"

#include <memory>
#include <vector>

namespace scalora {

class BatchEngine {
public:
    BatchEngine(ImageCodec& codec, BatchObserver& observer, WorkerOptions options = {});
    // Stops the worker after the item in progress and waits for it.
    ~BatchEngine();
    BatchEngine(const BatchEngine&) = delete;
    BatchEngine& operator=(const BatchEngine&) = delete;

    // Change the list only while no run is going on.
    std::vector<ImageItem>& items() { return items_; }
    const std::vector<ImageItem>& items() const { return items_; }
    BatchSettings& settings() { return settings_; }
    ImageCodec& codec() { return codec_; }

    // Starts a run over the list with the current snapshot; creates the worker thread (above
    // normal priority) the first time.
    void startWorker();
    // The Stop button: takes effect before the next item.
    void requestStop();
    bool isRunning() const;
    // Waits until the worker's native thread has ended.
    void waitForWorker();
    // The worker thread object; null before the first run.
    ResizeThread* thread() { return thread_.get(); }
    // Replaces the per-image task of the worker (tests, tools).
    void setItemTask(ResizeThread::ItemTask task);

private:
    ImageCodec& codec_;
    BatchObserver& observer_;
    WorkerOptions options_;
    std::vector<ImageItem> items_;
    BatchSettings settings_;
    ResizeThread::ItemTask task_;
    std::unique_ptr<ResizeThread> thread_;
};

} // namespace scalora
