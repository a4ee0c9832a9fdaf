// The About window: what it shows, its link, and that its modal run ends with "Ok".
#include "app/about_window.h"
#include "dialog_test_fixture.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_label.h"
#include "ui/widgets/ui_link.h"
#include "ui/widgets/ui_picture.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace scalora::test {
namespace {

class AboutWindowTest : public DialogTest {};

TEST_F(AboutWindowTest, ShowsVersionLinkAndCompanyYearAndOpensTheLink) {
    AboutWindow w(nullptr, {"1.2.5", "https://example.org/scalora", "Halvorn Software", 2026});
    w.show();
    ASSERT_TRUE(keepPng(w, "about_window.png"));
    EXPECT_EQ(w.versionLabel().text(), "v1.2.5");
    EXPECT_EQ(w.companyLabel().text(), "\xC2\xA9 2026 Halvorn Software");
    EXPECT_EQ(w.link().text(), "https://example.org/scalora");
    // The style has no logo yet: the picture stays empty and takes no room.
    EXPECT_EQ(w.logo().image(), nullptr);
    EXPECT_EQ(w.logo().sizeHint(), (Size{0, 0}));

    std::vector<std::string> opened;
    w.link().setOpener([&](std::string_view address) {
        opened.emplace_back(address);
        return true;
    });
    clickOn(w.link());
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org/scalora"}));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(AboutWindowTest, RunEndsWithOkAndShowsTheCurrentYear) {
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    EXPECT_EQ(currentAboutContent().year, static_cast<int>(today.year()));

    int turns = 0;
    sys().setIdleHook([&] {
        auto* about = dynamic_cast<AboutWindow*>(toolkit().modalWindow());
        if (about == nullptr || ++turns > 3) {
            toolkit().quit(-1);
            return;
        }
        clickOn(about->okButton());
    });
    runAboutWindow(nullptr);
    EXPECT_EQ(turns, 1);
    EXPECT_FALSE(toolkit().quitRequested());
    EXPECT_EQ(toolkit().modalWindow(), nullptr);
}

} // namespace
} // namespace scalora::test
