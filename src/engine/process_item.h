// The per-image task of a run: decide where the result goes, refuse what must not be written
// (with a translated reason on the item), compute the target size and have the codec layer
// write the file.
#pragma once

#include "engine/batch_settings.h"
#include "engine/image_codec.h"
#include "engine/image_item.h"

#include <string>
#include <string_view>

namespace scalora {

// The reasons an item is refused with; each is translated in context "Messages".
inline constexpr std::string_view kMessageSourceMissing = "Source file does not exist";
inline constexpr std::string_view kMessageDestinationMissing = "Destination folder does not exist";
inline constexpr std::string_view kMessageWriteOnItself = "Unable to write file on itself";
inline constexpr std::string_view kMessageRewriteNotAllowed = "Rewriting is not allowed in options";
// Followed by the result's path and the system's reason.
inline constexpr std::string_view kMessageWriteFailed = "Unable to write";
inline constexpr std::string_view kMessageSourceTruncated = "The file is truncated";
// The source opened when it was added but no longer does (replaced or spoiled since).
inline constexpr std::string_view kMessageSourceUnreadable = "The file is not a readable image";

// True when path lies in folder (which ends with '/') or below it.
bool isInsideFolder(std::string_view path, std::string_view folder);
// Where the item's result goes: the destination folder, then the result file name.
std::string destinationPathOf(const BatchSettings& settings, const ImageItem& item);

// Returns true when a result file was written; sets the item's message for a refusal with a
// reason and its result path on success. Runs on the worker thread.
[[nodiscard]] bool processItem(const BatchSettings& settings, ImageItem& item, ImageCodec& codec);

} // namespace scalora
