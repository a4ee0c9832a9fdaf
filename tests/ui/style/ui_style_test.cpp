#include "../draw/png_file.h"
#include "data/resource_archive.h"
#include "support/test_support.h"
#include "ui/style/resource_source.h"
#include "ui/style/style_ids.h"
#include "ui/style/ui_style.h"
#include "ui/style/ui_style_manager.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <utility>
#include <vector>

namespace scalora {
namespace {

const char* kSkins = R"(<?xml version="1.0" encoding="UTF-8"?>
<skins>
  <skin name="UIButton_Background" count="5" width="8" height="6" orientation="h" columns="3,2,3" rows="2,2,2"/>
  <skin name="UIButtonLarge_Background" count="1" width="4" height="4"/>
  <skin count="2" width="4" height="4"/>
  <note name="UIButton_Ignored"/>
  <skin name="UIScrollBar_ArrowUp" count="4" width="7" height="7" orientation="v" columns="1,2" rows="1,1,1"/>
</skins>)";

const char* kModels = R"(<?xml version="1.0" encoding="UTF-8"?>
<models>
  <model name="UIButton">
    <property name="font" data="default,9,bold"/>
    <property name="textColor" data="0,0,0"/>
    <property name="padding" data="4,2,4,2"/>
  </model>
  <anything name="UILabel"><property name="textColor" data="10,10,10"/></anything>
</models>)";

const char* kMetrics = R"(<?xml version="1.0" encoding="UTF-8"?>
<metrics>
  <metric name="LayoutLeftMargin" value="9"/>
  <metric name="LayoutVerticalSpacing" value="6"/>
  <metric name="LayoutHorizontalSpacing" value="5"/>
  <metric name="SomethingElse" value="77"/>
  <metric/>
  <metric name="LayoutLeftMargin" value="1"/>
</metrics>)";

// An in-memory package.
class MemorySource : public ResourceSource {
public:
    std::map<std::pair<std::string, std::string>, std::string> files;
    bool read(std::string_view folder, std::string_view file, std::string& bytes) const override {
        auto it = files.find({std::string(folder), std::string(file)});
        if (it == files.end()) {
            return false;
        }
        bytes = it->second;
        return true;
    }
};

MemorySource xmlOnlyPackage() {
    MemorySource s;
    s.files[{"xml", "skins.xml"}] = kSkins;
    s.files[{"xml", "models.xml"}] = kModels;
    s.files[{"xml", "metrics.xml"}] = kMetrics;
    return s;
}

TEST(UIStyle, ReadsSkinsMetricsAndModelsInFileOrder) {
    const MemorySource source = xmlOnlyPackage();
    UIStyle style;
    // No standard image decodes here, so the load as a whole fails, but everything it read
    // is there to inspect.
    EXPECT_FALSE(style.load(source, "mem", UIStyle::SourceMode::ArchiveFile));
    ASSERT_EQ(style.skins().size(), 3u);
    const UISkin& button = style.skins()[0];
    EXPECT_EQ(button.name, "UIButton_Background");
    EXPECT_EQ(button.frameCount, 5);
    EXPECT_EQ(button.frameWidth, 8);
    EXPECT_EQ(button.frameHeight, 6);
    EXPECT_FALSE(button.vertical);
    EXPECT_EQ(button.columns, (std::array<std::int32_t, 3>{3, 2, 3}));
    EXPECT_EQ(button.rows, (std::array<std::int32_t, 3>{2, 2, 2}));
    EXPECT_FALSE(button.hasImage()); // unreadable images leave the skin without one
    const UISkin* arrow = style.skin("UIScrollBar_ArrowUp");
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(arrow->vertical);
    EXPECT_FALSE(arrow->hasGrid()); // "1,2" is not three values: both grids stay 0
    EXPECT_EQ(arrow->rows, (std::array<std::int32_t, 3>{}));

    EXPECT_EQ(style.metric(StyleMetric{1}), 9); // the first of two entries wins
    EXPECT_EQ(style.metric(StyleMetric{6}), 6);
    EXPECT_EQ(style.metric(StyleMetric{5}), 5);
    EXPECT_EQ(style.metric(StyleMetric{12}), 0);

    std::vector<std::pair<std::string, std::string>> properties;
    std::vector<std::string> skins;
    style.applyTo(
        "UIButton",
        [&](const std::string& n, const std::string& v) { properties.emplace_back(n, v); },
        [&](const std::string& n, const UISkin&) { skins.push_back(n); });
    EXPECT_EQ(properties,
              (std::vector<std::pair<std::string, std::string>>{
                  {"font", "default,9,bold"}, {"textColor", "0,0,0"}, {"padding", "4,2,4,2"}}));
    // The prefix rule offers "UIButtonLarge_Background" to a UIButton as well.
    EXPECT_EQ(skins, (std::vector<std::string>{"UIButton_Background", "UIButtonLarge_Background"}));

    properties.clear();
    skins.clear();
    style.applyTo(
        "UILabel",
        [&](const std::string& n, const std::string& v) { properties.emplace_back(n, v); },
        [&](const std::string& n, const UISkin&) { skins.push_back(n); });
    EXPECT_EQ(properties.size(), 1u); // the element name of a model is not compared
    EXPECT_TRUE(skins.empty());

    properties.clear();
    style.applyTo(
        "^", [&](const std::string& n, const std::string& v) { properties.emplace_back(n, v); },
        nullptr);
    ASSERT_EQ(properties.size(), 2u); // the models themselves, as properties
    EXPECT_EQ(properties[0].first, "UIButton");
}

