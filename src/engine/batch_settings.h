// The block the batch worker and the user interface share: the run status (guarded by its
// lock, written by the worker at every step, read by the progress display) and the settings
// snapshot of the run (written before the worker starts, then only read).
#pragma once

#include "base/geometry.h"
#include "engine/geometry.h"
#include "engine/image_codec.h"
#include "engine/output_format.h"
#include "engine/stopwatch.h"

#include <cstdint>
#include <mutex>
#include <string>

namespace scalora {

struct ImageItem;

// How a run stands; the numbers are the design's.
enum class RunState : std::int32_t {
    Running = 0,
    Finished = 1, // every item was done
    Stopped = 2,  // a stop request ended it between two items
    Failed = 4,   // memory ran out
};

// What the last update of a run says about its current item.
enum class ItemResult : std::int32_t {
    Skipped = -1,
    Started = 0,
    Processed = 1,
};

// A copy of the status block taken under its lock.
struct BatchStatus {
    bool changed = false;
    const ImageItem* currentItem = nullptr;
    std::int32_t currentIndex = 0; // 1-based
    std::int32_t processedCount = 0;
    std::int32_t skippedCount = 0;
    RunState runState = RunState::Running;
    ItemResult lastResult = ItemResult::Started;
    bool stopwatchRunning = false;
    std::int64_t elapsedMilliseconds = 0;
};

struct BatchSettings {
    // Guards the status block below (changed .. stopwatch).
    mutable std::mutex lock;
    bool changed = false;
    ImageItem* currentItem = nullptr;
    std::int32_t currentIndex = 0;
    std::int32_t processedCount = 0;
    std::int32_t skippedCount = 0;
    RunState runState = RunState::Running;
    ItemResult lastResult = ItemResult::Started;
    Stopwatch stopwatch;

    // Settings snapshot of the run.
    OutputFormat format = OutputFormat::AsOriginal;
    ResizeMode mode = ResizeMode::Width;
    bool allowRewrite = true;
    bool doNotEnlarge = false;
    bool saveOriginalFileDate = true;
    std::int32_t widthValue = 100;
    std::int32_t heightValue = 100;
    std::string destinationFolder; // absolute, ending with '/', or empty
    std::int32_t jpegQuality = 100;
    bool jpegCopyExif = true;
    bool jpegStripLocation = false; // copied EXIF loses its GPS tags
    Size desktopSize;

    // Reads the status block under the lock; clears `changed` when asked, as a display does
    // once it has drawn the update.
    BatchStatus readStatus(bool clearChanged = false);
    // Back to the state of a run that has not begun.
    void resetStatus();
    ResizeOptions writeOptions() const {
        return {allowRewrite, saveOriginalFileDate, jpegQuality, jpegCopyExif, jpegStripLocation};
    }
    // The geometry input of this run's snapshot for a source of the given size; the disk
    // estimate and the per-image task both start from it, so they always agree.
    TargetSizeInput targetSizeInput(Size source) const {
        return {source, mode, widthValue, heightValue, desktopSize, doNotEnlarge};
    }
};

} // namespace scalora
