// The paint cycle on the headless backend: element canvases, the parent background copy,
// clipping to ancestors, deferred and merged repaints, and the window saved as a PNG.
#include "../draw/png_file.h"
#include "support/test_support.h"
#include "ui/draw/canvas.h"
#include "ui_test_fixture.h"

#include <gmock/gmock.h>

namespace scalora::test {
namespace {

// Fills the left `fraction` of itself (in percent) with one colour.
class Swatch : public UIElement {
public:
    Swatch(UIElement* parent, const Rect& geometry, Color color, int percent = 100)
        : UIElement(parent), color_(color), percent_(percent) {
        setStyleClass("Swatch");
        setGeometry(geometry);
        show();
    }
    int paints = 0;
    Rect lastPaintRect;

protected:
    void paintEvent(UIEvent& e) override {
        ++paints;
        lastPaintRect = e.rect;
        e.canvas->fillRect({0, 0, width() * percent_ / 100, height()}, color_);
    }

private:
    Color color_;
    int percent_;
};

void fill(PixelImage& image, const Rect& r, Color c) {
    const Rect area = r.intersected({0, 0, image.width(), image.height()});
    for (std::int32_t y = area.y; y < area.bottom(); ++y) {
        for (std::int32_t x = area.x; x < area.right(); ++x) {
            image.setPixel(x, y, c);
        }
    }
}

// Counts differing pixels and remembers the first.
int differences(const PixelImage& a, const PixelImage& b, std::string* first) {
    if (a.size() != b.size()) {
        return -1;
    }
    int count = 0;
    for (std::int32_t y = 0; y < a.height(); ++y) {
        for (std::int32_t x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                if (count++ == 0 && first != nullptr) {
                    char text[96];
                    std::snprintf(text, sizeof text, "(%d,%d): %08X vs %08X", x, y, a.pixel(x, y),
                                  b.pixel(x, y));
                    *first = text;
                }
            }
        }
    }
    return count;
}

// The pixels of a PNG file; a null image when it cannot be read.
PixelImage pngPixels(const std::filesystem::path& path) {
    PixelImage image;
    if (!readPng(path, image)) {
        image.reset();
    }
    return image;
}

constexpr Color kBackground = 0xFF336699;
constexpr Color kRed = 0xFFE02020;
constexpr Color kGreen = 0xFF20C040;
constexpr Color kBlue = 0xFF2040E0;

TEST_F(UITest, PaintCycleComposesElementsClippedToTheirParents) {
    RecordingWindow* w = makeWindow({64, 48});
    w->setBackground(kBackground);
    auto* a = new Swatch(w, {8, 8, 24, 16}, kRed);
    auto* g = new Swatch(a, {16, 8, 20, 20}, kGreen); // sticks out of its parent
    auto* b = new Swatch(w, {36, 20, 20, 20}, kBlue, 50);
    b->setFlag(kParentBackground, true);
    toolkit().processEvents();

    PixelImage expected;
    ASSERT_TRUE(expected.allocate(64, 48, AlphaKind::Straight));
    expected.fill(kBackground);
    fill(expected, {8, 8, 24, 16}, kRed);
    fill(expected, {24, 16, 8, 8}, kGreen);
    fill(expected, {36, 20, 10, 20}, kBlue);

    TempDir dir;
    ASSERT_TRUE(sys().saveWindowPng(*w, dir / "window.png"));
    const PixelImage saved = pngPixels(dir / "window.png");
    ASSERT_FALSE(saved.isNull());
    std::string first;
    EXPECT_EQ(differences(saved, expected, &first), 0) << first;

    // An unchanged window is not painted again.
    HeadlessNativeWindow* native = HeadlessWindowSystem::native(*w);
    const int presents = native->presentCount();
    const int paintsOfA = a->paints;
    toolkit().processEvents();
    toolkit().processEvents();
    EXPECT_EQ(native->presentCount(), presents);

    // Several updates merge into one paint, of the part that was asked for.
    g->update({0, 0, 2, 2});
    g->update({1, 1, 2, 2});
    EXPECT_EQ(g->paints, 1);
    toolkit().processEvents();
    EXPECT_EQ(native->presentCount(), presents + 1);
    EXPECT_EQ(g->paints, 2);
    EXPECT_EQ(g->lastPaintRect, (Rect{0, 0, 3, 3}));
    EXPECT_EQ(a->paints, paintsOfA + 1); // its parent lies under the dirty area

    // Hiding an element repaints what was behind it.
    b->hide();
    toolkit().processEvents();
    fill(expected, {36, 20, 10, 20}, kBackground);
    ASSERT_TRUE(sys().saveWindowPng(*w, dir / "hidden.png"));
    EXPECT_EQ(differences(pngPixels(dir / "hidden.png"), expected, &first), 0) << first;

    // Moving an element repaints both places.
    a->setPosition(0, 30);
    toolkit().processEvents();
    fill(expected, {8, 8, 24, 16}, kBackground);
    fill(expected, {0, 30, 24, 16}, kRed);
    fill(expected, {16, 38, 8, 8}, kGreen);
    ASSERT_TRUE(sys().saveWindowPng(*w, dir / "moved.png"));
    EXPECT_EQ(differences(pngPixels(dir / "moved.png"), expected, &first), 0) << first;
}

TEST_F(UITest, UpdatesBeforeTheWindowIsShownMarkItRepaintPending) {
    auto* w = new RecordingWindow("win", &log);
    w->setGeometry({0, 0, 30, 20});
    auto* a = new Swatch(w, {0, 0, 10, 10}, kRed);
    a->update();
    EXPECT_TRUE(w->hasFlag(kRepaintPending));
    w->show();
    EXPECT_FALSE(w->hasFlag(kRepaintPending));
    toolkit().processEvents();
    EXPECT_EQ(HeadlessWindowSystem::native(*w)->screen().pixel(5, 5), kRed);
}

} // namespace
} // namespace scalora::test
