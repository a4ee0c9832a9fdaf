#include "ui/widgets/ui_picture.h"

#include "imaging/pixel_image.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/widget_updates.h"

#include <algorithm>

namespace scalora {

namespace {
// A picture when the style gives nothing: no background, dark caption.
constexpr double kFallbackFontPoints = 9;
constexpr Color kFallbackForeground = 0xFF202020;
// Between the image and its caption.
constexpr std::int32_t kCaptionSpacing = 4;
} // namespace

UIPicture::UIPicture(UIElement* parent, std::shared_ptr<const PixelImage> image)
    : UIElement(parent), image_(std::move(image)), background_(kTransparentColor) {
    textStyle_.font = UIFont(UIFont::defaultFamily(), kFallbackFontPoints);
    textStyle_.foreground = kFallbackForeground;
    textStyle_.disabledForeground = kFallbackForeground;
    textStyle_.shadowOffset = {0, 1};
    setStyleClass("UIPicture");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Preferred, UISizePolicy::Preferred);
}

void UIPicture::setImage(std::shared_ptr<const PixelImage> image) {
    image_ = std::move(image);
    sizeHintChanged(*this);
}

void UIPicture::setCaption(std::string caption) {
    caption_ = std::move(caption);
    sizeHintChanged(*this);
}

void UIPicture::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "font" || name == "foreground" || name == "shadowForeground" ||
        name == "shadowOffset") {
        textStyle_.setProperty(name, value);
    } else if (name == "background") {
        background_ = parseStyleBrush(value);
    }
}

std::int32_t UIPicture::captionHeight() const {
    return caption_.empty() ? 0 : textStyle_.font.lineHeight() + kCaptionSpacing;
}

Size UIPicture::sizeHint() const {
    const Size picture = image_ ? image_->size() : Size{};
    const std::int32_t captionWidth = caption_.empty() ? 0 : textStyle_.font.textWidth(caption_);
    return {std::max(picture.width, captionWidth), picture.height + captionHeight()};
}

Rect UIPicture::imageRect() const {
    if (!image_ || image_->isNull()) {
        return {};
    }
    const Rect room{0, 0, width(), std::max(height() - captionHeight(), 0)};
    Size s = image_->size();
    if (s.width > room.width || s.height > room.height) {
        // The smaller of the two ratios, in 64 bits so large images cannot overflow.
        const bool byWidth =
            std::int64_t{room.width} * s.height <= std::int64_t{room.height} * s.width;
        s = byWidth
                ? Size{room.width,
                       static_cast<std::int32_t>(std::int64_t{s.height} * room.width / s.width)}
                : Size{static_cast<std::int32_t>(std::int64_t{s.width} * room.height / s.height),
                       room.height};
    }
    return {(room.width - s.width) / 2, (room.height - s.height) / 2, s.width, s.height};
}

void UIPicture::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    if (alphaOf(background_.color()) != 0 || background_.isGradient()) {
        canvas.fillRect(rect(), background_);
    }
    if (const Rect target = imageRect(); !target.isEmpty()) {
        canvas.drawImage(*image_, Rect{0, 0, image_->width(), image_->height()}, target);
    }
    if (!caption_.empty()) {
        const std::int32_t line = textStyle_.font.lineHeight();
        drawCaption(canvas, textStyle_, {0, height() - line, width(), line}, caption_, true,
                    kAlignHCenter | kAlignVCenter | kTextElideRight);
    }
}

} // namespace scalora
