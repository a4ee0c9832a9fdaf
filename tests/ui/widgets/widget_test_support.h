// Helpers for the widget tests: clicks with a modifier key held, and a shown widget placed in
// a test window.
#pragma once

#include "../core/ui_test_fixture.h"

namespace scalora::test {

// Presses the modifier key (vk::kShift, vk::kControl, vk::kMenu), clicks, releases the key.
void clickWith(HeadlessWindowSystem& sys, UIWindow& window, Point at, std::int32_t modifierKey,
               std::uint32_t button = kLeftButton);
void keyWith(HeadlessWindowSystem& sys, UIWindow& window, std::int32_t key,
             std::int32_t modifierKey);

template <typename Widget, typename... Args>
Widget* placeWidget(UIElement* parent, const Rect& geometry, Args&&... args) {
    auto* widget = new Widget(parent, std::forward<Args>(args)...);
    widget->setGeometry(geometry);
    widget->show();
    return widget;
}

} // namespace scalora::test
