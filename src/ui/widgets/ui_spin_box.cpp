// Index: fall-back values; construction; value and range; style; geometry and painting;
// mouse, wheel, keys and the repeat timer.
#include "ui/widgets/ui_spin_box.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/widget_updates.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace scalora {

namespace {
// A spin box when the style gives nothing.
constexpr double kFallbackFontPoints = 9;
constexpr std::int32_t kFallbackButtonWidth = 16;
constexpr std::int32_t kFallbackSpacing = 1;
constexpr std::int32_t kFallbackMinimumHeight = 23;
constexpr Color kFallbackButtonFrame = 0xFF969696;
constexpr Color kFallbackArrow = 0xFF202020;
constexpr Color kFallbackArrowDisabled = 0xFFB4B4B4;
// A held button: the first repeat waits like a key does, then steps about 16 times a second.
constexpr std::int64_t kRepeatDelayMs = 400;
constexpr std::int64_t kRepeatIntervalMs = 60;
// One notch of a wheel.
constexpr std::int32_t kWheelNotch = 120;
constexpr std::int32_t kPageSteps = 10;
} // namespace

// --- construction ---

UISpinBox::UISpinBox(UIElement* parent, std::int32_t minimum, std::int32_t maximum)
    : UIElement(parent), font_(UIFont::defaultFamily(), kFallbackFontPoints),
      buttonWidth_(kFallbackButtonWidth), spacing_(kFallbackSpacing),
      minimumHeight_(kFallbackMinimumHeight) {
    edit_ = new UILineEdit(this);
    setFlag(kTracksHover, true);
    setStyleClass("UISpinBox");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
    edit_->setCharacterFilter(
        [this](char16_t c) { return (c >= u'0' && c <= u'9') || (c == u'-' && minimum_ < 0); });
    edit_->editingFinished().connect([this] { takeTypedText(); });
    // Keys and the wheel over the field step the value too.
    edit_->signal(UIEventType::KeyPress).connect([this](UIEvent& e) { editKey(e); });
    edit_->signal(UIEventType::Wheel).connect([this](UIEvent& e) { wheel(e.delta); });
    edit_->show();
    setRange(minimum, maximum);
    showValue();
}

UISpinBox::~UISpinBox() {
    stopTimer(kSpinBoxRepeatTimerId);
}

// --- value and range ---

void UISpinBox::setValue(std::int32_t value) {
    const std::int32_t clamped = std::clamp(value, minimum_, maximum_);
    if (clamped != value_) {
        value_ = clamped;
        update();
    }
    showValue();
}

void UISpinBox::userSetValue(std::int32_t value) {
    if (readOnly_) {
        showValue();
        return;
    }
    const std::int32_t old = value_;
    setValue(value);
    if (value_ != old) {
        valueChanged_.emit(value_);
    }
}

void UISpinBox::setRange(std::int32_t minimum, std::int32_t maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setValue(value_);
    sizeHintChanged(*this);
}

void UISpinBox::setReadOnly(bool readOnly) {
    if (readOnly == readOnly_) {
        return;
    }
    readOnly_ = readOnly;
    edit_->setReadOnly(readOnly);
    update();
}

void UISpinBox::setSingleStep(std::int32_t step) {
    singleStep_ = std::max(step, 1);
}

void UISpinBox::stepBy(std::int32_t steps) {
    // In 64 bits: a large step near the limits must clamp, not wrap.
    const std::int64_t target = std::int64_t{value_} + std::int64_t{steps} * singleStep_;
    userSetValue(static_cast<std::int32_t>(std::clamp<std::int64_t>(target, minimum_, maximum_)));
}

void UISpinBox::showValue() {
    edit_->setText(std::to_string(value_));
}

void UISpinBox::takeTypedText() {
    const std::string& text = edit_->text();
    std::int64_t typed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), typed);
    if (error == std::errc::result_out_of_range) {
        typed = !text.empty() && text.front() == '-' ? minimum_ : maximum_;
    } else if (error != std::errc() || end != text.data() + text.size()) {
        showValue();
        return;
    }
    userSetValue(static_cast<std::int32_t>(std::clamp<std::int64_t>(typed, minimum_, maximum_)));
}

// --- style ---

void UISpinBox::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "font") {
        font_ = parseStyleFont(value);
    } else if (name == "buttonWidth") {
        buttonWidth_ = parseStyleInteger(value);
    } else if (name == "spacing") {
        spacing_ = parseStyleInteger(value);
    } else if (name == "minimumHeight") {
        minimumHeight_ = parseStyleInteger(value);
    }
}

void UISpinBox::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UISpinBox_Button") {
        buttonSkin_ = skin;
    } else if (name == "UISpinBox_ArrowUp") {
        arrowUpSkin_ = skin;
    } else if (name == "UISpinBox_ArrowDown") {
        arrowDownSkin_ = skin;
    }
}

// --- geometry and painting ---

Size UISpinBox::sizeHint() const {
    // Room for the longest value of the range.
    const std::int32_t digits = std::max(font_.textWidth(std::to_string(minimum_)),
                                         font_.textWidth(std::to_string(maximum_)));
    const Size field = edit_->sizeHint();
    const std::int32_t fieldWidth = edit_->widthAroundText() + digits;
    return {fieldWidth + spacing_ + buttonWidth_, std::max(minimumHeight_, field.height)};
}

