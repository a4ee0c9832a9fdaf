#include "engine/batch_settings.h"

namespace scalora {

BatchStatus BatchSettings::readStatus(bool clearChanged) {
    const std::lock_guard guard(lock);
    BatchStatus status;
    status.changed = changed;
    status.currentItem = currentItem;
    status.currentIndex = currentIndex;
    status.processedCount = processedCount;
    status.skippedCount = skippedCount;
    status.runState = runState;
    status.lastResult = lastResult;
    status.stopwatchRunning = stopwatch.isRunning();
    status.elapsedMilliseconds = stopwatch.elapsedMilliseconds();
    if (clearChanged) {
        changed = false;
    }
    return status;
}

void BatchSettings::resetStatus() {
    const std::lock_guard guard(lock);
    changed = false;
    currentItem = nullptr;
    currentIndex = 0;
    processedCount = 0;
    skippedCount = 0;
    runState = RunState::Running;
    lastResult = ItemResult::Started;
}

} // namespace scalora
