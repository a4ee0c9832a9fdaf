// Google Benchmark timings of the linear-light resampler and of the whole per-file pipeline
// (resizeToMemory) on the photo corpus, with one image or two images in flight at a time: the
// batch worker's way of using both cores.
//
// Run: build/bin/bench_pipeline [--benchmark_filter=...]; the corpus is ../shared/corpus.
#include "bench_support.h"
#include "imaging/image_probe.h"
#include "imaging/resample.h"
#include "imaging/resize_pipeline.h"

#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <thread>
#include <vector>

namespace scalora {
namespace {

namespace fs = std::filesystem;

// A 12 MP picture shrunk by 3 with each kernel set (all give the same bytes).
void resampleTwelveMegapixels(benchmark::State& state) {
    static const PixelImage source = bench::syntheticPhoto(4000, 3000);
    ResampleOptions options;
    options.kernels = static_cast<ResampleKernels>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(resampled(source, {1333, 1000}, options));
    }
    state.counters["source MP/s"] = benchmark::Counter(
        12.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(resampleTwelveMegapixels)
    ->ArgName("kernels(0 fastest,1 sse2,2 plain)")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

std::vector<std::string> corpusJpegs() {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry :
         fs::directory_iterator(fs::path(SCALORA_SHARED_DIR) / "corpus/jpeg", ec)) {
        files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

Size fitInto(Size s, Size box) {
    const double k = std::min(static_cast<double>(box.width) / s.width,
                              static_cast<double>(box.height) / s.height);
    return {std::max(1, static_cast<int>(s.width * k + 0.5)),
            std::max(1, static_cast<int>(s.height * k + 0.5))};
}

// Every corpus JPEG through resizeToMemory, `inFlight` images at a time (each thread takes the
// next file), W1 (fit 1280, JPEG q90, metadata) or W4 (width 800, PNG).
void corpus(benchmark::State& state, bool w1) {
    const std::vector<std::string> files = corpusJpegs();
    if (files.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    std::vector<ResizeJob> jobs;
    for (const std::string& file : files) {
        ImageProbe probe;
        bench::require(probeImageFile(file, probe), "probeImageFile");
        const Size s = probe.displaySize;
        ResizeJob job;
        job.rect = {0, 0, static_cast<double>(s.width), static_cast<double>(s.height)};
        job.target =
            w1 ? fitInto(s, {1280, 1280})
               : Size{800, std::max(1, static_cast<int>(s.height * 800.0 / s.width + 0.5))};
        job.canvas = job.target;
        job.format = w1 ? ImageFormat::Jpeg : ImageFormat::Png;
        job.copyMetadata = w1;
        jobs.push_back(job);
    }
    const auto inFlight = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            std::vector<std::uint8_t> bytes;
            for (std::size_t i = next++; i < files.size(); i = next++) {
                benchmark::DoNotOptimize(resizeToMemory(files[i], jobs[i], bytes));
            }
        };
        std::vector<std::thread> helpers;
        for (int t = 1; t < inFlight; ++t) {
            helpers.emplace_back(work);
        }
        work();
        for (std::thread& t : helpers) {
            t.join();
        }
    }
    state.counters["images/s"] = benchmark::Counter(
        static_cast<double>(files.size() * state.iterations()), benchmark::Counter::kIsRate);
}
void corpusFit1280Jpeg(benchmark::State& state) {
    corpus(state, true);
}
void corpusWidth800Png(benchmark::State& state) {
    corpus(state, false);
}
BENCHMARK(corpusFit1280Jpeg)
    ->ArgName("in flight")
    ->DenseRange(1, 2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(corpusWidth800Png)
    ->ArgName("in flight")
    ->DenseRange(1, 2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scalora
