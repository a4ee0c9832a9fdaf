#include "engine/resize_thread.h"

#include "engine/batch_settings.h"
#include "engine/image_item.h"
#include "engine/process_item.h"

#include <thread>

namespace scalora {

ResizeThread::ResizeThread(std::vector<ImageItem>& items, BatchSettings& settings,
                           ImageCodec& codec, BatchObserver& observer, WorkerOptions options)
    : WorkerThread("<ResizeThread>"), items_(items), settings_(settings), codec_(codec),
      observer_(observer), options_(options) {
    task_ = [this](const BatchSettings& s, ImageItem& item) {
        return processItem(s, item, codec_);
    };
}

ResizeThread::~ResizeThread() {
    stopAndWait();
}

void ResizeThread::run() {
    {
        const std::lock_guard guard(settings_.lock);
        settings_.stopwatch.start();
    }
    try {
        processAll();
    } catch (...) {
        // Only memory exhaustion unwinds this far; the run ends as failed, the list keeps what
        // was done.
        const std::lock_guard guard(settings_.lock);
        settings_.runState = RunState::Failed;
    }
    {
        const std::lock_guard guard(settings_.lock);
        settings_.stopwatch.stop();
        if (settings_.runState == RunState::Running) {
            settings_.runState = RunState::Finished;
        }
    }
    runEnded_ = true;
    observer_.post(FinishedMessage, *this);
}

void ResizeThread::processAll() {
    std::int32_t index = 0;
    for (ImageItem& item : items_) {
        ++index;
        if (options_.pauseBeforeItem.count() > 0) {
            std::this_thread::sleep_for(options_.pauseBeforeItem);
        }
        if (isStopRequested()) {
            const std::lock_guard guard(settings_.lock);
            settings_.runState = RunState::Stopped;
            break;
        }
        item.status = ItemStatus::StatusUndefined;
        if (options_.buildThumbnails && !item.path.empty() && item.thumbnail.isNull()) {
            item.thumbnail = codec_.makeThumbnail(item.path);
        }
        {
            const std::lock_guard guard(settings_.lock);
            settings_.changed = true;
            settings_.currentItem = &item;
            settings_.currentIndex = index;
            settings_.lastResult = ItemResult::Started;
        }
        observer_.post(ProgressMessage, *this);

        const bool ok = task_(settings_, item);
        item.status = ok ? ItemStatus::StatusOk : ItemStatus::StatusError;
        {
            const std::lock_guard guard(settings_.lock);
            settings_.changed = true;
            settings_.currentItem = &item;
            settings_.currentIndex = index;
            settings_.lastResult = ok ? ItemResult::Processed : ItemResult::Skipped;
            if (ok) {
                ++settings_.processedCount;
            } else {
                ++settings_.skippedCount;
            }
        }
        observer_.post(ProgressMessage, *this);
    }
}

} // namespace scalora
