#include "dialog_test_fixture.h"

#include "ui/core/ui_event.h"
#include "ui/widgets/ui_message_box.h"

#include <string>

namespace scalora::test {

DialogTest::~DialogTest() {
    sys().setIdleHook(nullptr);
}

void DialogTest::clickOn(UIElement& element) {
    const Rect r = element.windowRect();
    sys().click(*element.window(), {r.x + r.width / 2, r.y + r.height / 2});
    // The pointer leaves again: a hovered element keeps a timer running, and modal loops on
    // the headless backend reach their idle hook only when no timer is due.
    sys().pointerLeaves(*element.window());
}

void DialogTest::pressEnterOn(UIElement& element) {
    element.setFocus();
    UIWindow& window = *element.window();
    sys().keyPress(window, vk::kReturn);
    // A key still held would make the next press an auto-repeat, which buttons ignore.
    sys().keyRelease(window, vk::kReturn);
}

void DialogTest::answerMessageBoxes() {
    sys().setIdleHook([this] {
        auto* box = dynamic_cast<UIMessageBox*>(toolkit().modalWindow());
        if (box == nullptr) {
            toolkit().quit(-1); // a modal loop nobody can end: fail rather than hang
            return;
        }
        std::string seen = std::to_string(box->iconKind()) + " " + box->text();
        if (!box->detailText().empty()) {
            seen += "\n" + box->detailText();
        }
        answered.push_back(seen);
        sys().requestClose(*box);
    });
}

} // namespace scalora::test
