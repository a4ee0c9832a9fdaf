// Adding 1,000 camera photos to the image list, as the window does (busy state, one event-loop
// turn per file), with previews (goal under 5 s on two cores) and without (goal under 1 s).
// Besides the time it reports the longest gap between two event-loop turns, which is how long
// the window could go unpainted (goal 100 ms at most), and how many previews were cut from the
// photos' own EXIF thumbnails. The photos are copies, not links: the list takes each file once.
#include "app/image_list.h"
#include "app/image_list_host.h"
#include "app/settings_access.h"
#include "data/settings_store.h"
#include "engine/batch_engine.h"
#include "engine/geometry.h"
#include "engine/image_file.h"
#include "engine/library_image_codec.h"
#include "engine/thumbnail.h"
#include "imaging/image_decoder.h"
#include "imaging/resample_decode.h"
#include "platform/file_contents.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPhotos = 1000;

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class TimingHost : public ImageListHost {
public:
    void beginBusy() override { last_ = Clock::now(); }
    void setBusyProgress(double) override {}
    void endBusy() override { gap(); }
    void updateCounter() override {}
    void updateCommands() override {}
    bool turnEventLoop() override {
        gap();
        return true;
    }
    std::string destinationText() const override { return {}; }
    UIWindow* ownerWindow() override { return nullptr; }
    void openAddImagesDialog() override {}

    double longestGapMs = 0;

private:
    void gap() {
        const Clock::time_point now = Clock::now();
        longestGapMs =
            std::max(longestGapMs, std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
    }
    Clock::time_point last_ = Clock::now();
};

class NoObserver : public BatchObserver {
public:
    void post(BatchMessage, ResizeThread&) override {}
};

// The copies live for the whole run of the program and are removed at its end.
struct PhotoFolder {
    PhotoFolder() {
        const fs::path corpus = fs::path(SCALORA_SHARED_DIR) / "corpus" / "jpeg";
        std::vector<fs::path> sources;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(corpus, error)) {
            sources.push_back(entry.path());
        }
        std::sort(sources.begin(), sources.end());
        if (sources.empty()) {
            return;
        }
        folder = fs::temp_directory_path() / ("scalora-bench-add-" + std::to_string(getpid()));
        fs::create_directories(folder);
        for (int i = 0; i < kPhotos; ++i) {
            const fs::path& from = sources[static_cast<std::size_t>(i) % sources.size()];
            const fs::path to =
                folder / (std::to_string(1000 + i) + "_" + from.filename().string());
            fs::copy_file(from, to, fs::copy_options::overwrite_existing);
            paths.push_back(to.string());
        }
    }
    ~PhotoFolder() {
        std::error_code error;
        if (!folder.empty()) {
            fs::remove_all(folder, error);
        }
    }
    fs::path folder;
    std::vector<std::string> paths;
};

const PhotoFolder& photos() {
    static const PhotoFolder folder;
    return folder;
}

void BM_AddImages(benchmark::State& state) {
    const bool previews = state.range(0) != 0;
    const PhotoFolder& folder = photos();
    if (folder.paths.empty()) {
        state.SkipWithError("no corpus at " SCALORA_SHARED_DIR "/corpus/jpeg");
        return;
    }
    const std::unique_ptr<ImageCodec> codec = makeLibraryImageCodec();
    NoObserver observer;
    BatchEngine engine(*codec, observer);
    const fs::path config = folder.folder / "config";
    const std::unique_ptr<SettingsStore> settings = openSettingsStore("Scalora", config.string());
    settings->set("general/isShowPreview", SettingValue(previews));
    TimingHost host;
    ImageList list(engine, *settings, host);
    int added = 0;
    const double cpuStart = processCpuSeconds();
    for (auto _ : state) {
        list.clear();
        added = list.addImages(folder.paths);
    }
    // The machine is shared: the CPU time of every thread tells what two idle cores would do.
    state.counters["process_cpu_s"] =
        (processCpuSeconds() - cpuStart) / static_cast<double>(state.iterations());
    if (added != kPhotos) {
        state.SkipWithError("not every photo was added");
    }
    state.counters["images"] = added;
    state.counters["longest_gap_ms"] = host.longestGapMs;
}
BENCHMARK(BM_AddImages)
    ->ArgName("previews")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// "WxH" of a file's EXIF thumbnail as stored, "none" without one.
std::string exifThumbnailSize(const std::string& path) {
    std::vector<std::uint8_t> head;
    std::uint64_t size = 0;
    std::size_t offset = 0;
    std::size_t length = 0;
    PixelImage thumbnail;
    if (!readRegularFileHead(path, 128 * 1024, head, size) ||
        !findExifThumbnail(head, offset, length) ||
        !decodeImageData(std::span(head).subspan(offset, length), {}, thumbnail)) {
        return "none";
    }
    return std::to_string(thumbnail.width()) + "x" + std::to_string(thumbnail.height());
}

// One preview per corpus photo, each way: from the EXIF thumbnail (when it serves) and from
// the reduced decode. exif=1 marks the photos whose thumbnail has the picture's proportions.
void BM_Preview(benchmark::State& state) {
    const PhotoFolder& folder = photos();
    const std::size_t index = static_cast<std::size_t>(state.range(0));
    const bool fromExif = state.range(1) != 0;
    if (folder.paths.size() <= index) {
        state.SkipWithError("no such photo");
        return;
    }
    const ImageFile file(folder.paths[index]);
    const Size target = scaledToHeight(file.size(), kThumbnailHeight);
    const bool served = !previewFromExifThumbnail(file, target).isNull();
    if (fromExif && !served) {
        state.SkipWithError("its EXIF thumbnail does not serve");
        return;
    }
    for (auto _ : state) {
        if (fromExif) {
            benchmark::DoNotOptimize(previewFromExifThumbnail(file, target));
        } else {
            ResizeSource source;
            benchmark::DoNotOptimize(decodeForResize(
                file.path(),
                {0, 0, static_cast<double>(file.width()), static_cast<double>(file.height())},
                target, source));
        }
    }
    state.SetLabel(fs::path(folder.paths[index]).filename().string() + " " +
                   exifThumbnailSize(file.path()) + " of " + std::to_string(file.width()) + "x" +
                   std::to_string(file.height()));
    state.counters["exif"] = served ? 1 : 0;
}
BENCHMARK(BM_Preview)
    ->ArgNames({"photo", "exif"})
    ->ArgsProduct({benchmark::CreateDenseRange(0, 21, 1), {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scalora
