// UILink: the 201 ms guard between openings, the empty address and the keyboard.
#include "ui/widgets/ui_link.h"
#include "widget_test.h"

namespace scalora::test {
namespace {

class UILinkTest : public WidgetTest {
protected:
    UILink* link(RecordingWindow* w, std::string address) {
        auto* l = place(new UILink(w, "Homepage", std::move(address)), {10, 10, 100, 20});
        l->setOpener([this](std::string_view a) {
            opened.emplace_back(a);
            return false; // a failed opening changes nothing
        });
        l->clicked().connect([this] { ++clicks; });
        return l;
    }
    std::vector<std::string> opened;
    int clicks = 0;
};

TEST_F(UILinkTest, TwoClicks150MsApartOpenOnceAndEmitTwice) {
    RecordingWindow* w = makeWindow();
    UILink* l = link(w, "https://example.org/");
    sys().click(*w, {20, 15});
    sys().advance(150);
    sys().click(*w, {20, 15});
    EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/"});
    EXPECT_EQ(clicks, 2);
    // 201 ms after the opening the guard is over; Enter opens like a click.
    sys().advance(51);
    l->setFocus();
    sys().keyPress(*w, vk::kReturn);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(clicks, 3);
    // The right button does nothing.
    sys().advance(500);
    sys().click(*w, {20, 15}, kRightButton);
    EXPECT_EQ(clicks, 3);
}

TEST_F(UILinkTest, AnEmptyAddressOpensNothingButEmits) {
    RecordingWindow* w = makeWindow();
    link(w, "");
    sys().click(*w, {20, 15});
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace scalora::test
