#include "ui/widgets/ui_progress.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/widget_updates.h"

#include <algorithm>
#include <cmath>

namespace scalora {

namespace {
// A progress bar when the style gives nothing: a grey track, a green chunk.
constexpr double kFallbackFontPoints = 9;
constexpr Color kFallbackForeground = 0xFF202020;
constexpr Color kFallbackTrack = 0xFFE6E6E6;
constexpr Color kFallbackChunk = 0xFF26A034;
constexpr Color kFallbackBorder = 0xFFA0A0A0;
constexpr Margins kFallbackPadding{1, 1, 1, 1};
constexpr std::int32_t kFallbackThickness = 16;
// The length a bar asks for along its orientation.
constexpr std::int32_t kPreferredLength = 120;
} // namespace

UIProgress::UIProgress(UIElement* parent, UIOrientation orientation)
    : UIElement(parent), orientation_(orientation),
      font_(UIFont::defaultFamily(), kFallbackFontPoints), foreground_(kFallbackForeground),
      padding_(kFallbackPadding), thickness_(kFallbackThickness) {
    setStyleClass("UIProgress");
    setFlag(kParentBackground, true);
    setOrientation(orientation);
}

void UIProgress::setOrientation(UIOrientation orientation) {
    orientation_ = orientation;
    if (orientation == UIOrientation::Horizontal) {
        setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    } else {
        setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Expanding);
    }
    sizeHintChanged(*this);
}

void UIProgress::setValue(std::int64_t value) {
    const std::int64_t clamped = std::clamp(value, minimum_, maximum_);
    if (clamped != value_) {
        value_ = clamped;
        update();
    }
}

void UIProgress::setRange(std::int64_t minimum, std::int64_t maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    value_ = std::clamp(value_, minimum_, maximum_);
    update();
}

void UIProgress::setTextVisible(bool visible) {
    textVisible_ = visible;
    update();
}

double UIProgress::fraction() const {
    if (maximum_ <= minimum_) {
        return 0.0;
    }
    return static_cast<double>(value_ - minimum_) / static_cast<double>(maximum_ - minimum_);
}

std::string UIProgress::text() const {
    return std::to_string(static_cast<int>(std::floor(fraction() * 100.0 + 0.5))) + "%";
}

void UIProgress::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "font") {
        font_ = parseStyleFont(value);
    } else if (name == "foreground") {
        foreground_ = parseStyleColor(value);
    } else if (name == "padding") {
        padding_ = parseStyleMargins(value);
    } else if (name == "thickness") {
        thickness_ = parseStyleInteger(value);
    }
}

void UIProgress::setSkinImage(const std::string& name, const UISkin& skin) {
    struct Named {
        const char* name;
        UISkin Skins::*part;
        Skins* owner;
    };
    const Named known[] = {
        {"UIProgress_HorizontalBackground", &Skins::background, &horizontal_},
        {"UIProgress_HorizontalChunk", &Skins::chunk, &horizontal_},
        {"UIProgress_HorizontalBorder", &Skins::border, &horizontal_},
        {"UIProgress_VerticalBackground", &Skins::background, &vertical_},
        {"UIProgress_VerticalChunk", &Skins::chunk, &vertical_},
        {"UIProgress_VerticalBorder", &Skins::border, &vertical_},
    };
    for (const Named& n : known) {
        if (name == n.name) {
            n.owner->*n.part = skin;
            return;
        }
    }
}

Size UIProgress::sizeHint() const {
    if (orientation_ == UIOrientation::Horizontal) {
        return {kPreferredLength, thickness_};
    }
    return {thickness_, kPreferredLength};
}

Rect UIProgress::chunkRect() const {
    const Rect inner = rect().shrunk(padding_);
    if (inner.isEmpty()) {
        return {};
    }
    const double done = fraction();
    if (orientation_ == UIOrientation::Horizontal) {
        const auto w = static_cast<std::int32_t>(std::lround(inner.width * done));
        return {inner.x, inner.y, w, inner.height};
    }
    const auto h = static_cast<std::int32_t>(std::lround(inner.height * done));
    return {inner.x, inner.bottom() - h, inner.width, h};
}

void UIProgress::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    const Skins& s = skins();
    const SkinState state = isEnabled() ? SkinState::Normal : SkinState::Disabled;
    if (s.background.hasImage()) {
        drawSkin(canvas, s.background, rect(), state);
    } else {
        canvas.fillRect(rect(), kFallbackTrack);
    }
    if (const Rect chunk = chunkRect(); !chunk.isEmpty()) {
        if (s.chunk.hasImage()) {
            drawSkin(canvas, s.chunk, chunk, state);
        } else {
            canvas.fillRect(chunk, kFallbackChunk);
        }
    }
    if (s.border.hasImage()) {
        drawSkin(canvas, s.border, rect(), state);
    } else if (!s.background.hasImage()) {
        canvas.drawRect(rect(), kFallbackBorder);
    }
    if (textVisible_) {
        canvas.drawText(font_, rect(), text(), foreground_, kAlignHCenter | kAlignVCenter);
    }
}

} // namespace scalora
