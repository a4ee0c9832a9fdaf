// What the widget suites share: the headless toolkit of UITest and a way to place a widget in
// a window, shown and settled.
#pragma once

#include "../core/ui_test_fixture.h"

namespace scalora::test {

class WidgetTest : public UITest {
protected:
    template <typename Widget> Widget* place(Widget* widget, const Rect& geometry) {
        widget->setGeometry(geometry);
        widget->show();
        toolkit().processEvents();
        return widget;
    }
};

} // namespace scalora::test
