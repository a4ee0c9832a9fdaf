// A whole-number field with up and down buttons: a text field for typing the value, and at
// its right, after spacing, two buttons of buttonWidth stacked (the "UISpinBox_Button" skin
// with the "UISpinBox_ArrowUp" and "UISpinBox_ArrowDown" skins centred on them).
//
// Stepping: a button press, a wheel notch (120 units; finer wheels add up), Up or Down in the
// field step by the single step; Page Up and Page Down by ten steps. A held button steps again
// after 400 ms and then every 60 ms (about the keyboard's repeat) while the mouse stays on it.
// The value is always within the range; typed text is taken on Enter or when the field loses
// the focus, clamped, and text that is no number gives the old value back. A button that
// cannot step further shows disabled. valueChanged is emitted for the user's changes only,
// not for setValue. A read-only box shows its value with disabled buttons and takes no
// stepping or typing.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/core/ui_signal.h"
#include "ui/draw/ui_font.h"
#include "ui/style/skin.h"

#include <cstdint>

namespace scalora {

class UILineEdit;

// The held-button repeat timer.
inline constexpr std::int64_t kSpinBoxRepeatTimerId = 100012;

class UISpinBox : public UIElement {
public:
    enum class Part { None, Up, Down };

    explicit UISpinBox(UIElement* parent, std::int32_t minimum = 0, std::int32_t maximum = 99);
    ~UISpinBox() override;

    UISignal<std::int32_t>& valueChanged() { return valueChanged_; }

    std::int32_t value() const { return value_; }
    // Clamps to the range; emits nothing.
    void setValue(std::int32_t value);
    std::int32_t minimum() const { return minimum_; }
    std::int32_t maximum() const { return maximum_; }
    // A maximum below the minimum is raised to it.
    void setRange(std::int32_t minimum, std::int32_t maximum);
    std::int32_t singleStep() const { return singleStep_; }
    void setSingleStep(std::int32_t step);
    // Steps as the user does: clamped, and valueChanged when the value moved.
    void stepBy(std::int32_t steps);
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);

    UILineEdit& edit() const { return *edit_; }
    Rect buttonRect(Part part) const;
    SkinState buttonState(Part part) const;

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void resizeEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void mouseReleaseEvent(UIEvent& e) override;
    void mouseMoveEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void wheelEvent(UIEvent& e) override;
    void timerEvent(UIEvent& e) override;
    void changeEvent(UIEvent& e) override;

private:
    Part partAt(Point p) const;
    void setHovered(Part part);
    void wheel(std::int32_t delta);
    void editKey(UIEvent& e);
    void takeTypedText();
    void showValue();
    void userSetValue(std::int32_t value);

    UISignal<std::int32_t> valueChanged_;
    UILineEdit* edit_;
    UIFont font_;
    std::int32_t buttonWidth_;
    std::int32_t spacing_;
    std::int32_t minimumHeight_;
    UISkin buttonSkin_;
    UISkin arrowUpSkin_;
    UISkin arrowDownSkin_;
    std::int32_t value_ = 0;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 99;
    std::int32_t singleStep_ = 1;
    std::int32_t wheelRemainder_ = 0;
    Part hovered_ = Part::None;
    Part pressed_ = Part::None;
    bool readOnly_ = false;
};

} // namespace scalora
