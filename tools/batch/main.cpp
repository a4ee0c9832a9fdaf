// scalora-batch: the resize engine of Halvorn Scalora without the window, for scripts and
// benchmarks. Same gathering, same per-image task, same worker; no pause between images.
#include "base/paths.h"
#include "base/product.h"
#include "base/strings.h"
#include "data/translate.h"
#include "engine/batch_engine.h"
#include "engine/batch_start.h"
#include "engine/file_gatherer.h"
#include "engine/library_image_codec.h"
#include "engine/process_item.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_defaults.h"
#include "tools/batch/batch_progress.h"
#include "tools/batch/input_reasons.h"
#include "tools/batch/kept_folders.h"
#include "tools/batch/monitor_size.h"
#include "tools/batch/result_report.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <mutex>
#include <set>
#include <unistd.h>

namespace scalora {
namespace {

constexpr int kExitAllProcessed = 0;
constexpr int kExitSomeSkipped = 1;
constexpr int kExitBadArguments = 2;
constexpr int kExitInterrupted = 130; // 128 + SIGINT, as shells report an interrupted command
// How often the bar's clock is redrawn when no image finishes.
constexpr auto kTick = std::chrono::milliseconds(200);

std::atomic<bool> gInterrupted{false};

void onInterrupt(int) {
    gInterrupted = true;
}

// Worker notifications queued for the main thread, as the window does with its event queue.
class QueueObserver : public BatchObserver {
public:
    void post(BatchMessage message, ResizeThread&) override {
        {
            const std::lock_guard guard(lock_);
            messages_.push_back(message);
        }
        ready_.notify_one();
    }
    // The next message, or nothing after the timeout.
    std::optional<BatchMessage> next(std::chrono::milliseconds timeout) {
        std::unique_lock guard(lock_);
        if (!ready_.wait_for(guard, timeout, [this] { return !messages_.empty(); })) {
            return std::nullopt;
        }
        const BatchMessage message = messages_.front();
        messages_.pop_front();
        return message;
    }

private:
    std::mutex lock_;
    std::condition_variable ready_;
    std::deque<BatchMessage> messages_;
};

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "scalora-batch: %s\n", message.c_str());
    return status;
}

// Gathers the named files and folders and measures each image into the engine's list; the
// files that are no image after all are named on stderr and counted.
std::int32_t gatherItems(const BatchArguments& arguments, const std::string& destination,
                         const std::string& cwd, ImageCodec& codec, BatchEngine& engine) {
    GatherOptions gather;
    gather.recursive = arguments.recursive;
    gather.destinationText = destination;
    gather.cwd = cwd;
    const std::vector<std::string> files = gatherImageFiles(arguments.paths, gather);
    std::vector<std::string> folders; // the trees mirrored with --keep-folders
    if (arguments.keepFolders) {
        for (const std::string& path : arguments.paths) {
            const std::string folder =
                withoutTrailingSeparator(normalizePath(expandHome(trim(path)), cwd));
            if (isDirectory(folder)) {
                folders.push_back(folder);
            }
        }
    }
    const InputContext context{
        .cwd = cwd, .destination = destination, .recursive = arguments.recursive};
    const std::vector<std::string> reasons = unusedInputReasons(arguments.paths, files, context);
    for (const std::string& reason : reasons) {
        std::fprintf(stderr, "scalora-batch: left out %s\n", reason.c_str());
    }
    auto leftOut = static_cast<std::int32_t>(reasons.size());
    for (const std::string& file : files) {
        ImageItem item(file);
        const std::optional<Size> size = codec.measure(item.path);
        if (!size) {
            ++leftOut; // not an image after all: the window's list would not take it either
            std::fprintf(stderr, "scalora-batch: not a readable image, left out: %s\n",
                         file.c_str());
            continue;
        }
        item.fileSize = fileSize(item.path).value_or(0);
        item.width = size->width;
        item.height = size->height;
        item.measured = true;
        item.resultFolder = mirroredFolder(item.path, folders);
        engine.items().push_back(std::move(item));
    }
    return leftOut;
}

