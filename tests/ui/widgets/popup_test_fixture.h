// The headless toolkit with the shipped default style loaded (and unloaded again after the
// test, so other tests keep the fall-back values), and a way to keep pictures of windows for
// a developer to look at: SCALORA_KEEP_PNG names the folder.
#pragma once

#include "../core/ui_test_fixture.h"

#include <string>

namespace scalora::test {

class StyledUITest : public UITest {
protected:
    StyledUITest();
    ~StyledUITest() override;
    // Paints the window and saves it as <SCALORA_KEEP_PNG>/<name> when that is set; false
    // only when saving was asked for and failed.
    [[nodiscard]] bool keepPng(UIWindow& window, const std::string& name);
};

} // namespace scalora::test
