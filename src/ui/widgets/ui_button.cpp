// Index: fall-back values; construction; properties; state rules; style; painting; size;
// events; the menu and its re-arm.
#include "ui/widgets/ui_button.h"

#include "imaging/pixel_image.h"
#include "ui/core/ui_timers.h"
#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_drop_down_menu.h"
#include "ui/widgets/widget_painting.h"
#include "ui/widgets/widget_updates.h"

#include <algorithm>

namespace scalora {

namespace {
// A button when the style gives nothing: the fall-back text on a light face, the sizes of a
// dialog button at 96 dpi.
constexpr Color kFallbackFaceTop = 0xFFFAFAFA;
constexpr Color kFallbackFaceBottom = 0xFFE2E2E2;
constexpr Point kFallbackDownOffset{0, 1};
constexpr Margins kFallbackPadding{10, 3, 10, 3};
constexpr Size kFallbackMinimumSize{75, 23};
constexpr std::int32_t kFallbackIconAndTextSpacing = 4;
// The focus frame sits this far inside the button's edge.
constexpr Margins kFocusInset{3, 3, 3, 3};
// The pause after the menu closed during which a press does not open it again.
constexpr std::int64_t kRearmDelayMs = 10;
} // namespace

// --- construction ---

UIButton::UIButton(UIElement* parent, std::string text)
    : UIButton(parent, std::move(text), kButtonRearmTimerId) {
    setStyleClass("UIButton");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Fixed);
    layoutText();
}

UIButton::UIButton(UIElement* parent, std::string text, std::int64_t rearmTimerId)
    : UIElement(parent), text_(std::move(text)), textStyle_(fallbackTextStyle()),
      rearmTimerId_(rearmTimerId) {
    background_ = Brush({kFallbackFaceTop, kFallbackFaceBottom});
    downOffset_ = kFallbackDownOffset;
    padding_ = kFallbackPadding;
    minimumSize_ = kFallbackMinimumSize;
    iconAndTextSpacing_ = kFallbackIconAndTextSpacing;
    setFlag(kTracksHover, true);
    setFocusPolicy(kStrongFocus);
}

UIButton::~UIButton() {
    stopTimer(rearmTimerId_);
    if (menu_ != nullptr) {
        menu_->closed().disconnect(menuConnection_);
    }
}

// --- properties ---

void UIButton::setText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    layoutText();
    sizeHintChanged(*this);
}

void UIButton::layoutText() {
    textSize_ = text_.empty() ? Size{} : textStyle_.font.textExtent(text_);
}

void UIButton::setIcons(UIButtonIcons icons) {
    icons_ = std::move(icons);
    sizeHintChanged(*this);
}

void UIButton::setCheckable(bool checkable) {
    if (checkable_ != checkable) {
        checkable_ = checkable;
        update();
    }
}

void UIButton::setChecked(bool checked) {
    if (checked_ != checked) {
        checked_ = checked;
        update();
    }
}

void UIButton::setCheckedColors(Color foreground, Color shadowForeground) {
    checkedForeground_ = foreground;
    checkedShadowForeground_ = shadowForeground;
    hasCheckedColors_ = true;
    update();
}

void UIButton::setFlat(bool flat) {
    if (flat_ != flat) {
        flat_ = flat;
        update();
    }
}

void UIButton::setIconPlacement(UIIconPlacement placement) {
    if (iconPlacement_ != placement) {
        iconPlacement_ = placement;
        sizeHintChanged(*this);
    }
}

void UIButton::setMenu(UIDropDownMenu* menu) {
    if (menu == menu_) {
        return;
    }
    if (menu_ != nullptr) {
        menu_->closed().disconnect(menuConnection_);
        menuConnection_ = 0;
    }
    menu_ = menu;
    if (menu_ != nullptr) {
        menuConnection_ = menu_->closed().connect([this] { menuClosed(); });
    }
    sizeHintChanged(*this);
}

// --- state rules ---

SkinState UIButton::interactionState() const {
    if (!isEnabled()) {
        return SkinState::Disabled;
    }
    const bool pressed = hasFlag(kPressed);
    const bool hovered = hasFlag(kHovered);
    if (pressed && hovered) {
        return SkinState::Pressed;
    }
    if (!pressed && !hovered) {
        return SkinState::Normal;
    }
    return SkinState::Hovered;
}