// Makes the folders a run that keeps the trees writes into; the images whose folder cannot be
// made (something other than a folder is in the way) are named and left out.
std::int32_t makeResultFolders(const std::string& destination, std::vector<ImageItem>& items) {
    std::set<std::string> refused;
    std::set<std::string> made;
    for (const ImageItem& item : items) {
        if (item.resultFolder.empty() || made.contains(item.resultFolder) ||
            refused.contains(item.resultFolder)) {
            continue;
        }
        if (makeMirroredFolder(destination, item.resultFolder)) {
            made.insert(item.resultFolder);
            // The worker clears the destination itself; what a killed run left below it goes
            // here.
            static_cast<void>(removeStaleTemporaries(destination + item.resultFolder));
        } else {
            refused.insert(item.resultFolder);
        }
    }
    const auto kept = std::stable_partition(items.begin(), items.end(), [&](const ImageItem& item) {
        return !refused.contains(item.resultFolder);
    });
    for (auto item = kept; item != items.end(); ++item) {
        std::fprintf(stderr,
                     "scalora-batch: left out %s: %s%s is not a folder that can be written into "
                     "(a link or a file is in the way)\n",
                     item->path.c_str(), destination.c_str(), item->resultFolder.c_str());
    }
    const auto count = static_cast<std::int32_t>(items.end() - kept);
    items.erase(kept, items.end());
    return count;
}

// How much the run says, and where: from the options and whether standard error is a terminal.
struct Reporting {
    bool quiet = false;
    bool verbose = false;
    bool json = false;
    bool terminal = false;

    // One line per finished image on standard error: when no bar shows them, or when asked.
    bool imageLines() const { return !quiet && !json && (!terminal || verbose); }
};

void note(const Reporting& reporting, const std::string& line) {
    if (!reporting.quiet) {
        std::fprintf(stderr, "scalora-batch: %s\n", line.c_str());
    }
}

void emitJson(const ImageOutcome& outcome) {
    std::printf("%s\n", outcomeJson(outcome).c_str());
    std::fflush(stdout);
}

// Checks the request as the window's Start button does; the exit status and message of a
// refusal, or nothing when the run may start. A dry run may go on without its destination,
// naming results as they would be named in it.
std::optional<int> prepare(const BatchArguments& arguments, const BatchDefaults& defaults,
                           const std::string& destination, const std::string& cwd,
                           BatchEngine& engine) {
    RunRequest request;
    request.widthText = widthTextOf(arguments, defaults);
    request.heightText = heightTextOf(arguments, defaults);
    request.mode = arguments.mode;
    request.format = arguments.format;
    request.destinationText = destination;
    request.jpegQuality = arguments.jpegQuality;
    request.jpegCopyExif = arguments.copyMetadata;
    request.jpegStripLocation = arguments.stripLocation;
    request.allowRewrite = arguments.allowRewrite;
    request.doNotEnlarge = arguments.doNotEnlarge;
    request.saveOriginalFileDate = arguments.keepDates;
    request.desktopSize = arguments.desktopSize.value_or(Size{});
    PrepareEnvironment environment;
    environment.cwd = cwd;
    const Preparation preparation = prepareBatch(engine, request, environment);
    switch (preparation.outcome) {
    case PrepareOutcome::Ready:
        return std::nullopt;
    case PrepareOutcome::InvalidSize:
        return fail(kExitBadArguments, preparation.refusal.text + " " + preparation.refusal.detail);
    case PrepareOutcome::NoDestination:
        if (arguments.dryRun) {
            engine.settings().destinationFolder = destination;
            assignCopyIndexes(engine.items(), engine.settings().format);
            return std::nullopt;
        }
        return fail(kExitBadArguments,
                    "destination folder '" + arguments.destination + "' does not exist");
    case PrepareOutcome::NotEnoughSpace:
        return fail(kExitSomeSkipped, preparation.refusal.text + ". " + preparation.refusal.detail);
    case PrepareOutcome::EmptyList:
        return fail(kExitSomeSkipped, translate("Images not found.", "Messages"));
    }
    return std::nullopt;
}

// What each image would become, on standard output; nothing is written or made.
int dryRun(BatchEngine& engine, std::int32_t leftOut, const Reporting& reporting) {
    std::int32_t wouldWrite = 0;
    std::int32_t wouldSkip = 0;
    for (const ImageItem& item : engine.items()) {
        const ImageOutcome outcome = predictedOutcome(item, engine.settings());
        const bool writes = !outcome.result.empty();
        ++(writes ? wouldWrite : wouldSkip);
        if (reporting.json) {
            emitJson(outcome);
        } else if (writes) {
            std::printf("%s -> %s (%dx%d)\n", outcome.source.c_str(), outcome.result.c_str(),
                        outcome.size->width, outcome.size->height);
        } else {
            std::fprintf(stderr, "scalora-batch: would skip %s: %s\n", outcome.source.c_str(),
                         outcome.reason.c_str());
        }
    }
    std::fflush(stdout);
    if (!reporting.quiet) {
        std::fprintf(stderr, "Would write: %d, would skip: %d", wouldWrite, wouldSkip);
        if (leftOut > 0) {
            std::fprintf(stderr, ", left out: %d", leftOut);
        }
        std::fputs(" (dry run: nothing written)\n", stderr);
    }
    return wouldSkip == 0 && leftOut == 0 ? kExitAllProcessed : kExitSomeSkipped;
}

