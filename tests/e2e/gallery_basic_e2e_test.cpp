// The basic widgets' gallery of the ui-sandbox under Xvfb with openbox, driven by xdotool: a
// real click reaches a button and a check box, Tab and the arrow keys step a spin box, and
// the page is kept as a screenshot to look at.
#include "e2e_fixture.h"

#include <gtest/gtest.h>

namespace scalora::test {
namespace {

using namespace std::chrono_literals;

class BasicGalleryE2eTest : public SandboxTest {
protected:
    BasicGalleryE2eTest()
        : SandboxTest({"xdotool", "import"}, {"--gallery", "basic"}, "gallery basic ready") {}

    int clickOn(const std::string& name) {
        const Box b = boxes_[name];
        return xdotool({"search", "--sync", "--name", "Basic widgets", "mousemove", "--window",
                        "%1", std::to_string(b.x + b.width / 2), std::to_string(b.y + b.height / 2),
                        "click", "1"});
    }
};

TEST_F(BasicGalleryE2eTest, ClicksAndKeysReachTheWidgetsAndThePageIsDrawn) {
    ASSERT_EQ(boxes_.count("normal"), 1u);
    ASSERT_EQ(boxes_.count("off"), 1u);
    ASSERT_EQ(boxes_.count("width"), 1u);
    ASSERT_EQ(clickOn("normal"), 0);
    ASSERT_TRUE(waitForLine(log_, "clicked Normal", 20s));
    // The click was handled, so the page has been on the screen since.
    EXPECT_TRUE(keepScreenshot("gallery_basic.png"));
    ASSERT_EQ(clickOn("off"), 0);
    ASSERT_TRUE(waitForLine(log_, "checked Off 1", 20s));
    // A click in the field of the width spin box focuses it; Up steps it by one.
    ASSERT_EQ(clickOn("width"), 0);
    ASSERT_EQ(xdotool({"key", "--delay", "50", "Up", "Up"}), 0);
    ASSERT_TRUE(waitForLine(log_, "value Width 1282", 20s));
    EXPECT_TRUE(keepScreenshot("gallery_basic_used.png"));
    session_.stop(sandbox_);
}

} // namespace
} // namespace scalora::test
