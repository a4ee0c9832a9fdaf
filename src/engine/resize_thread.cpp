#include "engine/resize_thread.h"

#include "engine/batch_settings.h"
#include "engine/image_item.h"
#include "engine/item_job.h"
#include "engine/job_slots.h"
#include "engine/process_item.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"

#include <algorithm>
#include <deque>
#include <string>
#include <thread>

namespace scalora {

namespace {

// Started images per job that may wait to be reported: enough for the other cores to get
// through the smaller photos behind one several times their size.
constexpr std::size_t kLookAheadPerJob = 4;

} // namespace

std::int32_t defaultJobCount() {
    return static_cast<std::int32_t>(std::max(std::thread::hardware_concurrency(), 1U));
}

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
    // While an image is being reported, the next ones are already under way; each keeps the
    // destination it writes, so that two results for the same file never race and the later one
    // meets the file the earlier one left, as when run one at a time.
    struct InFlight {
        InFlight(std::size_t at, std::string path, std::function<bool()> task, JobSlots* slots)
            : position(at), destination(std::move(path)), job(std::move(task), slots) {}
        std::size_t position;
        std::string destination;
        ItemJob job;
    };
    // What a killed earlier run left half-written is of no use to anyone.
    static_cast<void>(removeStaleTemporaries(settings_.destinationFolder));
    // Up to `jobs` tasks run at once, but finished ones wait for their turn to be reported
    // without holding a core: a large photo at the front would otherwise leave the other cores
    // idle once they are done with the images after it. The look-ahead bounds how far the
    // started images may run ahead of the reported ones.
    const std::int32_t jobs = std::max(options_.jobs, 1);
    const auto lookAhead = static_cast<std::size_t>(jobs) * kLookAheadPerJob;
    JobSlots slots(jobs);
    std::deque<InFlight> inFlight;
    std::size_t next = 0;
    bool stopping = false;
    // Reports the front image once its task has ended, waiting for it when need be.
    const auto finishFront = [&] {
        InFlight& current = inFlight.front();
        ImageItem& item = items_[current.position];
        const auto index = static_cast<std::int32_t>(current.position + 1);
        if (options_.buildThumbnails && !item.path.empty() && item.thumbnail.isNull()) {
            item.thumbnail = codec_.makeThumbnail(item.path);
        }
        report(item, index, ItemResult::Started);
        const bool ok = current.job.collect();
        item.status = ok ? ItemStatus::StatusOk : ItemStatus::StatusError;
        // A full disk fails every image after this one as well: stop as the Stop button does
        // instead of trying each of them.
        if (!ok && isOutOfSpace(item.writeError)) {
            stopping = true;
        }
        report(item, index, ok ? ItemResult::Processed : ItemResult::Skipped);
        inFlight.pop_front();
    };
    // A finished front is reported before anything new starts, so that one job runs the list
    // exactly as one image after the other.
    const auto frontFinished = [&] { return !inFlight.empty() && inFlight.front().job.finished(); };
    for (;;) {
        bool waitingForSlot = false;
        while (!stopping && next < items_.size() && inFlight.size() < lookAhead &&
               !frontFinished()) {
            if (slots.full()) {
                waitingForSlot = true;
                break;
            }
            ImageItem& item = items_[next];
            std::string destination = destinationPathOf(settings_, item);
            if (std::any_of(inFlight.begin(), inFlight.end(), [&](const InFlight& running) {
                    return running.destination == destination;
                })) {
                break;
            }
            if (options_.pauseBeforeItem.count() > 0) {
                std::this_thread::sleep_for(options_.pauseBeforeItem);
            }
            if (isStopRequested()) {
                stopping = true;
                break;
            }
            item.status = ItemStatus::StatusUndefined;
            inFlight.emplace_back(
                next, std::move(destination), [this, &item] { return task_(settings_, item); },
                &slots);
            ++next;
        }
        if (inFlight.empty()) {
            break;
        }
        if (waitingForSlot && !frontFinished()) {
            slots.waitWhileFull();
            continue;
        }
        finishFront();
    }
    if (stopping) {
        const std::lock_guard guard(settings_.lock);
        settings_.runState = RunState::Stopped;
    }
}

void ResizeThread::report(ImageItem& item, std::int32_t index, ItemResult result) {
    {
        const std::lock_guard guard(settings_.lock);
        settings_.changed = true;
        settings_.currentItem = &item;
        settings_.currentIndex = index;
        settings_.lastResult = result;
        if (result == ItemResult::Processed) {
            ++settings_.processedCount;
        } else if (result == ItemResult::Skipped) {
            ++settings_.skippedCount;
        }
    }
    observer_.post(ProgressMessage, *this);
}

} // namespace scalora
