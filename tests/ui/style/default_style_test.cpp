// The shipped "default" style package must load and be self-consistent: every skin's image
// holds exactly its frames, every standard image and metric is there. With SCALORA_KEEP_PNG
// set, a contact sheet of all skins in all states is written there to look at.
#include "../draw/png_file.h"
#include "data/xml_document.h"
#include "support/test_support.h"
#include "ui/draw/canvas.h"
#include "ui/draw/screen_dpi.h"
#include "ui/draw/ui_font.h"
#include "ui/style/style_ids.h"
#include "ui/style/style_values.h"
#include "ui/style/ui_style_manager.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace scalora {
namespace {

TEST(DefaultStyle, LoadsWithEverySkinImageStandardImageAndMetric) {
    UIStyleManager manager;
    const std::string folder = (test::sourceDir() / "assets" / "styles" / "default").string();
    ASSERT_TRUE(manager.loadStyleFrom(folder)) << manager.errorText();
    const UIStyle& style = *manager.style();
    EXPECT_GE(style.skins().size(), 50u);
    for (const UISkin& skin : style.skins()) {
        ASSERT_TRUE(skin.hasImage()) << skin.name;
        EXPECT_EQ(skin.image->width(), skin.frameWidth * skin.frameCount) << skin.name;
        EXPECT_EQ(skin.image->height(), skin.frameHeight) << skin.name;
        if (skin.hasGrid()) {
            EXPECT_EQ(skin.columns[0] + skin.columns[1] + skin.columns[2], skin.frameWidth)
                << skin.name;
            EXPECT_EQ(skin.rows[0] + skin.rows[1] + skin.rows[2], skin.frameHeight) << skin.name;
        }
    }
    for (const StandardImage id : allStandardImages()) {
        EXPECT_NE(manager.standardImage(id), nullptr) << standardImageFile(id);
    }
    for (std::int32_t id = 1; id <= 12; ++id) {
        EXPECT_GT(manager.metric(StyleMetric{id}), 0) << id;
    }
    // Every model value parses to something deliberate: no colour falls back by accident.
    int colours = 0;
    style.applyTo(
        "UIButton",
        [&](const std::string& name, const std::string& value) {
            if (name == "foreground") {
                EXPECT_EQ(parseStyleColor(value), 0xFF202020u);
                ++colours;
            }
            if (name == "minimumSize") {
                EXPECT_EQ(parseStyleSize(value), (Size{75, 23}));
            }
        },
        nullptr);
    EXPECT_EQ(colours, 1);

    // The package the build puts beside the program loads the same way, by name.
    UIStyleManager packed;
    packed.setModuleDirectory(test::binDir().string());
    ASSERT_TRUE(packed.loadStyle("default")) << packed.errorText();
    EXPECT_EQ(packed.style()->sourceMode(), UIStyle::SourceMode::ArchiveFile);
    // It adds the application's images, rendered at build time, to the toolkit's skins.
    for (const UISkin& skin : style.skins()) {
        EXPECT_NE(packed.style()->skin(skin.name), nullptr) << skin.name;
    }
    EXPECT_GT(packed.style()->skins().size(), style.skins().size());

    const char* keep = std::getenv("SCALORA_KEEP_PNG");
    if (keep == nullptr) {
        return;
    }
    // Contact sheet: each skin in each state at its own size and stretched.
    setScreenDpi(96);
    const UIFont font(UIFont::defaultFamily(), 8);
    Canvas sheet(900, static_cast<std::int32_t>(style.skins().size()) * 30 + 80);
    sheet.clear(0xFFF0F0F0);
    std::int32_t y = 4;
    for (const UISkin& skin : style.skins()) {
        sheet.drawText(font, Point{4, y + 6}, skin.name, 0xFF000000);
        for (std::int32_t state = 0; state < skin.frameCount; ++state) {
            drawSkin(sheet, skin, {260 + state * 30, y, skin.frameWidth, skin.frameHeight},
                     skinFrame(state));
            drawSkin(sheet, skin, {420 + state * 95, y, 85, 26}, skinFrame(state));
        }
        y += 30;
    }
    std::int32_t x = 4;
    for (const StandardImage id : allStandardImages()) {
        sheet.drawImage(*manager.standardImage(id), {x, y + 4});
        x += 40;
    }
    EXPECT_TRUE(test::writePng(sheet.image(), std::filesystem::path(keep) / "default_style.png"));
    setScreenDpi(0);
}

// The contrast ratio of two opaque colours, from their relative luminance in linear light.
double contrastRatio(Color a, Color b) {
    const auto luminance = [](Color c) {
        const auto linear = [](std::uint32_t v) {
            const double s = static_cast<double>(v) / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear((c >> 16) & 0xFF) + 0.7152 * linear((c >> 8) & 0xFF) +
               0.0722 * linear(c & 0xFF);
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Text that is meant to be read (disabled text and shadows aside) stands at 4.5:1 or more on
// what it is drawn on: the background of the same state ("selectedItemForeground" on
// "selectedItemBackground"), else the model's background, else the window's.
TEST(DefaultStyle, ReadableTextHasContrastOfAtLeastFourAndAHalf) {
    XmlDocument doc;
    ASSERT_TRUE(doc.loadFromFile(
        (test::sourceDir() / "assets" / "styles" / "default" / "xml" / "models.xml").string()));
    const XmlElement* models = doc.root().findChild("models");
    ASSERT_NE(models, nullptr);
    const Color window = 0xFFF0F0F0u;
    int checked = 0;
    for (const auto& model : models->children()) {
        std::map<std::string, Color> colours;
        for (const auto& property : model->children()) {
            colours[property->attributeValue("name")] =
                parseStyleColor(property->attributeValue("data"));
        }
        const auto opaque = [&](const std::string& name) -> std::optional<Color> {
            const auto it = colours.find(name);
            return it != colours.end() && (it->second >> 24) == 0xFF ? std::optional(it->second)
                                                                     : std::nullopt;
        };
        for (const auto& [name, colour] : colours) {
            const std::size_t at = name.find("oreground");
            if (at == std::string::npos || at + 9 != name.size() || (colour >> 24) != 0xFF ||
                name.starts_with("disabled") || name.find("hadow") != std::string::npos) {
                continue;
            }
            const std::string state = name.substr(0, at - 1);
            const Color ground = opaque(state + (state.empty() ? "background" : "Background"))
                                     .value_or(opaque("background").value_or(window));
            EXPECT_GE(contrastRatio(colour, ground), 4.5)
                << model->attributeValue("name") << " " << name;
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
}

} // namespace
} // namespace scalora