TEST(UIStyle, MissingOrEmptyDescriptionsFailTheLoad) {
    for (const char* file : {"skins.xml", "models.xml", "metrics.xml"}) {
        MemorySource source = xmlOnlyPackage();
        source.files.erase({"xml", file});
        UIStyle style;
        EXPECT_FALSE(style.load(source, "mem", UIStyle::SourceMode::ArchiveFile));
        EXPECT_NE(style.errorText().find(file), std::string::npos) << style.errorText();
        source.files[{"xml", file}] = "";
        EXPECT_FALSE(style.load(source, "mem", UIStyle::SourceMode::ArchiveFile));
    }
}

// Writes a package folder with real PNGs; returns false when this build cannot decode PNG.
class StylePackage : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        fs::create_directories(dir_ / "xml");
        fs::create_directories(dir_ / "skins");
        fs::create_directories(dir_ / "images");
        test::writeFile(dir_ / "xml" / "skins.xml", kSkins);
        test::writeFile(dir_ / "xml" / "models.xml", kModels);
        test::writeFile(dir_ / "xml" / "metrics.xml", kMetrics);
        PixelImage skin;
        EXPECT_TRUE(skin.allocate(40, 6, AlphaKind::Straight));
        skin.fill(0x80FF0000);
        ASSERT_TRUE(test::writePng(skin, dir_ / "skins" / "UIButton_Background.png"));
        PixelImage icon;
        EXPECT_TRUE(icon.allocate(16, 16, AlphaKind::None));
        icon.fill(0xFF00FF00);
        ASSERT_TRUE(test::writePng(icon, dir_ / "images" / "Focus.png"));
        ASSERT_TRUE(test::writePng(icon, dir_ / "images" / "WarningSmall.png"));
        std::string bytes = test::readFile(dir_ / "images" / "Focus.png");
        PixelImage probe;
        decodes_ = decodeStyleImage(bytes, probe);
    }
    test::TempDir dir_;
    bool decodes_ = false;
};

TEST_F(StylePackage, LoadsFromALooseFolderAndRunsTheHook) {
    if (!decodes_) {
        GTEST_SKIP() << "this build has no PNG decoder yet";
    }
    UIStyleManager manager;
    int hookRuns = 0;
    manager.setStyleLoadedHook([&] { ++hookRuns; });
    ASSERT_TRUE(manager.loadStyleFrom(dir_.path().string())) << manager.errorText();
    EXPECT_EQ(hookRuns, 1);
    const UIStyle* style = manager.style();
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->sourceMode(), UIStyle::SourceMode::LooseFolder);
    ASSERT_NE(manager.standardImage(StandardImage::Focus), nullptr);
    EXPECT_EQ(manager.standardImage(StandardImage::Focus)->width(), 16);
    EXPECT_EQ(manager.standardImage(StandardImage::DialogHelpButton), nullptr);
    const UISkin* skin = style->skin("UIButton_Background");
    ASSERT_TRUE(skin && skin->hasImage());
    EXPECT_EQ(skin->image->alphaKind(), AlphaKind::Premultiplied);
    EXPECT_EQ(skin->image->pixel(0, 0), 0x80800000u);
    EXPECT_EQ(manager.metric(StyleMetric{6}), 6);

    // A failed load leaves no current style and does not run the hook.
    std::filesystem::remove(dir_ / "xml" / "metrics.xml");
    EXPECT_FALSE(manager.loadStyleFrom(dir_.path().string()));
    EXPECT_EQ(manager.style(), nullptr);
    EXPECT_EQ(hookRuns, 1);
    EXPECT_EQ(manager.metric(StyleMetric{6}), 0);
}

