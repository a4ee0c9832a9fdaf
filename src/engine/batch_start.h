// What happens when a run is requested, cut into steps that need no window: reset the list
// and the status block, read and check width and height, write the settings snapshot, settle
// the destination folder, check the free space against an estimate and number equal result
// names. `startBatch` strings them together for a window through a small host interface.
#pragma once

#include "base/geometry.h"
#include "engine/batch_engine.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace scalora {

// The values a run is started with: the main window's fields and the options of the store.
struct RunRequest {
    std::string widthText;
    std::string heightText;
    ResizeMode mode = ResizeMode::WidthHeight;
    OutputFormat format = OutputFormat::AsOriginal;
    std::string destinationText;
    std::int32_t jpegQuality = 100;
    bool jpegCopyExif = true;
    bool jpegStripLocation = false;
    bool allowRewrite = true;
    bool doNotEnlarge = false;
    bool saveOriginalFileDate = true;
    Size desktopSize; // primary monitor, (0, 0) when none is known
};

enum class SizeCheck {
    Valid,
    InvalidWidth,
    InvalidHeight,
};

// A refusal shown to the user: a translated text and detail.
struct Refusal {
    std::string text;
    std::string detail;
};

// Step: every item measured again (the outcome does not matter), status undefined, message
// and copy index cleared.
void resetItemsForRun(std::vector<ImageItem>& items, ImageCodec& codec);
// Width and height of the mode: modes that do not use a value do not check it.
SizeCheck checkSize(ResizeMode mode, std::int32_t width, std::int32_t height);
Refusal sizeRefusal(SizeCheck check);
// Step: the snapshot fields of a run, every value clamped to its range.
void writeSnapshot(BatchSettings& settings, const RunRequest& request, std::int32_t width,
                   std::int32_t height);
// The destination as typed made usable: "~/" expanded, made absolute against cwd, cleaned up,
// ending with '/'. Empty when it does not name an existing directory.
std::string normalizeDestination(std::string_view text, std::string_view cwd);
// Bytes one result is expected to take (uncompressed pixels, plus room for copied JPEG
// metadata); 0 for an item not measured or that cannot be resized.
std::uint64_t estimateOutputBytes(const ImageItem& item, const BatchSettings& settings);
std::uint64_t estimateOutputBytes(const std::vector<ImageItem>& items,
                                  const BatchSettings& settings);
// Free bytes available to the user on the file system of path; nullopt when unknown.
std::optional<std::uint64_t> freeBytesOnDrive(const std::string& path);
// The refusal for a run that needs more than is free, or nullopt when it fits or the free
// space is unknown.
std::optional<Refusal> diskSpaceRefusal(std::uint64_t need, std::optional<std::uint64_t> free);
// Step: each item's copy index = earlier items whose result would have the same name.
void assignCopyIndexes(std::vector<ImageItem>& items, OutputFormat format);

enum class PrepareOutcome {
    EmptyList,      // nothing to do, nothing shown
    InvalidSize,    // refusal set
    NoDestination,  // the folder chooser is due
    NotEnoughSpace, // refusal set
    Ready,          // snapshot written, copy indexes set: the worker may start
};

struct Preparation {
    PrepareOutcome outcome = PrepareOutcome::EmptyList;
    Refusal refusal;
    std::string destination; // normalized, for the destination field
    std::uint64_t neededBytes = 0;
    std::optional<std::uint64_t> freeBytes;
};

struct PrepareEnvironment {
    std::string cwd; // for a relative destination
    std::function<std::optional<std::uint64_t>(const std::string&)> freeBytes = freeBytesOnDrive;
};

// Every step before the worker starts, in order; stops at the first refusal.
Preparation prepareBatch(BatchEngine& engine, const RunRequest& request,
                         const PrepareEnvironment& environment);

// The window side of a start.
class BatchStartHost {
public:
    virtual ~BatchStartHost() = default;
    virtual void showRefusal(const Refusal& refusal) = 0;
    virtual void chooseDestinationFolder() = 0;
    virtual void setDestinationText(const std::string& text) = 0;
    // Creates the progress window for this run and shows it modally; returns when closed.
    virtual void runProgress() = 0;
};

// The Resize command: prepares, then starts the worker and hands over to the progress window.
void startBatch(BatchEngine& engine, const RunRequest& request, BatchStartHost& host,
                const PrepareEnvironment& environment = {});

} // namespace scalora
