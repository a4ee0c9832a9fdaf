#include "widget_test_support.h"

namespace scalora::test {

namespace {
std::uint32_t bitOf(std::int32_t modifierKey) {
    switch (modifierKey) {
    case vk::kShift:
        return kShiftModifier;
    case vk::kControl:
        return kControlModifier;
    case vk::kMenu:
        return kAltModifier;
    default:
        return 0;
    }
}
} // namespace

void clickWith(HeadlessWindowSystem& sys, UIWindow& window, Point at, std::int32_t modifierKey,
               std::uint32_t button) {
    sys.keyPress(window, modifierKey);
    sys.click(window, at, button);
    sys.keyRelease(window, modifierKey, bitOf(modifierKey));
}

void keyWith(HeadlessWindowSystem& sys, UIWindow& window, std::int32_t key,
             std::int32_t modifierKey) {
    sys.keyPress(window, modifierKey);
    sys.keyPress(window, key, bitOf(modifierKey));
    sys.keyRelease(window, key, bitOf(modifierKey));
    sys.keyRelease(window, modifierKey, bitOf(modifierKey));
}

} // namespace scalora::test
