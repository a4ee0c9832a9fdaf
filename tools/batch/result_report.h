// How scalora-batch reports each image of a run: a line for people on standard error, or one
// JSON object per line on standard output for programs (--json).
#pragma once

#include "base/geometry.h"
#include "engine/batch_settings.h"
#include "engine/image_item.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scalora {

struct ImageOutcome {
    std::string source;
    std::string result;                 // empty when nothing was (or would be) written
    std::optional<Size> size;           // of the result
    std::optional<std::uint64_t> bytes; // of the written file
    // "written", "skipped", "not-reached", or with --dry-run "would-write", "would-skip"
    std::string status;
    std::string reason; // why it was skipped; empty otherwise
};

// What the run made of an item it has finished (or not reached).
ImageOutcome outcomeOf(const ImageItem& item, const BatchSettings& settings);
// What a run with these settings would make of the item, without writing anything: the
// result's name and size, or the reason it would be skipped.
ImageOutcome predictedOutcome(const ImageItem& item, const BatchSettings& settings);

// The text as a JSON string, quotes included. Bytes that are not UTF-8 (file names on Linux
// may hold any) become U+FFFD, so the output stays valid JSON.
std::string jsonQuoted(std::string_view text);
// One line of JSON, without the newline; absent values are null.
std::string outcomeJson(const ImageOutcome& outcome);
// "[3/10] a.jpg -> out/a.jpg" or "[3/10] skipped a.jpg: reason"; detailed adds the result's
// size and bytes: " (1600x1067, 245 KB)".
std::string outcomeLine(const ImageOutcome& outcome, std::int32_t index, std::int32_t total,
                        bool detailed);

} // namespace scalora
