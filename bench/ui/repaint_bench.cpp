// Repainting a full 1280 x 800 window of text: a tool bar of buttons, a 36-row table of four
// columns, a status bar, every element with ParentBackground as the widgets have it. The goal
// is under 8 ms per full repaint (paint cycle and present) on the build machine.
#include "ui/backend/headless/headless_window_system.h"
#include "ui/core/ui_element.h"
#include "ui/core/ui_layout.h"
#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"
#include "ui/draw/ui_font.h"

#include <benchmark/benchmark.h>
#include <string>

namespace scalora {
namespace {

class ToolButton : public UIElement {
public:
    ToolButton(UIElement* parent, std::string text) : UIElement(parent), text_(std::move(text)) {
        setStyleClass("BenchButton");
        setFlag(kParentBackground, true);
        setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
        show();
    }
    Size sizeHint() const override { return {96, 40}; }

protected:
    void paintEvent(UIEvent& e) override {
        e.canvas->fillRect(rect(), Brush({0xFF5A8FD8, 0xFF2E62B0}));
        e.canvas->drawRect(rect(), 0xFF1C3F75);
        e.canvas->drawText(font_, rect(), text_, 0xFFFFFFFF, kAlignHCenter | kAlignVCenter);
    }

private:
    std::string text_;
    UIFont font_{UIFont::defaultFamily(), 9, UIFont::kBold};
};

class TableRow : public UIElement {
public:
    TableRow(UIElement* parent, int index) : UIElement(parent), index_(index) {
        setStyleClass("BenchRow");
        setFlag(kParentBackground, true);
        setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
        cells_[0] = "IMG_" + std::to_string(4000 + index) + ".JPG";
        cells_[1] = "/home/user/Pictures/2026/holiday/IMG_" + std::to_string(4000 + index) + ".JPG";
        cells_[2] = std::to_string(1000 + index * 37) + " x " + std::to_string(800 + index * 11);
        cells_[3] = index % 5 == 0 ? "error: cannot write the result" : "ok";
        show();
    }
    Size sizeHint() const override { return {400, 18}; }

protected:
    void paintEvent(UIEvent& e) override {
        Canvas& c = *e.canvas;
        if (index_ % 2 == 1) {
            c.fillRect(rect(), 0xFFF2F5F9);
        }
        const std::int32_t widths[4] = {180, 560, 160, width() - 900};
        std::int32_t x = 4;
        for (int i = 0; i < 4; ++i) {
            c.drawText(font_, Rect{x, 0, widths[i] - 8, height()}, cells_[i], 0xFF202428,
                       kAlignLeft | kAlignVCenter | kTextElideRight);
            x += widths[i];
        }
    }

private:
    int index_;
    std::string cells_[4];
    UIFont font_{UIFont::defaultFamily(), 9};
};

class Panel : public UIElement {
public:
    Panel(UIElement* parent, Color color) : UIElement(parent), color_(color) {
        setStyleClass("BenchPanel");
        setFlag(kParentBackground, true);
        show();
    }

protected:
    void paintEvent(UIEvent& e) override { e.canvas->fillRect(e.rect, color_); }

private:
    Color color_;
};

struct Scene {
    Scene() {
        auto system = std::make_unique<HeadlessWindowSystem>();
        toolkit = std::make_unique<UIToolkit>(std::move(system));
        window = new UIWindow(nullptr);
        window->setStyleClass("UIWindow");
        window->setGeometry({0, 0, 1280, 800});
        auto column = std::make_unique<UIVBoxLayout>();
        column->setContentsMargins({8, 8, 8, 8});
        column->setSpacing(6);
        auto bar = std::make_unique<UIHBoxLayout>();
        bar->setSpacing(6);
        bar->setContentsMargins({0, 0, 0, 0});
        for (const char* label :
             {"Add files", "Add folder", "Clear", "Resize", "Options", "Feedback", "About"}) {
            bar->addElement(new ToolButton(window, label));
        }
        bar->addStretch();
        column->addLayout(std::move(bar));
        auto* table = new Panel(window, 0xFFFFFFFF);
        auto rows = std::make_unique<UIVBoxLayout>();
        rows->setContentsMargins({1, 1, 1, 1});
        rows->setSpacing(1);
        for (int i = 0; i < 36; ++i) {
            rows->addElement(new TableRow(table, i));
        }
        rows->addStretch();
        table->setLayout(std::move(rows));
        column->addElement(table, 1);
        auto* status = new Panel(window, 0xFFDDE2E8);
        status->setMinimumSize({0, 24});
        column->addElement(status);
        window->setLayout(std::move(column));
        window->show();
        toolkit->processEvents();
    }
    std::unique_ptr<UIToolkit> toolkit;
    UIWindow* window = nullptr;
};

void BM_FullWindowRepaint(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.window->update();
        scene.toolkit->processEvents();
    }
    state.SetLabel("1280x800, 44 elements, 36 rows of text");
}
BENCHMARK(BM_FullWindowRepaint)->Unit(benchmark::kMillisecond);

void BM_IdleIteration(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.toolkit->iterate(false);
    }
}
BENCHMARK(BM_IdleIteration)->Unit(benchmark::kMicrosecond);

void BM_OneButtonRepaint(benchmark::State& state) {
    Scene scene;
    UIElement* button = scene.window->hitTest({20, 20});
    for (auto _ : state) {
        button->update();
        scene.toolkit->processEvents();
    }
}
BENCHMARK(BM_OneButtonRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace scalora