// Runs the worker to its end with the progress display; Ctrl+C or SIGTERM asks for a stop like
// the Stop button, a second one ends the program at once (results are written whole or not at
// all, so nothing half-written is left).
void monitor(BatchEngine& engine, QueueObserver& observer, const Reporting& reporting) {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    const auto total = static_cast<std::int32_t>(engine.items().size());
    ProgressDisplay display(
        stderr, reporting.terminal && !reporting.quiet, engine.items(),
        [&](std::int32_t index, const ImageItem& item) {
            const ImageOutcome outcome = outcomeOf(item, engine.settings());
            if (reporting.json) {
                emitJson(outcome);
            } else if (reporting.imageLines()) {
                std::fprintf(stderr, "%s\n",
                             outcomeLine(outcome, index, total, reporting.verbose).c_str());
            }
        });
    engine.startWorker();
    bool stopAnnounced = false;
    for (;;) {
        const std::optional<BatchMessage> message = observer.next(kTick);
        if (gInterrupted && !stopAnnounced) {
            stopAnnounced = true;
            engine.requestStop();
            display.note("scalora-batch: stopping once the images in progress are written "
                         "(Ctrl+C again to quit at once)");
        }
        display.update(engine.settings().readStatus(true));
        if (message == FinishedMessage) {
            break;
        }
    }
    engine.waitForWorker();
    display.finish();
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
}

// The counts, the elapsed time and each skipped image with its reason; the exit status.
int summarise(BatchEngine& engine, std::int32_t leftOut, const Reporting& reporting) {
    const BatchStatus status = engine.settings().readStatus();
    std::int32_t notReached = 0;
    std::vector<const ImageItem*> skipped;
    for (const ImageItem& item : engine.items()) {
        if (item.status == ItemStatus::StatusError) {
            skipped.push_back(&item);
        } else if (item.status == ItemStatus::StatusUndefined) {
            ++notReached;
            if (reporting.json) {
                emitJson(outcomeOf(item, engine.settings()));
            }
        }
    }
    if (!reporting.quiet) {
        std::fprintf(stderr, "Processed: %d, skipped: %d", status.processedCount,
                     status.skippedCount);
        if (notReached > 0) {
            std::fprintf(stderr, ", not reached: %d", notReached);
        }
        if (leftOut > 0) {
            std::fprintf(stderr, ", left out: %d", leftOut);
        }
        std::fprintf(stderr, " (%s)\n", formatElapsed(status.elapsedMilliseconds).c_str());
    }
    const std::string kept = translate(kMessageRewriteNotAllowed, "Messages");
    bool anyKept = false;
    for (const ImageItem* item : skipped) {
        std::fprintf(stderr, "  skipped %s: %s\n", item->path.c_str(), skipReason(*item).c_str());
        anyKept = anyKept || item->message == kept;
    }
    if (anyKept) {
        std::fputs("scalora-batch: existing results were kept; --overwrite replaces them\n",
                   stderr);
    }
    if (status.runState == RunState::Stopped) {
        std::fputs("scalora-batch: stopped\n", stderr);
    } else if (status.runState == RunState::Failed) {
        std::fputs("scalora-batch: the run failed (out of memory)\n", stderr);
    }
    if (gInterrupted) {
        return kExitInterrupted;
    }
    const bool allDone = status.runState == RunState::Finished && skipped.empty() && leftOut == 0;
    return allDone ? kExitAllProcessed : kExitSomeSkipped;
}

// The settings a run uses, in one line, for --verbose.
std::string describeRun(const BatchArguments& arguments, const BatchDefaults& defaults,
                        const std::string& destination, std::size_t images) {
    std::string line = intToString(static_cast<std::int64_t>(images)) + " image" +
                       (images == 1 ? "" : "s") + ", mode " + modeNameOf(arguments.mode);
    if (isDesktopMode(arguments.mode)) {
        line += " " + intToString(arguments.desktopSize->width) + "x" +
                intToString(arguments.desktopSize->height);
    } else {
        line += " " + widthTextOf(arguments, defaults) + "x" + heightTextOf(arguments, defaults);
    }
    line += arguments.doNotEnlarge ? ", never enlarged" : ", enlarged when smaller";
    line += ", format " + formatNameOf(arguments.format) + ", JPEG quality " +
            intToString(arguments.jpegQuality);
    line += arguments.copyMetadata
                ? (arguments.stripLocation ? ", metadata without location" : ", metadata kept")
                : ", metadata stripped";
    line += arguments.allowRewrite ? ", existing files replaced" : ", existing files kept";
    return line + ", into " + destination;
}

