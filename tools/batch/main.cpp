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
#include "platform/file_system.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_defaults.h"
#include "tools/batch/batch_progress.h"
#include "tools/batch/input_reasons.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <mutex>
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
        engine.items().push_back(std::move(item));
    }
    return leftOut;
}

// Checks the request as the window's Start button does; the exit status and message of a
// refusal, or nothing when the run may start.
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
        return fail(kExitBadArguments,
                    "destination folder '" + arguments.destination + "' does not exist");
    case PrepareOutcome::NotEnoughSpace:
        return fail(kExitSomeSkipped, preparation.refusal.text + ". " + preparation.refusal.detail);
    case PrepareOutcome::EmptyList:
        return fail(kExitSomeSkipped, translate("Images not found.", "Messages"));
    }
    return std::nullopt;
}

// Runs the worker to its end with the progress display; Ctrl+C or SIGTERM asks for a stop like
// the Stop button, a second one ends the program at once (results are written whole or not at
// all, so nothing half-written is left).
void monitor(BatchEngine& engine, QueueObserver& observer) {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    ProgressDisplay display(stderr, ::isatty(STDERR_FILENO) == 1, engine.items());
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
int summarise(BatchEngine& engine, std::int32_t leftOut) {
    const BatchStatus status = engine.settings().readStatus();
    std::int32_t notReached = 0;
    std::vector<const ImageItem*> skipped;
    for (const ImageItem& item : engine.items()) {
        if (item.status == ItemStatus::StatusError) {
            skipped.push_back(&item);
        } else if (item.status == ItemStatus::StatusUndefined) {
            ++notReached;
        }
    }
    std::fprintf(stderr, "Processed: %d, skipped: %d", status.processedCount, status.skippedCount);
    if (notReached > 0) {
        std::fprintf(stderr, ", not reached: %d", notReached);
    }
    if (leftOut > 0) {
        std::fprintf(stderr, ", left out: %d", leftOut);
    }
    std::fprintf(stderr, " (%s)\n", formatElapsed(status.elapsedMilliseconds).c_str());
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

int run(const std::vector<std::string>& args) {
    const BatchDefaults defaults =
        wantsSettings(args) ? loadBatchDefaults(userSettingsPath()) : commandLineDefaults();
    std::string error;
    const std::optional<BatchArguments> parsed = parseBatchArguments(args, defaults, error);
    if (!parsed) {
        return fail(kExitBadArguments, error);
    }
    const BatchArguments& arguments = *parsed;
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
    for (const std::string& warning : arguments.warnings) {
        std::fprintf(stderr, "scalora-batch: %s\n", warning.c_str());
    }
    // English is the language the messages are written in: it needs no file.
    if (!useLanguage(arguments.language) && arguments.language != "english") {
        std::fprintf(stderr,
                     "scalora-batch: language '%s' is not available; messages stay in English\n",
                     arguments.language.c_str());
    }

    const std::string cwd = currentDirectory();
    const std::string destination = normalizeDestination(arguments.destination, cwd);
    if (destination.empty()) {
        const std::optional<FileStatus> status =
            fileStatus(normalizePath(expandHome(arguments.destination), cwd));
        return fail(kExitBadArguments, "destination folder '" + arguments.destination + "' " +
                                           (status ? "is not a folder" : "does not exist"));
    }

    const std::unique_ptr<ImageCodec> codec = makeLibraryImageCodec();
    QueueObserver observer;
    // No window to keep responsive and no list to preview: no pause, no thumbnails.
    WorkerOptions worker{.pauseBeforeItem = std::chrono::milliseconds(0), .buildThumbnails = false};
    worker.jobs = arguments.jobs.value_or(worker.jobs);
    BatchEngine engine(*codec, observer, worker);
    const std::int32_t leftOut = gatherItems(arguments, destination, cwd, *codec, engine);
    if (engine.items().empty()) {
        return fail(kExitBadArguments, translate("Images not found.", "Messages"));
    }
    if (const std::optional<int> refused = prepare(arguments, defaults, destination, cwd, engine)) {
        return *refused;
    }
    monitor(engine, observer);
    return summarise(engine, leftOut);
}

} // namespace
} // namespace scalora

int main(int argc, char** argv) {
    return scalora::run(std::vector<std::string>(argv + 1, argv + argc));
}
