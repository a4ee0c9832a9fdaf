#include "engine/batch_start.h"

#include "base/paths.h"
#include "base/strings.h"
#include "data/translate.h"
#include "engine/byte_count.h"
#include "engine/geometry.h"
#include "engine/output_format.h"
#include "engine/result_name.h"
#include "imaging/image_encoder.h"
#include "platform/file_system.h"

#include <algorithm>
#include <unordered_map>

namespace scalora {
namespace {

// Room reserved for the EXIF, ICC and XMP segments copied from a JPEG source: generous for
// camera files, whose metadata with an embedded preview rarely exceeds 64 KiB.
constexpr std::uint64_t kCopiedMetadataBytes = 100000;
// Bytes per pixel of the uncompressed 32-bit image, the upper bound the estimate uses.
constexpr std::uint64_t kBytesPerPixel = 4;

} // namespace

void resetItemsForRun(std::vector<ImageItem>& items, ImageCodec& codec) {
    for (ImageItem& item : items) {
        if (const std::optional<Size> size = codec.measure(item.path)) {
            item.width = size->width;
            item.height = size->height;
        }
        item.status = ItemStatus::StatusUndefined;
        item.message.clear();
        item.copyIndex = 0;
    }
}

SizeCheck checkSize(ResizeMode mode, std::int32_t width, std::int32_t height) {
    if (mode == ResizeMode::Percentage) {
        if (width <= 0) {
            return SizeCheck::InvalidWidth;
        }
        return height <= 0 ? SizeCheck::InvalidHeight : SizeCheck::Valid;
    }
    if (width <= 0 && mode != ResizeMode::Height) {
        return SizeCheck::InvalidWidth;
    }
    if (height <= 0 && mode != ResizeMode::Width) {
        return SizeCheck::InvalidHeight;
    }
    return SizeCheck::Valid;
}

Refusal sizeRefusal(SizeCheck check) {
    const std::string detail = translate("Minimum: 1.", "Messages");
    switch (check) {
    case SizeCheck::InvalidWidth:
        return {translate("Width is invalid.", "Messages"), detail};
    case SizeCheck::InvalidHeight:
        return {translate("Height is invalid.", "Messages"), detail};
    case SizeCheck::Valid:
        break;
    }
    return {};
}

void writeSnapshot(BatchSettings& settings, const RunRequest& request, std::int32_t width,
                   std::int32_t height) {
    settings.mode = request.mode;
    settings.widthValue =
        settings.mode == ResizeMode::Height ? 1 : std::clamp(width, kMinSizeValue, kMaxSizeValue);
    settings.heightValue =
        settings.mode == ResizeMode::Width ? 1 : std::clamp(height, kMinSizeValue, kMaxSizeValue);
    settings.format = request.format;
    settings.jpegQuality = std::clamp(request.jpegQuality, kMinJpegQuality, kMaxJpegQuality);
    settings.jpegCopyExif = request.jpegCopyExif;
    settings.jpegStripLocation = request.jpegStripLocation;
    settings.allowRewrite = request.allowRewrite;
    settings.doNotEnlarge = request.doNotEnlarge;
    settings.saveOriginalFileDate = request.saveOriginalFileDate;
    settings.desktopSize = request.desktopSize;
}

std::string normalizeDestination(std::string_view text, std::string_view cwd) {
    const std::string trimmed = trim(text);
    if (trimmed.empty()) {
        return {};
    }
    const std::string folder = withTrailingSeparator(normalizePath(expandHome(trimmed), cwd));
    if (!isAbsolutePath(folder) || !isDirectory(folder)) {
        return {};
    }
    return folder;
}

std::uint64_t estimateOutputBytes(const ImageItem& item, const BatchSettings& settings) {
    if (!item.measured) {
        return 0;
    }
    const Size target = computeTargetSize(settings.targetSizeInput({item.width, item.height}));
    if (target.width < 1 || target.height < 1) {
        return 0;
    }
    std::uint64_t bytes = static_cast<std::uint64_t>(target.width) *
                          static_cast<std::uint64_t>(target.height) * kBytesPerPixel;
    if (resultFormat(settings.format, item.extension) == OutputFormat::Jpg &&
        settings.jpegCopyExif && isJpegExtension(item.extension)) {
        bytes += kCopiedMetadataBytes;
    }
    return bytes;
}

std::uint64_t estimateOutputBytes(const std::vector<ImageItem>& items,
                                  const BatchSettings& settings) {
    std::uint64_t total = 0;
    for (const ImageItem& item : items) {
        total += estimateOutputBytes(item, settings);
    }
    return total;
}

std::optional<std::uint64_t> freeBytesOnDrive(const std::string& path) {
    return freeBytes(path);
}

std::optional<Refusal> diskSpaceRefusal(std::uint64_t need, std::optional<std::uint64_t> free) {
    // Unknown free space (some network and virtual file systems) does not block a run: the
    // write itself fails cleanly if space runs out, and results are never left half-written.
    if (!free || need < *free) {
        return std::nullopt;
    }
    return Refusal{translate("Not enough free disk space", "Messages"),
                   translate("Please free up", "Messages") + " " + formatByteCount(need - *free) +
                       "."};
}

void assignCopyIndexes(std::vector<ImageItem>& items, OutputFormat format) {
    std::unordered_map<std::string, std::int32_t> seen;
    for (ImageItem& item : items) {
        item.copyIndex = seen[resultNameKey(item, format)]++;
    }
}

Preparation prepareBatch(BatchEngine& engine, const RunRequest& request,
                         const PrepareEnvironment& environment) {
    Preparation result;
    std::vector<ImageItem>& items = engine.items();
    if (items.empty()) {
        return result;
    }
    BatchSettings& settings = engine.settings();
    settings.resetStatus();
    resetItemsForRun(items, engine.codec());

    const std::int32_t width = parseLeadingInt(request.widthText);
    const std::int32_t height = parseLeadingInt(request.heightText);
    const SizeCheck check = checkSize(request.mode, width, height);
    if (check != SizeCheck::Valid) {
        result.outcome = PrepareOutcome::InvalidSize;
        result.refusal = sizeRefusal(check);
        return result;
    }
    writeSnapshot(settings, request, width, height);

    result.destination = normalizeDestination(request.destinationText, environment.cwd);
    if (result.destination.empty()) {
        result.outcome = PrepareOutcome::NoDestination;
        return result;
    }
    settings.destinationFolder = result.destination;

    result.neededBytes = estimateOutputBytes(items, settings);
    result.freeBytes =
        environment.freeBytes ? environment.freeBytes(result.destination) : std::nullopt;
    if (std::optional<Refusal> refusal = diskSpaceRefusal(result.neededBytes, result.freeBytes)) {
        result.outcome = PrepareOutcome::NotEnoughSpace;
        result.refusal = std::move(*refusal);
        return result;
    }
    assignCopyIndexes(items, settings.format);
    result.outcome = PrepareOutcome::Ready;
    return result;
}

void startBatch(BatchEngine& engine, const RunRequest& request, BatchStartHost& host,
                const PrepareEnvironment& environment) {
    const Preparation preparation = prepareBatch(engine, request, environment);
    switch (preparation.outcome) {
    case PrepareOutcome::EmptyList:
        return;
    case PrepareOutcome::InvalidSize:
        host.showRefusal(preparation.refusal);
        return;
    case PrepareOutcome::NoDestination:
        host.chooseDestinationFolder();
        return;
    case PrepareOutcome::NotEnoughSpace:
        host.setDestinationText(preparation.destination);
        host.showRefusal(preparation.refusal);
        return;
    case PrepareOutcome::Ready:
        host.setDestinationText(preparation.destination);
        engine.startWorker();
        host.runProgress();
        return;
    }
}

} // namespace scalora
