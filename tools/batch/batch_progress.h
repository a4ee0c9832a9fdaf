// What scalora-batch shows while it runs: a one-line bar redrawn in place on a terminal, or one
// plain line per finished image when standard error is a file or a pipe; then the summary.
#pragma once

#include "engine/batch_settings.h"
#include "engine/image_item.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace scalora {

// "m:ss" (or "h:mm:ss") of a duration in milliseconds.
std::string formatElapsed(std::int64_t milliseconds);
// The bar line: image n of N, name, elapsed time, rate; fitted into width columns.
std::string progressLine(const BatchStatus& status, std::int32_t total, const std::string& name,
                         int width);
// The reason shown for a skipped item: its message, or "Unknown error" when it has none.
std::string skipReason(const ImageItem& item);

class ProgressDisplay {
public:
    // items is the run's list; only items the worker has finished are read.
    ProgressDisplay(std::FILE* stream, bool terminal, const std::vector<ImageItem>& items);
    // After every progress notification and every tick of the clock.
    void update(const BatchStatus& status);
    // Clears the bar so ordinary lines can follow.
    void finish();
    void note(const std::string& line);

private:
    int terminalWidth() const;

    std::FILE* stream_;
    bool terminal_;
    const std::vector<ImageItem>& items_;
    std::int32_t total_;
    std::int32_t lastReported_ = 0;
    bool barShown_ = false;
};

} // namespace scalora
