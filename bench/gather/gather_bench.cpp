// Gathering a large tree as a folder dropped on the window or named to scalora-batch is: ten
// thousand files, link loops, unreadable folders.
#include "engine/file_gatherer.h"
#include "engine/link_loop_tree.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <optional>
#include <sys/resource.h>

namespace scalora {
namespace {

namespace fs = std::filesystem;

long peakRssKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_GatherTenThousandFiles(benchmark::State& state) {
    std::string pattern = (fs::temp_directory_path() / "scalora-gather-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const fs::path root = fs::canonical(pattern);
    std::optional<test::LinkLoopTree> tree(std::in_place, root);
    GatherOptions options;
    options.recursive = true;
    const long before = peakRssKilobytes();
    std::size_t gathered = 0;
    std::size_t resultBytes = 0;
    for (auto _ : state) {
        const std::size_t heapBefore = mallinfo2().uordblks;
        const std::vector<std::string> files = gatherImageFiles({root.string()}, options);
        // What the list itself keeps once the gather's own bookkeeping is freed.
        resultBytes = mallinfo2().uordblks - heapBefore;
        gathered = files.size();
        benchmark::DoNotOptimize(files.data());
    }
    state.counters["files_in_tree"] = static_cast<double>(tree->fileCount());
    state.counters["images_gathered"] = static_cast<double>(gathered);
    state.counters["peak_rss_growth_kb"] = static_cast<double>(peakRssKilobytes() - before);
    state.counters["result_heap_kb"] = static_cast<double>(resultBytes) / 1024.0;
    state.counters["entries/s"] = benchmark::Counter(static_cast<double>(tree->fileCount()),
                                                     benchmark::Counter::kIsIterationInvariantRate);
    tree.reset();
    fs::remove_all(root);
}
BENCHMARK(BM_GatherTenThousandFiles)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scalora