SkinState UIButton::backgroundState() const {
    if (isEnabled() && showsChecked()) {
        return SkinState::Checked;
    }
    return interactionState();
}

UIButtonIcon UIButton::iconState() const {
    switch (backgroundState()) {
    case SkinState::Disabled:
        return UIButtonIcon::Disabled;
    case SkinState::Checked:
    case SkinState::Pressed:
        return UIButtonIcon::Pressed;
    case SkinState::Hovered:
        return UIButtonIcon::Hovered;
    case SkinState::Normal:
        break;
    }
    return UIButtonIcon::Normal;
}

// --- style ---

void UIButton::setStyleProperty(const std::string& name, const std::string& value) {
    if (textStyle_.setProperty(name, value)) {
        layoutText();
    } else if (name == "background") {
        background_ = parseStyleBrush(value);
    } else if (name == "downOffset") {
        downOffset_ = parseStylePoint(value);
    } else if (name == "padding") {
        padding_ = parseStyleMargins(value);
    } else if (name == "minimumSize") {
        minimumSize_ = parseStyleSize(value);
    } else if (name == "iconAndTextSpacing") {
        iconAndTextSpacing_ = parseStyleInteger(value);
    }
}

void UIButton::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UIButton_Background") {
        backgroundSkin_ = skin;
    }
}

// --- painting ---

const PixelImage* UIButton::iconFor(UIButtonIcon state) const {
    const auto& icon = icons_[static_cast<std::size_t>(state)];
    if (icon && !icon->isNull()) {
        return icon.get();
    }
    const auto& normal = icons_[static_cast<std::size_t>(UIButtonIcon::Normal)];
    return normal && !normal->isNull() ? normal.get() : nullptr;
}

bool UIButton::hasIcon() const {
    return std::any_of(icons_.begin(), icons_.end(),
                       [](const auto& icon) { return icon && !icon->isNull(); });
}

Size UIButton::widestAndTallestIcon() const {
    Size s;
    for (const auto& icon : icons_) {
        if (icon && !icon->isNull()) {
            s.width = std::max(s.width, icon->width());
            s.height = std::max(s.height, icon->height());
        }
    }
    return s;
}

Rect UIButton::contentRect() const {
    Rect content = rect().shrunk(padding_);
    if (!flat_ && (hasFlag(kPressed) || showsChecked())) {
        content = content.translated(downOffset_.x, downOffset_.y);
    }
    return content;
}

void UIButton::paintBackground(Canvas& canvas) const {
    if (flat_) {
        return;
    }
    if (alphaOf(background_.color()) != 0 || background_.isGradient()) {
        canvas.fillRect(rect(), background_);
    }
    if (backgroundSkin_.hasImage()) {
        drawSkin(canvas, backgroundSkin_, rect(), backgroundState());
        return;
    }
    // No skin: a frame in the text colours tells the states apart.
    const SkinState state = backgroundState();
    const Color frame = state == SkinState::Normal || state == SkinState::Disabled
                            ? textStyle_.disabledForeground
                            : textStyle_.foreground;
    canvas.drawRect(rect(), frame);
}

Rect UIButton::textAreaIn(const Rect& content) const {
    Rect area = content;
    if (!hasIcon() || text_.empty()) {
        return area;
    }
    const Size largest = widestAndTallestIcon();
    if (iconPlacement_ == UIIconPlacement::Left || iconPlacement_ == UIIconPlacement::BeforeText) {
        const std::int32_t used = largest.width + iconAndTextSpacing_;
        area.x += used;
        area.width -= used;
    } else {
        const std::int32_t used = largest.height + iconAndTextSpacing_;
        area.y += used;
        area.height -= used;
    }
    return area;
}

Rect UIButton::captionRoom() const {
    return textAreaIn(rect().shrunk(padding_));
}

bool UIButton::isShortened() const {
    if (text_.empty()) {
        return false;
    }
    const Rect room = captionRoom();
    return textSize_.width > room.width || textSize_.height > room.height;
}

