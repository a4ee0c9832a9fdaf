// The record of one listed image: its path and name parts, the size measured when it was added
// or re-measured by a run, and what the last run made of it (status, message, result path).
#pragma once

#include "imaging/pixel_image.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace scalora {

// What the last run made of an item; the numbers are the design's.
enum class ItemStatus : std::int32_t {
    StatusUndefined = 0, // not processed yet
    StatusOk = 1,
    StatusError = 2,
};

struct ImageItem {
    ImageItem() = default;
    // Takes the path with surrounding white space removed and fills the name parts from it.
    explicit ImageItem(std::string_view path);

    std::string path;
    std::string baseName;  // file name without its last extension, original case
    std::string extension; // text after the last '.' of the file name, original case
    std::string nameKey;   // file name with extension in lower case
    PixelImage thumbnail;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint64_t fileSize = 0;
    ItemStatus status = ItemStatus::StatusUndefined;
    std::string message; // translated reason of the last refusal
    bool measured = false;
    std::int32_t copyIndex = 0;
    std::string resultPath; // empty unless the last processing wrote a file
    int writeError = 0;     // errno of the last processing's failed write, 0 when none
};

} // namespace scalora
