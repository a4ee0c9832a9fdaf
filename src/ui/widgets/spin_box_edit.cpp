#include "ui/widgets/spin_box_edit.h"

#include "base/strings.h"
#include "ui/draw/canvas.h"

#include <algorithm>

namespace scalora {

namespace {
// A text field when the style gives nothing: dark text, a grey frame, a blue frame focused.
constexpr double kFallbackFontPoints = 9;
constexpr Color kFallbackForeground = 0xFF202020;
constexpr Color kFallbackDisabledForeground = 0xFF969696;
constexpr Color kFallbackFocusFrame = 0xFF3399FF;
// Text inset from the field's edges, and the caret's width.
constexpr std::int32_t kTextInset = 4;
constexpr std::int32_t kCaretWidth = 1;
} // namespace

SpinBoxEdit::SpinBoxEdit(UIElement* parent) : UIElement(parent) {
    textStyle_.font = UIFont(UIFont::defaultFamily(), kFallbackFontPoints);
    textStyle_.foreground = kFallbackForeground;
    textStyle_.disabledForeground = kFallbackDisabledForeground;
    setFlag(kTracksHover, true);
    setFocusPolicy(kStrongFocus);
    setCursorId(CursorId::TextBeam);
    setStyleClass("UILineEdit");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
}

void SpinBoxEdit::setText(std::string text) {
    if (text_ != text) {
        text_ = std::move(text);
        update();
    }
}

void SpinBoxEdit::setFont(const UIFont& font) {
    textStyle_.font = font;
    update();
}

void SpinBoxEdit::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "font" || name == "foreground" || name == "disabledForeground") {
        textStyle_.setProperty(name, value);
    }
}

void SpinBoxEdit::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UILineEdit_Background") {
        backgroundSkin_ = skin;
    }
}

Size SpinBoxEdit::sizeHint() const {
    return {textStyle_.font.textWidth(text_) + 2 * kTextInset + kCaretWidth,
            textStyle_.font.lineHeight() + 2 * kTextInset};
}

void SpinBoxEdit::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    const bool enabled = isEnabled();
    // Frames: normal, hovered, focused, disabled.
    const SkinState state = !enabled            ? SkinState::Disabled
                            : hasFocus()        ? SkinState::Pressed
                            : hasFlag(kHovered) ? SkinState::Hovered
                                                : SkinState::Normal;
    if (backgroundSkin_.hasImage()) {
        drawSkin(canvas, backgroundSkin_, rect(), state);
    } else {
        canvas.drawRect(rect(), hasFocus() ? kFallbackFocusFrame : textStyle_.disabledForeground);
    }
    const Rect area = rect().shrunk({kTextInset, 0, kTextInset, 0});
    const Color ink = textStyle_.textColor(enabled);
    canvas.drawText(textStyle_.font, area, text_, ink, kAlignLeft | kAlignVCenter);
    if (hasFocus()) {
        const std::int32_t x = area.x + std::min(textStyle_.font.textWidth(text_), area.width);
        const std::int32_t line = textStyle_.font.lineHeight();
        canvas.fillRect({x, (height() - line) / 2, kCaretWidth, line}, ink);
    }
}

void SpinBoxEdit::keyPressEvent(UIEvent& e) {
    if (!e.text.empty()) {
        std::u16string kept = utf8ToUtf16(text_);
        for (const char16_t c : utf8ToUtf16(e.text)) {
            if (!filter_ || filter_(c)) {
                kept.push_back(c);
            }
        }
        text_ = utf16ToUtf8(kept);
        update();
        e.accept();
    } else if (e.key == vk::kBack) {
        if (!text_.empty()) {
            // Whole characters, not bytes.
            std::u16string units = utf8ToUtf16(text_);
            units.pop_back();
            text_ = utf16ToUtf8(units);
            update();
        }
        e.accept();
    } else if (e.key == vk::kReturn) {
        editingFinished_.emit();
        e.accept();
    }
}

void SpinBoxEdit::enterEvent(UIEvent&) {
    update();
}

void SpinBoxEdit::leaveEvent(UIEvent&) {
    update();
}

void SpinBoxEdit::focusInEvent(UIEvent&) {
    update();
}

void SpinBoxEdit::focusOutEvent(UIEvent&) {
    update();
    editingFinished_.emit();
}

} // namespace scalora
