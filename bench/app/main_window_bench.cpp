// The main window's own costs, without a display: building and painting it the first time
// (the part of start-up after the style is loaded; goal with the rest of start-up: under
// 200 ms to the first painted window), a whole repaint with 1,000 images listed (goal: under
// 8 ms), and an idle turn of the event loop, which must do nothing and allocate nothing (its
// "allocations" counter is per turn).
#include "app/image_table.h"
#include "app/main_window.h"
#include "app/settings_access.h"
#include "engine/batch_engine.h"
#include "engine/library_image_codec.h"
#include "platform/monitors.h"
#include "support/allocation_counter.h"
#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_toolkit.h"
#include "ui/style/ui_style_manager.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace scalora {
namespace {

class NullObserver final : public BatchObserver {
public:
    void post(BatchMessage, ResizeThread&) override {}
};

// What the program holds while its main window is open.
struct Program {
    Program()
        : folder(std::filesystem::temp_directory_path() /
                 ("scalora-bench-" + std::to_string(::getpid()))),
          toolkit(std::make_unique<HeadlessWindowSystem>()),
          settings(openSettingsStore("Halvorn Scalora", folder.string())),
          codec(makeLibraryImageCodec()), engine(*codec, observer), monitors({{0, 0, 1920, 1080}}) {
    }
    ~Program() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    MainWindow* openWindow() {
        auto* window = new MainWindow(*settings, engine, monitors);
        window->applySettings();
        window->showAtStoredGeometry();
        toolkit.processEvents();
        return window;
    }

    std::filesystem::path folder;
    UIToolkit toolkit;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<ImageCodec> codec;
    NullObserver observer;
    BatchEngine engine;
    FixedMonitorProvider monitors;
};

bool loadStyle() {
    static const bool loaded = UIStyleManager::instance().loadStyleFrom(SCALORA_STYLE_DIR);
    return loaded;
}

void BM_StyleLoad(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIStyleManager::instance().loadStyleFrom(SCALORA_STYLE_DIR));
    }
}
BENCHMARK(BM_StyleLoad)->Unit(benchmark::kMillisecond);

void BM_MainWindowFirstPaint(benchmark::State& state) {
    if (!loadStyle()) {
        state.SkipWithError("the default style did not load");
        return;
    }
    for (auto _ : state) {
        Program program;
        benchmark::DoNotOptimize(program.openWindow());
    }
}
BENCHMARK(BM_MainWindowFirstPaint)->Unit(benchmark::kMillisecond);

void BM_MainWindowRepaint(benchmark::State& state) {
    if (!loadStyle()) {
        state.SkipWithError("the default style did not load");
        return;
    }
    Program program;
    MainWindow* window = program.openWindow();
    // Listed photos as adding leaves them: measured, with a 48-pixel-high preview each.
    for (int i = 0; i < 1000; ++i) {
        ImageItem item("/photos/IMG_" + std::to_string(10000 + i) + ".JPG");
        item.width = 4000;
        item.height = 3000;
        item.fileSize = 5'000'000;
        item.measured = true;
        if (!item.thumbnail.allocate(64, 48)) {
            state.SkipWithError("no memory for a preview");
            return;
        }
        item.thumbnail.fill(0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u));
        program.engine.items().push_back(std::move(item));
    }
    window->imageTable().rebuildView();
    program.toolkit.processEvents();
    for (auto _ : state) {
        window->update();
        program.toolkit.processEvents();
    }
}
BENCHMARK(BM_MainWindowRepaint)->Unit(benchmark::kMillisecond);

void BM_MainWindowIdleTurn(benchmark::State& state) {
    if (!loadStyle()) {
        state.SkipWithError("the default style did not load");
        return;
    }
    Program program;
    program.openWindow();
    const std::uint64_t before = test::allocationCount();
    for (auto _ : state) {
        program.toolkit.processEvents();
    }
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(test::allocationCount() - before) /
                           static_cast<double>(state.iterations()));
}
BENCHMARK(BM_MainWindowIdleTurn)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace scalora
