// A table of 100,000 rows in a 1280 x 800 window with the default style: scrolling one page
// and repainting the whole table view (goal under 8 ms), selecting every row with Ctrl+A and
// a Shift-click range over all rows (each goal under 50 ms, repaint included).
#include "imaging/pixel_image.h"
#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/style/ui_style_manager.h"
#include "ui/widgets/ui_header.h"
#include "ui/widgets/ui_scroll_bar.h"
#include "ui/widgets/ui_table.h"
#include "ui/widgets/ui_table_view.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace scalora {
namespace {

constexpr std::int32_t kRows = 100000;

std::shared_ptr<const PixelImage> statusIcon(Color color) {
    auto image = std::make_shared<PixelImage>();
    if (image->allocate(12, 12, AlphaKind::Straight)) {
        image->fill(color);
    }
    return image;
}

struct TableScene {
    TableScene() {
        if (!UIStyleManager::instance().loadStyleFrom(SCALORA_STYLE_DIR)) {
            throw std::runtime_error("no style at " SCALORA_STYLE_DIR);
        }
        auto headless = std::make_unique<HeadlessWindowSystem>();
        system = headless.get();
        toolkit = std::make_unique<UIToolkit>(std::move(headless));
        window = new UIWindow(nullptr);
        window->setStyleClass("UIWindow");
        window->setGeometry({0, 0, 1280, 800});
        view = new UITableView(window);
        view->setGeometry({8, 8, 1264, 784});
        view->header()->addSection("Status", 60);
        view->header()->addSection("Name", 360);
        view->header()->addSection("Size", 160);
        view->header()->addSection("Folder", 400);
        const std::shared_ptr<const PixelImage> icons[] = {statusIcon(0xFF9AA4AE),
                                                           statusIcon(0xFF2E9E5B)};
        std::vector<UITableRow> rows(kRows);
        for (std::int32_t i = 0; i < kRows; ++i) {
            rows[static_cast<std::size_t>(i)].cells = {
                {"", icons[i % 2]},
                {"IMG_" + std::to_string(100000 + i) + ".JPG", nullptr},
                {std::to_string(1000 + i % 3000) + " x " + std::to_string(800 + i % 2000), nullptr},
                {"/home/user/Pictures/2026/holiday/day " + std::to_string(i % 30), nullptr}};
        }
        view->table()->setSelectionMode(UISelectionMode::Multiple);
        view->table()->setRows(std::move(rows));
        view->show();
        window->show();
        view->table()->setFocus();
        toolkit->processEvents();
    }
    ~TableScene() { (void)UIStyleManager::instance().loadStyleFrom("/nonexistent"); }

    // A point on a row in window coordinates.
    Point rowPoint(std::int32_t row) const {
        const Rect r = view->table()->itemRectInView(row);
        return view->table()->mapToWindow({200, r.y + r.height / 2});
    }

    HeadlessWindowSystem* system = nullptr;
    std::unique_ptr<UIToolkit> toolkit;
    UIWindow* window = nullptr;
    UITableView* view = nullptr;
};

void BM_Table100kScrollFrame(benchmark::State& state) {
    TableScene scene;
    UIScrollBar* bar = scene.view->verticalScrollBar();
    for (auto _ : state) {
        const std::int32_t next = bar->value() + bar->pageSize();
        bar->setValue(next > bar->maximum() ? 0 : next);
        scene.view->update();
        scene.toolkit->processEvents();
    }
    state.SetLabel("1264x784 table view, 100,000 rows, 4 columns");
}
BENCHMARK(BM_Table100kScrollFrame)->Unit(benchmark::kMillisecond);

void BM_Table100kSelectAll(benchmark::State& state) {
    TableScene scene;
    UITable* table = scene.view->table();
    for (auto _ : state) {
        state.PauseTiming();
        table->clearSelection();
        scene.toolkit->processEvents();
        state.ResumeTiming();
        scene.system->keyPress(*scene.window, 'A', kControlModifier);
        scene.system->keyRelease(*scene.window, 'A', kControlModifier);
    }
    if (table->selectedCount() != kRows) {
        state.SkipWithError("Ctrl+A did not select every row");
    }
}
BENCHMARK(BM_Table100kSelectAll)->Unit(benchmark::kMillisecond);

void BM_Table100kShiftRange(benchmark::State& state) {
    TableScene scene;
    UITable* table = scene.view->table();
    UIScrollBar* bar = scene.view->verticalScrollBar();
    scene.system->click(*scene.window, scene.rowPoint(0));
    for (auto _ : state) {
        state.PauseTiming();
        table->clearSelection();
        bar->setValue(bar->maximum());
        scene.toolkit->processEvents();
        scene.system->advance(1000); // the next press is no double click
        scene.system->keyPress(*scene.window, vk::kShift);
        state.ResumeTiming();
        scene.system->click(*scene.window, scene.rowPoint(kRows - 1));
        state.PauseTiming();
        scene.system->keyRelease(*scene.window, vk::kShift, kShiftModifier);
        state.ResumeTiming();
    }
    if (table->selectedCount() != kRows) {
        state.SkipWithError("Shift-click did not select the whole range");
    }
}
BENCHMARK(BM_Table100kShiftRange)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace scalora