void UISpinBox::resizeEvent(UIEvent&) {
    edit_->setGeometry({0, 0, std::max(width() - buttonWidth_ - spacing_, 1), height()});
}

Rect UISpinBox::buttonRect(Part part) const {
    const std::int32_t x = width() - buttonWidth_;
    const std::int32_t upper = height() / 2;
    switch (part) {
    case Part::Up:
        return {x, 0, buttonWidth_, upper};
    case Part::Down:
        return {x, upper, buttonWidth_, height() - upper};
    case Part::None:
        break;
    }
    return {};
}

SkinState UISpinBox::buttonState(Part part) const {
    const bool atLimit = part == Part::Up ? value_ >= maximum_ : value_ <= minimum_;
    if (!isEnabled() || readOnly_ || atLimit) {
        return SkinState::Disabled;
    }
    if (pressed_ == part) {
        return hovered_ == part ? SkinState::Pressed : SkinState::Hovered;
    }
    return hovered_ == part ? SkinState::Hovered : SkinState::Normal;
}

void UISpinBox::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    for (const Part part : {Part::Up, Part::Down}) {
        const Rect r = buttonRect(part);
        const SkinState state = buttonState(part);
        if (buttonSkin_.hasImage()) {
            drawSkin(canvas, buttonSkin_, r, state);
        } else {
            canvas.drawRect(r, kFallbackButtonFrame);
        }
        const UISkin& arrow = part == Part::Up ? arrowUpSkin_ : arrowDownSkin_;
        if (arrow.hasImage()) {
            const Size a = arrow.frameSize();
            drawSkin(
                canvas, arrow,
                {r.x + (r.width - a.width) / 2, r.y + (r.height - a.height) / 2, a.width, a.height},
                state);
            continue;
        }
        // A small triangle, pointing up or down.
        const Color ink = state == SkinState::Disabled ? kFallbackArrowDisabled : kFallbackArrow;
        const std::int32_t cx = r.x + r.width / 2;
        const std::int32_t cy = r.y + r.height / 2;
        for (std::int32_t row = 0; row < 3; ++row) {
            const std::int32_t y = part == Part::Up ? cy - 1 + row : cy + 1 - row;
            canvas.fillRect({cx - row, y, 2 * row + 1, 1}, ink);
        }
    }
}

// --- mouse, wheel, keys ---

UISpinBox::Part UISpinBox::partAt(Point p) const {
    if (buttonRect(Part::Up).contains(p)) {
        return Part::Up;
    }
    if (buttonRect(Part::Down).contains(p)) {
        return Part::Down;
    }
    return Part::None;
}

void UISpinBox::setHovered(Part part) {
    if (hovered_ != part) {
        hovered_ = part;
        update();
    }
}

void UISpinBox::mousePressEvent(UIEvent& e) {
    const Part part = partAt(e.position);
    if (e.button != kLeftButton || part == Part::None) {
        return;
    }
    edit_->setFocus();
    pressed_ = part;
    setHovered(part);
    stepBy(part == Part::Up ? 1 : -1);
    stopTimer(kSpinBoxRepeatTimerId);
    startTimer(kRepeatDelayMs, kSpinBoxRepeatTimerId);
    update();
}

void UISpinBox::mouseReleaseEvent(UIEvent&) {
    stopTimer(kSpinBoxRepeatTimerId);
    pressed_ = Part::None;
    update();
}

void UISpinBox::mouseMoveEvent(UIEvent& e) {
    setHovered(partAt(e.position));
}

void UISpinBox::leaveEvent(UIEvent&) {
    setHovered(Part::None);
}

void UISpinBox::timerEvent(UIEvent& e) {
    if (e.value != kSpinBoxRepeatTimerId) {
        return;
    }
    if (pressed_ == Part::None) {
        stopTimer(kSpinBoxRepeatTimerId);
        return;
    }
    // The first tick ends the delay: go on at the repeat rate.
    stopTimer(kSpinBoxRepeatTimerId);
    startTimer(kRepeatIntervalMs, kSpinBoxRepeatTimerId);
    if (hovered_ == pressed_) {
        stepBy(pressed_ == Part::Up ? 1 : -1);
    }
}

void UISpinBox::wheelEvent(UIEvent& e) {
    wheel(e.delta);
    e.accept();
}

void UISpinBox::wheel(std::int32_t delta) {
    wheelRemainder_ += delta;
    const std::int32_t steps = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= steps * kWheelNotch;
    if (steps != 0) {
        stepBy(steps);
    }
}

void UISpinBox::editKey(UIEvent& e) {
    std::int32_t steps = 0;
    switch (e.key) {
    case vk::kUp:
        steps = 1;
        break;
    case vk::kDown:
        steps = -1;
        break;
    case vk::kPrior:
        steps = kPageSteps;
        break;
    case vk::kNext:
        steps = -kPageSteps;
        break;
    default:
        return;
    }
    // What was typed counts first, so Up after typing 41 gives 42.
    takeTypedText();
    stepBy(steps);
    e.accept();
}

void UISpinBox::changeEvent(UIEvent& e) {
    if (e.type == UIEventType::EnabledChange && !isEnabled()) {
        stopTimer(kSpinBoxRepeatTimerId);
        pressed_ = Part::None;
        hovered_ = Part::None;
    }
}

} // namespace scalora
