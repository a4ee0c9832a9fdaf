// What a button needs of the menu it drops down: showing it below the button and hearing when
// it closes. The menu classes implement it; a button does not own its menu.
#pragma once

#include "base/geometry.h"
#include "ui/core/ui_signal.h"

namespace scalora {

class UIDropDownMenu {
public:
    UIDropDownMenu() = default;
    virtual ~UIDropDownMenu() = default;
    UIDropDownMenu(const UIDropDownMenu&) = delete;
    UIDropDownMenu& operator=(const UIDropDownMenu&) = delete;

    // Shows the menu with its top-left corner at a point of the screen.
    virtual void dropDownAt(Point screenPosition) = 0;
    // The menu emits it whenever it closes, however it was closed.
    UISignal<>& closed() { return closed_; }

private:
    UISignal<> closed_;
};

} // namespace scalora
