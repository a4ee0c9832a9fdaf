#include "popup_test_fixture.h"

#include "support/test_support.h"
#include "ui/style/ui_style_manager.h"

#include <cstdlib>
#include <filesystem>

namespace scalora::test {

StyledUITest::StyledUITest() {
    const std::string folder = (sourceDir() / "assets" / "styles" / "default").string();
    EXPECT_TRUE(UIStyleManager::instance().loadStyleFrom(folder))
        << UIStyleManager::instance().errorText();
}

StyledUITest::~StyledUITest() {
    // A failed load leaves no current style: the next test starts from the fall-backs.
    (void)UIStyleManager::instance().loadStyleFrom("/nonexistent/scalora-style");
}

bool StyledUITest::keepPng(UIWindow& window, const std::string& name) {
    const char* keep = std::getenv("SCALORA_KEEP_PNG");
    if (keep == nullptr || *keep == '\0') {
        return true;
    }
    std::filesystem::create_directories(keep);
    return sys().saveWindowPng(window, std::filesystem::path(keep) / name);
}

} // namespace scalora::test
