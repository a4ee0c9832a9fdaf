// The element layer and the style: setStyleClass hands an element its model's properties and
// its skins, layouts take their margins and spacings from the style's metrics, and loading a
// style later lays out and repaints the visible windows.
#include "../draw/png_file.h"
#include "support/test_support.h"
#include "ui/core/ui_layout.h"
#include "ui/style/skin.h"
#include "ui/style/ui_style_manager.h"
#include "ui_test_fixture.h"

#include <gmock/gmock.h>

namespace scalora::test {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

class Styled : public UIElement {
public:
    explicit Styled(UIElement* parent) : UIElement(parent) {
        setStyleClass("UIThing");
        setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
        show();
    }
    void setStyleProperty(const std::string& name, const std::string& value) override {
        properties.emplace_back(name, value);
    }
    void setSkinImage(const std::string& name, const UISkin& skin) override {
        skins.push_back(name + ":" + std::to_string(skin.frameCount));
    }
    Size sizeHint() const override { return {20, 10}; }
    std::vector<std::pair<std::string, std::string>> properties;
    std::vector<std::string> skins;
};

// A loose-folder style whose left layout margin is `margin`.
void writeStyle(const TempDir& dir, const std::string& name, int margin) {
    const std::filesystem::path root = dir / name;
    std::filesystem::create_directories(root / "xml");
    std::filesystem::create_directories(root / "skins");
    std::filesystem::create_directories(root / "images");
    PixelImage tiny;
    ASSERT_TRUE(tiny.allocate(4, 4, AlphaKind::Straight));
    tiny.fill(0xFF808080);
    ASSERT_TRUE(test::writePng(tiny, root / "skins" / "UIThing_Background.png"));
    ASSERT_TRUE(test::writePng(tiny, root / "skins" / "UIThingy_Frame.png"));
    ASSERT_TRUE(test::writePng(tiny, root / "images" / "Focus.png"));
    ASSERT_TRUE(writeFile(
        root / "xml" / "skins.xml",
        R"(<?xml version="1.0" encoding="UTF-8"?><skins><skin name="UIThing_Background" count="2" width="2" height="4"/>)"
        R"(<skin name="UIThingy_Frame" count="1" width="4" height="4"/>)"
        R"(<skin name="UIOther_Background" count="1" width="4" height="4"/></skins>)"));
    ASSERT_TRUE(writeFile(
        root / "xml" / "models.xml",
        R"(<?xml version="1.0" encoding="UTF-8"?><models><model name="UIThing"><property name="foreground" data="1,2,3"/>)"
        R"(<property name="padding" data="1,1,1,1"/></model>)"
        R"(<model name="UIOther"><property name="foreground" data="9,9,9"/></model></models>)"));
    ASSERT_TRUE(
        writeFile(root / "xml" / "metrics.xml",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><metrics><metric "
                  "name=\"LayoutLeftMargin\" value=\"" +
                      std::to_string(margin) +
                      "\"/><metric name=\"LayoutHorizontalSpacing\" value=\"3\"/></metrics>"));
}

TEST_F(UITest, StyleReachesElementsLayoutsAndVisibleWindows) {
    TempDir dir;
    writeStyle(dir, "first", 7);
    writeStyle(dir, "second", 30);
    UIStyleManager& styles = UIStyleManager::instance();
    ASSERT_TRUE(styles.loadStyleFrom((dir / "first").string())) << styles.errorText();

    RecordingWindow* w = makeWindow({200, 40});
    auto* a = new Styled(w);
    auto* b = new Styled(w);
    // The model's properties in document order; every skin whose name starts with the class.
    EXPECT_THAT(a->properties,
                ElementsAre(Pair("foreground", "1,2,3"), Pair("padding", "1,1,1,1")));
    EXPECT_THAT(a->skins, ElementsAre("UIThing_Background:2", "UIThingy_Frame:1"));

    auto row = std::make_unique<UIHBoxLayout>();
    row->addElement(a);
    row->addElement(b);
    w->setLayout(std::move(row));
    EXPECT_EQ(a->x(), 7);
    EXPECT_EQ(b->x(), 7 + 20 + 3);

    toolkit().processEvents();
    const int presents = HeadlessWindowSystem::native(*w)->presentCount();
    ASSERT_TRUE(styles.loadStyleFrom((dir / "second").string())) << styles.errorText();
    EXPECT_EQ(a->x(), 30);
    toolkit().processEvents();
    EXPECT_EQ(HeadlessWindowSystem::native(*w)->presentCount(), presents + 1);
    // Properties reach an element only through setStyleClass, at construction.
    EXPECT_EQ(a->properties.size(), 2u);
    // Leave no style behind for the other tests of this program.
    EXPECT_FALSE(styles.loadStyleFrom((dir / "missing").string()));
}

} // namespace
} // namespace scalora::test
