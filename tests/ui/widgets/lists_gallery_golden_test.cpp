// The lists page of the gallery, drawn with the default style on the headless backend, must
// match its reference picture within a small tolerance (font rasterisation may differ by a
// level here and there). SCALORA_KEEP_PNG=<folder> writes what was drawn there to look at;
// SCALORA_UPDATE_GOLDEN=1 replaces the reference (look at it before committing it).
#include "../draw/png_file.h"
#include "gallery_lists.h"
#include "support/test_support.h"
#include "ui/style/ui_style_manager.h"
#include "widget_test_support.h"

#include <cstdlib>
#include <filesystem>

namespace scalora::test {
namespace {

// A pixel differs when a channel is off by more than this; the picture matches when at most
// kMaxDifferentShare of its pixels differ.
constexpr int kChannelTolerance = 24;
constexpr double kMaxDifferentShare = 0.002;

double differentShare(const PixelImage& a, const PixelImage& b) {
    long different = 0;
    for (std::int32_t y = 0; y < a.height(); ++y) {
        for (std::int32_t x = 0; x < a.width(); ++x) {
            const Color p = a.pixel(x, y);
            const Color q = b.pixel(x, y);
            const int d =
                std::max({std::abs(redOf(p) - redOf(q)), std::abs(greenOf(p) - greenOf(q)),
                          std::abs(blueOf(p) - blueOf(q))});
            different += d > kChannelTolerance ? 1 : 0;
        }
    }
    return static_cast<double>(different) / (static_cast<double>(a.width()) * a.height());
}

using ListsGalleryTest = UITest;

TEST_F(ListsGalleryTest, MatchesItsReferencePicture) {
    UIStyleManager& styles = UIStyleManager::instance();
    ASSERT_TRUE(styles.loadStyleFrom((sourceDir() / "assets" / "styles" / "default").string()))
        << styles.errorText();
    auto* window = new RecordingWindow("gallery", nullptr);
    window->setGeometry(
        {0, 0, sandbox::kListsGallerySize.width, sandbox::kListsGallerySize.height});
    sandbox::buildListsGallery(*window);
    window->show();
    toolkit().processEvents();

    TempDir scratch;
    const std::filesystem::path drawn = scratch / "lists.png";
    ASSERT_TRUE(sys().saveWindowPng(*window, drawn));
    const std::filesystem::path golden =
        sourceDir() / "tests" / "ui" / "widgets" / "golden" / "gallery_lists.png";
    if (const char* keep = std::getenv("SCALORA_KEEP_PNG")) {
        std::filesystem::copy_file(drawn, std::filesystem::path(keep) / "gallery_lists.png",
                                   std::filesystem::copy_options::overwrite_existing);
    }
    if (std::getenv("SCALORA_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(golden.parent_path());
        std::filesystem::copy_file(drawn, golden,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    PixelImage expected;
    PixelImage actual;
    ASSERT_TRUE(readPng(golden, expected)) << golden;
    ASSERT_TRUE(readPng(drawn, actual));
    ASSERT_EQ(actual.size(), expected.size());
    EXPECT_LE(differentShare(actual, expected), kMaxDifferentShare);
    // No style stays loaded for the other tests of this program.
    EXPECT_FALSE(styles.loadStyleFrom((scratch / "none").string()));
}

} // namespace
} // namespace scalora::test
