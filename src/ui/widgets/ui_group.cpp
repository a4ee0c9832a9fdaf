#include "ui/widgets/ui_group.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/widget_painting.h"
#include "ui/widgets/widget_updates.h"

#include <algorithm>

namespace scalora {

namespace {
// A group when the style gives nothing: the fall-back text in bold, a thin grey frame.
constexpr std::int32_t kFallbackIndicatorSize = 9;
constexpr std::int32_t kFallbackIndicatorSpacing = 4;
// Between the title row and the frame, and the frame's own border.
constexpr std::int32_t kTitleGap = 3;
constexpr std::int32_t kFrameBorder = 1;
// The indicator skin holding the four mouse states twice, unfolded then folded.
constexpr std::int32_t kFramesWithFoldedStates = 8;
} // namespace

UIGroup::UIGroup(UIElement* parent, std::string title)
    : UIElement(parent), title_(std::move(title)), textStyle_(fallbackTextStyle()),
      background_(kTransparentColor), indicatorSize_(kFallbackIndicatorSize),
      indicatorSpacing_(kFallbackIndicatorSpacing) {
    textStyle_.font.setFlag(UIFont::kBold, true);
    setFlag(kTracksHover, true);
    setStyleClass("UIGroup");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Preferred, UISizePolicy::Preferred);
}

void UIGroup::setTitle(std::string title) {
    title_ = std::move(title);
    sizeHintChanged(*this);
}

void UIGroup::setCollapsible(bool collapsible) {
    if (collapsible_ == collapsible) {
        return;
    }
    if (!collapsible) {
        setCollapsed(false);
    }
    collapsible_ = collapsible;
    setFocusPolicy(collapsible ? kStrongFocus : kNoFocus);
    sizeHintChanged(*this);
}

void UIGroup::setCollapsed(bool collapsed) {
    if (collapsed_ == collapsed || (collapsed && !collapsible_)) {
        return;
    }
    collapsed_ = collapsed;
    if (collapsed) {
        folded_.clear();
        for (UIElement* child : children()) {
            if (!child->isWindow() && child->isVisible()) {
                folded_.push_back(child);
            }
        }
        for (UIElement* child : folded_) {
            child->hide();
        }
    } else {
        // Only those still our children: one may have been destroyed while folded.
        const std::vector<UIElement*> folded = std::move(folded_);
        folded_.clear();
        for (UIElement* child : children()) {
            if (std::find(folded.begin(), folded.end(), child) != folded.end()) {
                child->show();
            }
        }
    }
    sizeHintChanged(*this);
}

void UIGroup::toggle() {
    if (collapsible_) {
        setCollapsed(!collapsed_);
        collapsedChanged_.emit(collapsed_);
    }
}

void UIGroup::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "font" || name == "foreground" || name == "shadowForeground" ||
        name == "disabledForeground" || name == "disabledShadowForeground" ||
        name == "shadowOffset") {
        textStyle_.setProperty(name, value);
    } else if (name == "background") {
        background_ = parseStyleBrush(value);
    } else if (name == "indicatorSize") {
        indicatorSize_ = parseStyleInteger(value);
    } else if (name == "indicatorSpacing") {
        indicatorSpacing_ = parseStyleInteger(value);
    }
}

void UIGroup::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UIGroup_Background") {
        backgroundSkin_ = skin;
    } else if (name == "UIGroup_Indicator") {
        indicatorSkin_ = skin;
    }
}

// --- geometry ---

std::int32_t UIGroup::titleRowHeight() const {
    const std::int32_t text = title_.empty() ? 0 : textStyle_.font.lineHeight();
    return std::max(text, collapsible_ ? indicatorSize_ : 0);
}

Rect UIGroup::titleRowRect() const {
    return {0, 0, width(), titleRowHeight()};
}

Rect UIGroup::indicatorRect() const {
    if (!collapsible_) {
        return {};
    }
    return {0, (titleRowHeight() - indicatorSize_) / 2, indicatorSize_, indicatorSize_};
}

Rect UIGroup::titleRect() const {
    const Rect row = titleRowRect();
    const Rect indicator = indicatorRect();
    const std::int32_t x = indicator.isEmpty() ? 0 : indicator.right() + indicatorSpacing_;
    return {x, row.y, std::max(row.width - x, 0), row.height};
}

bool UIGroup::isTitleShortened() const {
    return !title_.empty() && textStyle_.font.textWidth(title_) > titleRect().width;
}

Margins UIGroup::contentsMargins() const {
    return {kFrameBorder, titleRowHeight() + kTitleGap + kFrameBorder, kFrameBorder, kFrameBorder};
}