void UIButton::paintIconAndText(Canvas& canvas, const Rect& content) const {
    if (hasIcon()) {
        const PixelImage* icon = iconFor(iconState());
        const std::int32_t iw = icon != nullptr ? icon->width() : 0;
        const std::int32_t ih = icon != nullptr ? icon->height() : 0;
        Point at;
        if (text_.empty()) {
            at = {content.x + (content.width - iw) / 2, content.y + (content.height - ih) / 2};
        } else if (iconPlacement_ == UIIconPlacement::Left ||
                   iconPlacement_ == UIIconPlacement::BeforeText) {
            at = {content.x, content.y + (content.height - ih) / 2};
        } else {
            at = {content.x + (content.width - iw) / 2, content.y};
        }
        if (icon != nullptr) {
            canvas.drawImage(*icon, at);
        }
    }
    if (text_.empty()) {
        return;
    }
    const bool enabled = isEnabled();
    Color color = textStyle_.textColor(enabled);
    Color shadow = textStyle_.shadowColor(enabled);
    if (enabled && showsChecked() && hasCheckedColors_) {
        color = checkedForeground_;
        shadow = checkedShadowForeground_;
    }
    drawShadowedText(canvas, textStyle_.font, textAreaIn(content), text_, color, shadow,
                     textStyle_.shadowOffset, kAlignHCenter | kAlignVCenter | kTextElideRight);
}

void UIButton::paintFocus(Canvas& canvas) const {
    if (hasFocus()) {
        drawFocusFrame(canvas, rect().shrunk(kFocusInset), textStyle_.foreground);
    }
}

void UIButton::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    paintBackground(canvas);
    paintIconAndText(canvas, contentRect());
    paintFocus(canvas);
}

// --- size ---

Size UIButton::contentSize() const {
    const Size icon = widestAndTallestIcon();
    const bool both = hasIcon() && !text_.empty();
    const std::int32_t spacing = both ? iconAndTextSpacing_ : 0;
    if (iconPlacement_ == UIIconPlacement::Left || iconPlacement_ == UIIconPlacement::BeforeText) {
        return {textSize_.width + spacing + icon.width, std::max(textSize_.height, icon.height)};
    }
    return {std::max(textSize_.width, icon.width), textSize_.height + spacing + icon.height};
}

Size UIButton::sizeHint() const {
    const Size content = contentSize();
    return {std::max(content.width + padding_.left + padding_.right, minimumSize_.width),
            std::max(content.height + padding_.top + padding_.bottom, minimumSize_.height)};
}

// --- events ---

void UIButton::activate() {
    if (checkable_) {
        setChecked(!checked_);
    }
    clicked_.emit();
}

void UIButton::keyPressEvent(UIEvent& e) {
    const bool activation = e.key == vk::kReturn || e.key == vk::kSpace;
    if (activation && e.autoRepeat) {
        // Holding the key down activates once.
        e.accept();
        return;
    }
    if (activation) {
        dropDownMenu();
        activate();
        e.accept();
    } else if (e.key == vk::kDown && menu_ != nullptr) {
        dropDownMenu();
        e.accept();
    }
}

void UIButton::mousePressEvent(UIEvent& e) {
    update();
    if (e.button == kLeftButton) {
        dropDownMenu();
    }
}

void UIButton::mouseReleaseEvent(UIEvent&) {
    update();
}

void UIButton::mouseClickEvent(UIEvent& e) {
    if (e.button == kLeftButton) {
        activate();
    }
}

void UIButton::enterEvent(UIEvent&) {
    update();
}

void UIButton::leaveEvent(UIEvent&) {
    update();
}

void UIButton::focusInEvent(UIEvent&) {
    update();
}

void UIButton::focusOutEvent(UIEvent&) {
    update();
}

void UIButton::timerEvent(UIEvent& e) {
    if (e.value == rearmTimerId_) {
        stopTimer(rearmTimerId_);
        armed_ = true;
    }
}

// --- the menu ---

bool UIButton::dropDownMenu() {
    if (menu_ == nullptr || !isEnabled() || !armed_) {
        return false;
    }
    setChecked(true);
    Point below = mapToWindow({0, height()});
    if (const UIWindow* w = window()) {
        below = {below.x + w->x(), below.y + w->y()};
    }
    menu_->dropDownAt(below);
    return true;
}

void UIButton::menuClosed() {
    setChecked(false);
    armed_ = false;
    startTimer(kRearmDelayMs, rearmTimerId_);
}

} // namespace scalora
