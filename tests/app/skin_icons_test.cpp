// The application images as the build packs them: the tool bar strips cut into their four
// state frames, status icons told apart by shape, and the window icons in data.pak.
#include "app/skin_icons.h"
#include "imaging/pixel_image.h"
#include "support/test_support.h"
#include "ui/style/cursor_set.h"
#include "ui/style/resource_source.h"
#include "ui/style/skin.h"
#include "ui/style/ui_style_manager.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace scalora {
namespace {

class SkinIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        UIStyleManager& styles = UIStyleManager::instance();
        styles.setModuleDirectory(test::binDir().string());
        ASSERT_TRUE(styles.loadStyle("default")) << styles.errorText();
    }
    void TearDown() override {
        // No style stays loaded for the other tests of this program.
        EXPECT_FALSE(UIStyleManager::instance().loadStyleFrom((test::binDir() / "none").string()));
    }
    static const UISkin* skin(const std::string& name) {
        return UIStyleManager::instance().style()->skin(name);
    }
};

std::uint64_t coverage(const PixelImage& image) {
    std::uint64_t sum = 0;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        for (std::int32_t x = 0; x < image.width(); ++x) {
            sum += image.pixel(x, y) >> 24;
        }
    }
    return sum;
}

// Pixels that one icon covers and the other leaves (nearly) clear.
int shapeDifference(const PixelImage& a, const PixelImage& b) {
    int differ = 0;
    for (std::int32_t y = 0; y < a.height(); ++y) {
        for (std::int32_t x = 0; x < a.width(); ++x) {
            const bool inA = (a.pixel(x, y) >> 24) > 128;
            const bool inB = (b.pixel(x, y) >> 24) > 128;
            differ += inA != inB ? 1 : 0;
        }
    }
    return differ;
}

TEST_F(SkinIconsTest, ToolBarStripsGiveFourFramesOfTheirState) {
    for (const char* name :
         {"toolbar_add_files", "toolbar_add_folders", "toolbar_clear", "toolbar_resize",
          "toolbar_options", "toolbar_feedback", "toolbar_about"}) {
        const UIButtonIcons icons = skinIcons(name);
        for (const auto& icon : icons) {
            ASSERT_NE(icon, nullptr) << name;
            EXPECT_EQ(icon->size(), (Size{32, 32})) << name;
        }
        const PixelImage& normal = *icons[static_cast<std::size_t>(UIButtonIcon::Normal)];
        const PixelImage& disabled = *icons[static_cast<std::size_t>(UIButtonIcon::Disabled)];
        // Each frame is cut at its own place: the hovered one is the strip's second square,
        // and the disabled one is the faded fourth, not a neighbour's edge.
        const PixelImage& strip = *skin(name)->image;
        const PixelImage& hovered = *icons[static_cast<std::size_t>(UIButtonIcon::Hovered)];
        EXPECT_EQ(hovered.pixel(16, 16), strip.pixel(48, 16)) << name;
        EXPECT_GT(coverage(normal), coverage(disabled) * 3 / 2) << name;
        EXPECT_GT(coverage(disabled), 0u) << name;
    }
    EXPECT_EQ(skinIcons("no_such_image")[0], nullptr);
}

TEST_F(SkinIconsTest, EveryApplicationImageIsInThePackage) {
    struct Expected {
        const char* name;
        std::int32_t frames;
        Size frame;
    };
    for (const Expected& e :
         {Expected{"icon_status_unknown", 1, {16, 16}}, Expected{"icon_status_ok", 1, {16, 16}},
          Expected{"icon_status_error", 1, {16, 16}}, Expected{"drop_arrow", 1, {96, 96}},
          Expected{"folder_select", 4, {16, 16}}, Expected{"logo", 1, {64, 64}}}) {
        const UISkin* s = skin(e.name);
        ASSERT_NE(s, nullptr) << e.name;
        ASSERT_TRUE(s->hasImage()) << e.name;
        EXPECT_EQ(s->frameCount, e.frames) << e.name;
        EXPECT_EQ(s->frameSize(), e.frame) << e.name;
        EXPECT_GT(coverage(*s->image), 0u) << e.name;
    }
    // A status must read without its colour: each pair differs in a good share of its area.
    const std::array<const PixelImage*, 3> status{skin("icon_status_unknown")->image.get(),
                                                  skin("icon_status_ok")->image.get(),
                                                  skin("icon_status_error")->image.get()};
    for (std::size_t i = 0; i < status.size(); ++i) {
        for (std::size_t j = i + 1; j < status.size(); ++j) {
            EXPECT_GT(shapeDifference(*status[i], *status[j]), 16 * 16 / 10) << i << " " << j;
        }
    }
}

TEST_F(SkinIconsTest, DataArchiveCarriesTheWindowIconsAt16And32And48Pixels) {
    UIStyleManager manager;
    std::shared_ptr<const ResourceSource> data =
        ArchiveSource::open((test::binDir() / "data.pak").string());
    ASSERT_NE(data, nullptr);
    manager.setDataSource(data);
    ASSERT_NE(manager.windowIcon(false), nullptr);
    ASSERT_NE(manager.windowIcon(true), nullptr);
    EXPECT_EQ(manager.windowIcon(false)->size(), (Size{16, 16}));
    EXPECT_EQ(manager.windowIcon(true)->size(), (Size{32, 32}));
    ASSERT_NE(manager.largeWindowIcon(), nullptr);
    EXPECT_EQ(manager.largeWindowIcon()->size(), (Size{48, 48}));
}

// Every cursor of the table that is not the system's is drawn: an image with its hot spot on
// it, and the empty one wholly transparent.
TEST_F(SkinIconsTest, DataArchiveDrawsEveryCursorOfItsOwn) {
    const std::shared_ptr<const ResourceSource> data =
        ArchiveSource::open((test::binDir() / "data.pak").string());
    ASSERT_NE(data, nullptr);
    CursorSet cursors;
    ASSERT_TRUE(cursors.load(*data));
    for (const CursorId id :
         {CursorId::Hand, CursorId::HandOpen, CursorId::HandClose, CursorId::HandFinger,
          CursorId::Lens, CursorId::LensPlus, CursorId::LensMinus, CursorId::SplitTopBottom,
          CursorId::SplitLeftRight, CursorId::SplitLeft, CursorId::SplitRight, CursorId::SplitTop,
          CursorId::SplitBottom, CursorId::Pipette, CursorId::Target, CursorId::Empty}) {
        const CursorLook& look = cursors.look(id);
        ASSERT_NE(look.image, nullptr) << static_cast<int>(id);
        EXPECT_TRUE(Rect(0, 0, look.image->width(), look.image->height()).contains(look.hotspot))
            << static_cast<int>(id);
        std::uint32_t opaque = 0;
        for (std::int32_t y = 0; y < look.image->height(); ++y) {
            for (std::int32_t x = 0; x < look.image->width(); ++x) {
                opaque += (look.image->pixel(x, y) >> 24) > 128 ? 1u : 0u;
            }
        }
        EXPECT_EQ(opaque == 0, id == CursorId::Empty) << static_cast<int>(id);
    }
}

} // namespace
} // namespace scalora
