// The text field inside a spin box: one line of text with the caret at its end, typed
// characters appended as far as the spin box's filter lets them in, Backspace, and a finished
// signal on Enter and on losing the focus. It takes the style's "UILineEdit" look (font,
// colours, the four-state background skin). It stands in for the full line edit, which
// spin boxes will hold instead once it exists.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/core/ui_signal.h"
#include "ui/style/skin.h"
#include "ui/widgets/ui_text_style.h"

#include <functional>
#include <string>

namespace scalora {

class SpinBoxEdit : public UIElement {
public:
    // Decides whether a typed character may be appended.
    using Filter = std::function<bool(char16_t typed)>;

    explicit SpinBoxEdit(UIElement* parent);

    // Emitted after Enter and after the focus left, with the text as it stands.
    UISignal<>& editingFinished() { return editingFinished_; }

    const std::string& text() const { return text_; }
    void setText(std::string text);
    void setFont(const UIFont& font);
    void setFilter(Filter filter) { filter_ = std::move(filter); }

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void keyPressEvent(UIEvent& e) override;
    void enterEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void focusInEvent(UIEvent& e) override;
    void focusOutEvent(UIEvent& e) override;

private:
    std::string text_;
    UITextStyle textStyle_;
    UISkin backgroundSkin_;
    Filter filter_;
    UISignal<> editingFinished_;
};

} // namespace scalora
