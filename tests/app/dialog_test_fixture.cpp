#include "dialog_test_fixture.h"

#include "ui/widgets/ui_message_box.h"

#include <string>

namespace scalora::test {

DialogTest::~DialogTest() {
    sys().setIdleHook(nullptr);
}

void DialogTest::clickOn(UIElement& element) {
    const Rect r = element.windowRect();
    sys().click(*element.window(), {r.x + r.width / 2, r.y + r.height / 2});
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