Size UIGroup::withTitle(Size content) const {
    const std::int32_t indicator = collapsible_ ? indicatorSize_ + indicatorSpacing_ : 0;
    const std::int32_t title = indicator + (title_.empty() ? 0 : textStyle_.font.textWidth(title_));
    if (collapsed_) {
        return {std::max(content.width, title), titleRowHeight()};
    }
    const Margins m = contentsMargins();
    return {std::max(content.width, title), std::max(content.height, m.top + m.bottom)};
}

Size UIGroup::sizeHint() const {
    return withTitle(UIElement::sizeHint());
}

Size UIGroup::minimumSizeHint() const {
    return withTitle(UIElement::minimumSizeHint());
}

SkinState UIGroup::indicatorState() const {
    SkinState state = SkinState::Normal;
    if (!isEnabled()) {
        state = SkinState::Disabled;
    } else if (headerPressed_ && headerHovered_) {
        state = SkinState::Pressed;
    } else if (headerHovered_ || headerPressed_) {
        state = SkinState::Hovered;
    }
    if (collapsed_ && indicatorSkin_.frameCount >= kFramesWithFoldedStates) {
        return skinFrame(static_cast<std::int32_t>(state) + 4);
    }
    return state;
}

// --- painting ---

void UIGroup::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    const bool enabled = isEnabled();
    const Rect row = titleRowRect();
    const Rect indicator = indicatorRect();
    if (!indicator.isEmpty()) {
        if (indicatorSkin_.hasImage()) {
            drawSkin(canvas, indicatorSkin_, indicator, indicatorState());
        } else {
            // A triangle in the title colour: down while open, right while folded.
            const Color ink = textStyle_.textColor(enabled);
            const std::int32_t s = indicator.width;
            const Point down[] = {{indicator.x, indicator.y + s / 4},
                                  {indicator.x + s, indicator.y + s / 4},
                                  {indicator.x + s / 2, indicator.y + s * 3 / 4}};
            const Point right[] = {{indicator.x + s / 4, indicator.y},
                                   {indicator.x + s / 4, indicator.y + s},
                                   {indicator.x + s * 3 / 4, indicator.y + s / 2}};
            canvas.fillPolygon(collapsed_ ? std::span<const Point>(right)
                                          : std::span<const Point>(down),
                               Brush(ink));
        }
    }
    const Rect title = titleRect();
    drawCaption(canvas, textStyle_, title, title_, enabled,
                kAlignLeft | kAlignVCenter | kTextElideRight);
    if (hasFocus()) {
        const std::int32_t w = std::min(textStyle_.font.textWidth(title_), title.width);
        drawFocusFrame(canvas, {0, row.y, title.x + w + 2, row.height},
                       textStyle_.textColor(enabled));
    }
    if (collapsed_) {
        return;
    }
    const Rect frame{0, row.height + kTitleGap, width(), height() - row.height - kTitleGap};
    if (alphaOf(background_.color()) != 0 || background_.isGradient()) {
        canvas.fillRect(frame.shrunk({kFrameBorder, kFrameBorder, kFrameBorder, kFrameBorder}),
                        background_);
    }
    if (backgroundSkin_.hasImage()) {
        drawSkin(canvas, backgroundSkin_, frame, enabled ? SkinState::Normal : SkinState::Disabled);
    } else {
        canvas.drawRect(frame, textStyle_.disabledForeground);
    }
}

// --- events ---

void UIGroup::setHeaderHovered(bool hovered) {
    if (headerHovered_ != hovered) {
        headerHovered_ = hovered;
        update(titleRowRect());
    }
}

void UIGroup::mousePressEvent(UIEvent& e) {
    headerPressed_ = collapsible_ && e.button == kLeftButton && titleRowRect().contains(e.position);
    setHeaderHovered(collapsible_ && titleRowRect().contains(e.position));
    update(titleRowRect());
}

void UIGroup::mouseReleaseEvent(UIEvent& e) {
    toggleOnClick_ = headerPressed_ && titleRowRect().contains(e.position);
    headerPressed_ = false;
    update(titleRowRect());
}

void UIGroup::mouseClickEvent(UIEvent& e) {
    if (toggleOnClick_ && e.button == kLeftButton) {
        toggle();
    }
    toggleOnClick_ = false;
}

void UIGroup::mouseMoveEvent(UIEvent& e) {
    setHeaderHovered(collapsible_ && titleRowRect().contains(e.position));
}

void UIGroup::enterEvent(UIEvent&) {
    update(titleRowRect());
}

void UIGroup::leaveEvent(UIEvent&) {
    setHeaderHovered(false);
}

void UIGroup::keyPressEvent(UIEvent& e) {
    if ((e.key == vk::kSpace || e.key == vk::kReturn) && !e.autoRepeat && collapsible_) {
        toggle();
        e.accept();
    }
}

void UIGroup::focusInEvent(UIEvent&) {
    update(titleRowRect());
}

void UIGroup::focusOutEvent(UIEvent&) {
    update(titleRowRect());
}

} // namespace scalora
