// What scalora-batch shows while it runs: a one-line bar redrawn in place on a terminal, and
// each finished image handed on in list order to be reported.
#pragma once

#include "engine/batch_settings.h"
#include "engine/image_item.h"

#include <cstdint>
#include <cstdio>
#include <functional>
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
    // Called for each finished image in list order (index from 1), with the bar cleared.
    using Finished = std::function<void(std::int32_t index, const ImageItem& item)>;
    // items is the run's list; only items the worker has finished are read. bar: redraw a
    // one-line bar on stream (a terminal) after every update.
    ProgressDisplay(std::FILE* stream, bool bar, const std::vector<ImageItem>& items,
                    Finished finished);
    // After every progress notification and every tick of the clock.
    void update(const BatchStatus& status);
    // Clears the bar so ordinary lines can follow.
    void finish();
    void note(const std::string& line);

private:
    int terminalWidth() const;

    std::FILE* stream_;
    bool bar_;
    const std::vector<ImageItem>& items_;
    Finished finished_;
    std::int32_t total_;
    std::int32_t lastReported_ = 0;
    bool barShown_ = false;
};

} // namespace scalora
