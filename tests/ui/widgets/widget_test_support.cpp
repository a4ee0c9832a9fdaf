#include "widget_test_support.h"

namespace scalora::test {

void clickWith(HeadlessWindowSystem& sys, UIWindow& window, Point at, std::int32_t modifierKey,
               std::uint32_t button) {
    sys.keyPress(window, modifierKey);
    sys.click(window, at, button);
    sys.keyRelease(window, modifierKey, modifierOfKey(modifierKey));
}

void keyWith(HeadlessWindowSystem& sys, UIWindow& window, std::int32_t key,
             std::int32_t modifierKey) {
    sys.keyPress(window, modifierKey);
    sys.keyPress(window, key, modifierOfKey(modifierKey));
    sys.keyRelease(window, key, modifierOfKey(modifierKey));
    sys.keyRelease(window, modifierKey, modifierOfKey(modifierKey));
}

} // namespace scalora::test