int run(const std::vector<std::string>& args) {
    const BatchDefaults defaults =
        wantsSettings(args) ? loadBatchDefaults(userSettingsPath()) : commandLineDefaults();
    std::string error;
    const std::optional<BatchArguments> parsed = parseBatchArguments(args, defaults, error);
    if (!parsed) {
        return fail(kExitBadArguments, error);
    }
    BatchArguments arguments = *parsed;
    if (arguments.action == BatchArguments::Action::Help) {
        std::fputs(batchUsage().c_str(), stdout);
        return kExitAllProcessed;
    }
    if (arguments.action == BatchArguments::Action::Version) {
        const std::string line =
            "scalora-batch (" + std::string(kProductName) + ") " + std::string(kProductVersion);
        std::puts(line.c_str());
        return kExitAllProcessed;
    }
    const Reporting reporting{.quiet = arguments.verbosity == BatchArguments::Verbosity::Quiet,
                              .verbose = arguments.verbosity == BatchArguments::Verbosity::Verbose,
                              .json = arguments.json,
                              .terminal = ::isatty(STDERR_FILENO) == 1};
    for (const std::string& warning : arguments.warnings) {
        std::fprintf(stderr, "scalora-batch: %s\n", warning.c_str());
    }
    // English is the language the messages are written in: it needs no file.
    if (!useLanguage(arguments.language) && arguments.language != "english") {
        std::fprintf(stderr,
                     "scalora-batch: language '%s' is not available; messages stay in English\n",
                     arguments.language.c_str());
    }
    if (isDesktopMode(arguments.mode) && !arguments.desktopSize) {
        arguments.desktopSize = primaryMonitorSize();
        if (!arguments.desktopSize) {
            return fail(kExitBadArguments, "no display to take the monitor size from (DISPLAY is "
                                           "not set or cannot be opened): add --desktop-size WxH");
        }
    }

    const std::string cwd = currentDirectory();
    // Where the results go, made absolute; it may not exist yet.
    const std::string planned =
        withTrailingSeparator(normalizePath(expandHome(trim(arguments.destination)), cwd));
    const std::optional<FileStatus> existing = fileStatus(withoutTrailingSeparator(planned));
    if (existing && existing->kind != FileKind::Directory) {
        return fail(kExitBadArguments,
                    "destination folder '" + arguments.destination + "' is not a folder");
    }

    const std::unique_ptr<ImageCodec> codec = makeLibraryImageCodec();
    QueueObserver observer;
    // No window to keep responsive and no list to preview: no pause, no thumbnails.
    WorkerOptions worker{.pauseBeforeItem = std::chrono::milliseconds(0), .buildThumbnails = false};
    worker.jobs = arguments.jobs.value_or(worker.jobs);
    BatchEngine engine(*codec, observer, worker);
    std::int32_t leftOut = gatherItems(arguments, planned, cwd, *codec, engine);
    if (engine.items().empty()) {
        return fail(kExitBadArguments, translate("Images not found.", "Messages"));
    }
    if (reporting.verbose) {
        note(reporting, describeRun(arguments, defaults, planned, engine.items().size()));
    }
    if (arguments.dryRun) {
        if (!existing) {
            note(reporting, "would make the destination folder " + planned);
        }
        if (const std::optional<int> refused = prepare(arguments, defaults, planned, cwd, engine)) {
            return *refused;
        }
        return dryRun(engine, leftOut, reporting);
    }
    // Made only once there is something to put in it. Missing folders are made with mkdir,
    // which never follows a link: one that points nowhere is refused, not brought to life.
    if (!existing) {
        if (!createDirectories(planned)) {
            return fail(kExitBadArguments, "destination folder '" + arguments.destination +
                                               "' does not exist and could not be created" +
                                               (fileExists(withoutTrailingSeparator(planned))
                                                    ? " (it is a link to nothing)"
                                                    : ""));
        }
        if (reporting.verbose) {
            note(reporting, "made the destination folder " + planned);
        }
    }
    const std::string destination = normalizeDestination(arguments.destination, cwd);
    leftOut += makeResultFolders(destination, engine.items());
    if (engine.items().empty()) {
        return fail(kExitSomeSkipped, translate("Images not found.", "Messages"));
    }
    if (const std::optional<int> refused = prepare(arguments, defaults, destination, cwd, engine)) {
        return *refused;
    }
    monitor(engine, observer, reporting);
    return summarise(engine, leftOut, reporting);
}

} // namespace
} // namespace scalora

int main(int argc, char** argv) {
    return scalora::run(std::vector<std::string>(argv + 1, argv + argc));
}
