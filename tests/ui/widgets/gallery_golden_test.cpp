// The basic widgets' gallery page rendered on the headless backend, with the default style
// and with no style at all (the fall-back look), compared with reference images that were
// looked at when they were made. SCALORA_UPDATE_GOLDEN=1 writes new references instead;
// SCALORA_KEEP_PNG=DIR keeps what was rendered.
#include "../core/ui_test_fixture.h"
#include "../draw/png_file.h"
#include "gallery_basic.h"
#include "support/test_support.h"
#include "ui/style/ui_style_manager.h"

#include <cstdlib>

namespace scalora::test {
namespace {

// A pixel differs when one channel is off by more than this; antialiasing and rounding move
// edges by a level or two, a real change moves whole shapes.
constexpr int kChannelTolerance = 24;
// The share of pixels that may differ.
constexpr double kDifferingShare = 0.002;

std::filesystem::path goldenPath(const std::string& name) {
    return sourceDir() / "tests" / "ui" / "widgets" / "golden" / (name + ".png");
}

// The number of pixels whose straight colours differ beyond the tolerance.
std::int64_t differingPixels(const PixelImage& a, const PixelImage& b) {
    std::int64_t count = 0;
    for (std::int32_t y = 0; y < a.height(); ++y) {
        for (std::int32_t x = 0; x < a.width(); ++x) {
            const Color p = a.pixel(x, y);
            const Color q = b.pixel(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                const int d =
                    static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF);
                if (std::abs(d) > kChannelTolerance) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

class BasicGalleryTest : public UITest {
protected:
    void renderAndCompare(const std::string& name) {
        UIWindow* window = sandbox::makeBasicGallery([](const std::string&) {});
        window->show();
        toolkit().processEvents();
        TempDir dir;
        const std::filesystem::path rendered = dir / (name + ".png");
        ASSERT_TRUE(sys().saveWindowPng(*window, rendered));
        if (const char* keep = std::getenv("SCALORA_KEEP_PNG")) {
            std::filesystem::copy_file(rendered, std::filesystem::path(keep) / (name + ".png"),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        if (std::getenv("SCALORA_UPDATE_GOLDEN") != nullptr) {
            std::filesystem::create_directories(goldenPath(name).parent_path());
            std::filesystem::copy_file(rendered, goldenPath(name),
                                       std::filesystem::copy_options::overwrite_existing);
            GTEST_SKIP() << "wrote " << goldenPath(name);
        }
        PixelImage actual;
        PixelImage expected;
        ASSERT_TRUE(readPng(rendered, actual));
        ASSERT_TRUE(readPng(goldenPath(name), expected))
            << "no reference " << goldenPath(name) << " (SCALORA_UPDATE_GOLDEN=1 makes one)";
        ASSERT_EQ(actual.size(), expected.size());
        const std::int64_t limit = static_cast<std::int64_t>(static_cast<double>(actual.width()) *
                                                             actual.height() * kDifferingShare);
        EXPECT_LE(differingPixels(actual, expected), limit)
            << name << " differs from its reference";
    }
};

TEST_F(BasicGalleryTest, MatchesTheReferenceWithTheDefaultStyle) {
    const std::string folder = (sourceDir() / "assets" / "styles" / "default").string();
    ASSERT_TRUE(UIStyleManager::instance().loadStyleFrom(folder));
    renderAndCompare("gallery_basic");
}

TEST_F(BasicGalleryTest, MatchesTheReferenceWithNoStyle) {
    // A failed load leaves no style: every widget falls back to its own values.
    (void)UIStyleManager::instance().loadStyleFrom("/nonexistent/style");
    ASSERT_EQ(UIStyleManager::instance().style(), nullptr);
    renderAndCompare("gallery_basic_unstyled");
}

} // namespace
} // namespace scalora::test
