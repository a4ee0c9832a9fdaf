#include "ui/widgets/ui_balloon_tip.h"

#include "ui/core/ui_timers.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/style/ui_style_manager.h"

#include <algorithm>

namespace scalora {

namespace {
// Room between the title and the text.
constexpr std::int32_t kTitleGap = 3;
} // namespace

UIBalloonTip::UIBalloonTip(UIElement* parent) : UIToolTip(parent, "UIBalloonTip") {}

void UIBalloonTip::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "titleFont") {
        titleFont_ = parseStyleFont(value);
    } else if (name == "iconSpacing") {
        iconSpacing_ = parseStyleInteger(value);
    } else {
        UIToolTip::setStyleProperty(name, value);
    }
}

const PixelImage* UIBalloonTip::icon() const {
    if (iconKind_ < 1 || iconKind_ > 4) {
        return nullptr;
    }
    // Kinds 1 to 4 are the small information, question, warning and critical images.
    const auto id = static_cast<StandardImage>(
        static_cast<std::int32_t>(StandardImage::InformationSmall) + iconKind_ - 1);
    return UIStyleManager::instance().standardImage(id);
}

std::int32_t UIBalloonTip::iconSide() const {
    const PixelImage* image = icon();
    return image != nullptr ? std::min(image->width(), 32) : 0;
}

Size UIBalloonTip::sizeHint() const {
    const Size text = textSize();
    const std::int32_t titleWidth = title_.empty() ? 0 : titleFont_.textWidth(title_);
    const std::int32_t titleHeight = title_.empty() ? 0 : titleFont_.lineHeight() + kTitleGap;
    const std::int32_t side = iconSide();
    const std::int32_t iconRoom = side > 0 ? side + iconSpacing_ : 0;
    const Margins& p = style_.padding;
    return {iconRoom + std::max(titleWidth, text.width) + p.left + p.right + 2,
            std::max(side, titleHeight + text.height) + p.top + p.bottom + 2};
}

void UIBalloonTip::showBalloon(std::string title, std::string text, std::int32_t iconKind, Point at,
                               std::int64_t timeoutMs) {
    title_ = std::move(title);
    text_ = std::move(text);
    iconKind_ = iconKind;
    placeAndShow(at, {at.x, at.y, 1, 1});
    stopTimer(kToolTipTimerId);
    if (timeoutMs > 0) {
        startTimer(timeoutMs, kToolTipTimerId);
    }
}

void UIBalloonTip::timerEvent(UIEvent& e) {
    if (e.value == kToolTipTimerId) {
        stopTimer(kToolTipTimerId);
        hideTip();
    }
}

void UIBalloonTip::mouseReleaseEvent(UIEvent& e) {
    if (rect().contains(e.position)) {
        stopTimer(kToolTipTimerId);
        hideTip();
    }
}

void UIBalloonTip::paintEvent(UIEvent& e) {
    if (e.canvas == nullptr) {
        return;
    }
    Canvas& c = *e.canvas;
    paintFrame(c);
    const Margins& p = style_.padding;
    std::int32_t x = 1 + p.left;
    std::int32_t y = 1 + p.top;
    if (const PixelImage* image = icon()) {
        const std::int32_t side = iconSide();
        c.drawImage(*image, {0, 0, image->width(), image->height()}, {x, y, side, side});
        x += side + iconSpacing_;
    }
    if (!title_.empty()) {
        c.drawText(titleFont_, Point{x, y}, title_, style_.text.foreground);
        y += titleFont_.lineHeight() + kTitleGap;
    }
    paintText(c, {x, y});
}

} // namespace scalora
