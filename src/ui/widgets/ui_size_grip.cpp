#include "ui/widgets/ui_size_grip.h"

#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"

#include <cstdlib>

namespace scalora {

namespace {
// A grip when the style gives nothing: three grey dots rising to the corner.
constexpr Size kFallbackSize{12, 12};
constexpr Color kFallbackDots = 0xFF969696;
// Smaller pointer moves are jitter; smaller size changes are not worth a resize.
constexpr std::int32_t kMoveThreshold = 2;
constexpr std::int32_t kMinimumChange = 2;

// The pointer relative to the window's top-left corner on the screen.
Point relativeToWindow(const UIWindow& window, Point screen) {
    return {screen.x - window.x(), screen.y - window.y()};
}
} // namespace

UISizeGrip::UISizeGrip(UIElement* parent) : UIElement(parent), size_(kFallbackSize) {
    setCursorId(CursorId::SizeNWSE);
    setStyleClass("UISizeGrip");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Preferred);
}

void UISizeGrip::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "size") {
        size_ = parseStyleSize(value);
    }
}

void UISizeGrip::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UISizeGrip_Background") {
        skin_ = skin;
    }
}

void UISizeGrip::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    const Rect corner{width() - size_.width, height() - size_.height, size_.width, size_.height};
    if (skin_.hasImage()) {
        drawSkin(canvas, skin_, corner, isEnabled() ? SkinState::Normal : SkinState::Disabled);
        return;
    }
    for (std::int32_t i = 0; i < 3; ++i) {
        for (std::int32_t j = 0; j <= i; ++j) {
            canvas.fillRect({corner.right() - 3 - 3 * j, corner.bottom() - 3 - 3 * (i - j), 2, 2},
                            kFallbackDots);
        }
    }
}

void UISizeGrip::mousePressEvent(UIEvent& e) {
    const UIWindow* w = window();
    if (e.button != kLeftButton || w == nullptr) {
        return;
    }
    const Point p = relativeToWindow(*w, e.screenPosition);
    recorded_ = {w->width() - p.x, w->height() - p.y};
    lastHandled_ = p;
    dragging_ = true;
}

void UISizeGrip::mouseMoveEvent(UIEvent& e) {
    UIWindow* w = window();
    if (!dragging_ || !isEnabled() || w == nullptr) {
        return;
    }
    if (w->nativeWindow() != nullptr && w->nativeWindow()->isMaximized()) {
        return;
    }
    const Point p = relativeToWindow(*w, e.screenPosition);
    if (std::abs(p.x - lastHandled_.x) < kMoveThreshold &&
        std::abs(p.y - lastHandled_.y) < kMoveThreshold) {
        return;
    }
    lastHandled_ = p;
    Size wanted{recorded_.width + p.x, recorded_.height + p.y};
    if (wanted.width < 0) {
        wanted.width = w->width();
    }
    if (wanted.height < 0) {
        wanted.height = w->height();
    }
    if (std::abs(wanted.width - w->width()) < kMinimumChange &&
        std::abs(wanted.height - w->height()) < kMinimumChange) {
        return;
    }
    w->setSize(wanted.width, wanted.height);
}

void UISizeGrip::mouseReleaseEvent(UIEvent&) {
    dragging_ = false;
}

} // namespace scalora
