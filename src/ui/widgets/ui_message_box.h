// The message box: a modal dialog with an icon, a text (and an optional detail paragraph), an
// optional "Do not show again." check box and a row of buttons made from button flags, every
// text translated in context "UserInterface/UIMessageBox". Enter activates the focused button
// (the default one, which has the focus when the box opens), Escape the one that backs out;
// the result is the flag of the button that closed the box. Closing it through its frame
// reports what Escape would have chosen. A long text wraps and the box grows to fit, never
// beyond the work area.
//
// Make it on the stack (it is not deleted when it closes) and call run():
//     UIMessageBox box(window, 3, title, translate("Cannot send feedback.", "Messages"),
//                      B::Ok);
//     box.run();
#pragma once

#include "ui/core/ui_window.h"
#include "ui/widgets/message_box_layout.h"
#include "ui/widgets/message_box_rules.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace scalora {

class UIButton;
class UICheckBox;

class UIMessageBox : public UIWindow {
public:
    UIMessageBox(UIWindow* parent, std::int32_t iconKind, std::string title, std::string text,
                 UIMessageBoxButtons buttons, std::uint32_t options = 0);

    const std::string& text() const { return text_; }
    // A second paragraph under the text.
    void setDetailText(std::string detail);
    const std::string& detailText() const { return detail_; }
    std::int32_t iconKind() const { return iconKind_; }
    // Shows the box centred on its parent (or the work area) and runs a modal loop until a
    // button or the frame closes it; returns the result.
    UIMessageBoxButton run();
    UIMessageBoxButton result() const { return result_; }
    bool isDoNotShowAgainChecked() const;

    const std::vector<UIMessageBoxButton>& buttonOrder() const { return order_; }
    // The button of a flag, or null.
    UIButton* button(UIMessageBoxButton which) const;
    UICheckBox* doNotShowAgainBox() const { return checkBox_; }
    const MessageBoxLayout& boxLayout() const { return layout_; }
    // A line of the text or the detail is wider than its place, or the lines are taller:
    // the box reached the edge of the work area and part of the words is not shown.
    bool isTextCut() const;

    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;
    void resizeEvent(UIEvent& e) override;
    void keyPressEvent(UIEvent& e) override;
    void closeEvent(UIEvent& e) override;

private:
    void finish(UIMessageBoxButton which);
    void layOut();

    std::string text_;
    std::string detail_;
    std::int32_t iconKind_;
    std::vector<UIMessageBoxButton> order_;
    std::vector<std::pair<UIMessageBoxButton, UIButton*>> buttons_;
    UICheckBox* checkBox_ = nullptr;
    MessageBoxLayout layout_;
    UIMessageBoxButton result_ = UIMessageBoxButton::None;
    bool finished_ = false;
};

} // namespace scalora