TEST_F(StylePackage, LoadsFromAnArchiveFileAndTakesIconsAndCursorsFromTheDataArchive) {
    if (!decodes_) {
        GTEST_SKIP() << "this build has no PNG decoder yet";
    }
    // Pack the folder into a ".style" archive.
    ResourceArchive archive;
    for (const char* folder : {"xml", "skins", "images"}) {
        ArchiveFolder& f = archive.addFolder(folder);
        for (const auto& entry : std::filesystem::directory_iterator(dir_ / folder)) {
            f.addFile(entry.path().filename().string(), test::readFile(entry.path()));
        }
    }
    std::string bytes;
    ASSERT_TRUE(encodeArchive(archive, bytes));
    test::TempDir out;
    ASSERT_TRUE(test::writeFile(out / "plain.style", bytes));
    UIStyleManager manager;
    manager.setModuleDirectory(out.path().string());
    ASSERT_TRUE(manager.loadStyle("plain")) << manager.errorText();
    EXPECT_EQ(manager.style()->sourceMode(), UIStyle::SourceMode::ArchiveFile);
    EXPECT_EQ(manager.metric(StyleMetric{1}), 9);
    EXPECT_TRUE(manager.style()->skin("UIButton_Background")->hasImage());

    // The data archive: two icons, and a cursors.xml that replaces the lens cursor and,
    // through an unknown name, the arrow.
    ResourceArchive data;
    const std::string png = test::readFile(dir_ / "images" / "Focus.png");
    ArchiveFolder& images = data.addFolder("images");
    images.addFile("window_icon_small.png", png);
    images.addFile("window_icon_big.png", png);
    ArchiveFolder& cursors = data.addFolder("cursors");
    cursors.addFile("cursors.xml", R"(<?xml version="1.0"?>
<cursors>
  <cursor name="lens" hotspotX="5" hotspotY="6"/>
  <cursor name="pointer" hotspotX="1" hotspotY="1"/>
  <cursor name="pipette" hotspotX="0" hotspotY="15"/>
</cursors>)");
    cursors.addFile("lens.png", png);
    cursors.addFile("pointer.png", png);
    manager.setDataSource(std::make_shared<ArchiveSource>(&data));
    ASSERT_NE(manager.windowIcon(false), nullptr);
    ASSERT_NE(manager.windowIcon(true), nullptr);
    EXPECT_EQ(manager.windowIcon(true)->width(), 16);
    EXPECT_NE(manager.windowIcon(true)->alphaKind(),
              AlphaKind::Premultiplied); // for the window system
    const CursorLook& lens = manager.cursors().look(CursorId::Lens);
    ASSERT_NE(lens.image, nullptr);
    EXPECT_EQ(lens.hotspot, (Point{5, 6}));
    EXPECT_NE(manager.cursors().look(CursorId::Arrow).image, nullptr); // "pointer"
    EXPECT_EQ(manager.cursors().look(CursorId::Pipette).image,
              nullptr); // no image
    EXPECT_EQ(manager.cursors().look(CursorId::Wait).system, SystemCursor::Wait);
}

TEST_F(StylePackage, WithoutAnyStandardImageTheLoadFails) {
    std::filesystem::remove_all(dir_ / "images");
    UIStyleManager manager;
    EXPECT_FALSE(manager.loadStyleFrom(dir_.path().string()));
    EXPECT_EQ(manager.style(), nullptr);
}

TEST(StyleLocation, NamesAreLookedUpBesideTheProgramPathsAreTakenAsTheyAre) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directories(dir / "bin" / "styles");
    fs::create_directories(dir / "share" / "halvorn-scalora");
    test::writeFile(dir / "bin" / "styles" / "dark.style", "x");
    test::writeFile(dir / "share" / "halvorn-scalora" / "default.style", "x");
    const std::string bin = (dir / "bin").string();
    EXPECT_EQ(locateStyle("dark", bin), (dir / "bin" / "styles" / "dark.style").string());
    test::writeFile(dir / "bin" / "dark.style", "x");
    EXPECT_EQ(locateStyle("dark", bin), (dir / "bin" / "dark.style").string());
    EXPECT_TRUE(std::filesystem::equivalent(locateStyle("default", bin),
                                            dir / "share" / "halvorn-scalora" / "default.style"));
    EXPECT_EQ(locateStyle("missing", bin), "");
    // A path is used without adding ".style".
    const std::string direct = (dir / "bin" / "styles" / "dark.style").string();
    EXPECT_EQ(locateStyle(direct, bin), direct);
    EXPECT_EQ(locateStyle((dir / "bin" / "styles" / "dark").string(), bin), "");
    EXPECT_EQ(locateStyle("", bin), "");

    UIStyleManager manager;
    manager.setModuleDirectory(bin);
    EXPECT_FALSE(manager.loadStyle("missing"));
    EXPECT_FALSE(manager.loadStyle("dark")); // "x" is no package
    EXPECT_NE(manager.errorText().find("dark.style"), std::string::npos);
    EXPECT_EQ(manager.style(), nullptr);
}

TEST(FolderSource, NamesCannotLeaveThePackage) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "xml");
    test::writeFile(dir / "xml" / "a.xml", "abc");
    test::writeFile(dir / "secret", "no");
    const FolderSource source(dir.path().string());
    std::string bytes;
    EXPECT_TRUE(source.read("xml", "a.xml", bytes));
    EXPECT_EQ(bytes, "abc");
    EXPECT_FALSE(source.read("xml", "../secret", bytes));
    EXPECT_FALSE(source.read("..", "secret", bytes));
    EXPECT_FALSE(source.read("xml", "missing.xml", bytes));
}

} // namespace
} // namespace scalora
