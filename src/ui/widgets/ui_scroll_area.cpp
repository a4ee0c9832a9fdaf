#include "ui/widgets/ui_scroll_area.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_scroll_area_part.h"
#include "ui/widgets/ui_scroll_bar.h"
#include "ui/widgets/ui_scrollable.h"
#include "ui/widgets/widget_painting.h"

#include <algorithm>

namespace scalora {

namespace {
constexpr std::int32_t kWheelSteps = 3; // arrow steps per notch
constexpr std::int32_t kWheelNotch = 120;
// An area with nothing to show still asks for this much room.
constexpr Size kDefaultHint{200, 150};
// The arrow step over plain content: about one line of text.
constexpr Size kPlainContentStep{20, 20};

bool barWanted(UIScrollArea::ScrollBarPolicy policy, std::int32_t content, std::int32_t room) {
    return policy == UIScrollArea::ScrollBarPolicy::AlwaysOn ||
           (policy == UIScrollArea::ScrollBarPolicy::AsNeeded && content > room);
}
} // namespace

UIScrollArea::UIScrollArea(UIElement* parent, const std::string& styleClass) : UIElement(parent) {
    setStyleClass(styleClass);
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Expanding);
    viewport_ = new UIScrollAreaPart(this, "UIScrollAreaViewport");
    vbar_ = new UIScrollBar(this, UIScrollBar::Orientation::Vertical);
    hbar_ = new UIScrollBar(this, UIScrollBar::Orientation::Horizontal);
    corner_ = new UIScrollAreaPart(this, "UIScrollAreaCorner");
    viewport_->show();
    vbar_->valueChanged.connect([this](std::int32_t) { applyScrollPosition(); });
    hbar_->valueChanged.connect([this](std::int32_t) { applyScrollPosition(); });
    viewport_->signal(UIEventType::Wheel).connect([this](UIEvent& e) {
        if (!e.accepted && scrollByWheel(e)) {
            e.accept();
        }
    });
}

UIScrollArea::~UIScrollArea() = default;

UIElement* UIScrollArea::viewport() const {
    return viewport_;
}

UIElement* UIScrollArea::corner() const {
    return corner_;
}

void UIScrollArea::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "background") {
        background_ = parseStyleBrush(value);
    } else if (name == "borderColor") {
        borderColor_ = parseStyleColor(value);
    }
}

void UIScrollArea::setContent(UIElement* content) {
    if (content == content_) {
        return;
    }
    if (scrollable_ != nullptr) {
        scrollable_->area_ = nullptr;
    }
    delete content_;
    content_ = content;
    scrollable_ = nullptr;
    if (content_ != nullptr) {
        content_->setParent(viewport_);
        scrollable_ = dynamic_cast<UIScrollable*>(content_);
        if (scrollable_ != nullptr) {
            scrollable_->area_ = this;
        }
        content_->signal(UIEventType::Wheel).connect([this](UIEvent& e) {
            if (!e.accepted && scrollByWheel(e)) {
                e.accept();
            }
        });
        content_->show();
    }
    layoutParts();
}

void UIScrollArea::setScrollBarPolicies(ScrollBarPolicy horizontal, ScrollBarPolicy vertical) {
    hpolicy_ = horizontal;
    vpolicy_ = vertical;
    layoutParts();
}

Point UIScrollArea::scrollPosition() const {
    return {hbar_->value(), vbar_->value()};
}

void UIScrollArea::setScrollPosition(Point position) {
    hbar_->setValue(position.x);
    vbar_->setValue(position.y);
}

void UIScrollArea::scrollBy(std::int32_t dx, std::int32_t dy) {
    setScrollPosition({hbar_->value() + dx, vbar_->value() + dy});
}

Size UIScrollArea::viewportSize() const {
    return viewport_->size();
}

void UIScrollArea::ensureVisible(const Rect& r) {
    const Size view = viewportSize();
    Point pos = scrollPosition();
    auto axis = [](std::int32_t current, std::int32_t start, std::int32_t size, std::int32_t room) {
        if (start < current || size > room) {
            return start;
        }
        if (start + size > current + room) {
            return start + size - room;
        }
        return current;
    };
    pos.x = axis(pos.x, r.x, r.width, view.width);
    pos.y = axis(pos.y, r.y, r.height, view.height);
    setScrollPosition(pos);
}

void UIScrollArea::updateScrollRange() {
    layoutParts();
}

bool UIScrollArea::scrollByWheel(const UIEvent& e) {
    if (e.delta == 0) {
        return false;
    }
    const bool vertical = e.orientation != kWheelHorizontal &&
                          (e.modifiers & kShiftModifier) == 0 &&
                          vbar_->maximum() > vbar_->minimum();
    UIScrollBar* bar = vertical ? vbar_ : hbar_;
    const std::int32_t before = bar->value();
    bar->setValue(before - e.delta * kWheelSteps * bar->singleStep() / kWheelNotch);
    return bar->value() != before;
}

void UIScrollArea::wheelEvent(UIEvent& e) {
    if (scrollByWheel(e)) {
        e.accept();
    }
}

Margins UIScrollArea::frameMargins() const {
    return isDrawnColor(borderColor_) ? Margins{1, 1, 1, 1} : Margins{};
}

Size UIScrollArea::sizeHint() const {
    return kDefaultHint;
}

Size UIScrollArea::minimumSizeHint() const {
    const Margins f = frameMargins();
    const Margins r = reservedMargins();
    const std::int32_t t = vbar_->thickness();
    return {f.left + f.right + r.left + r.right + 2 * t,
            f.top + f.bottom + r.top + r.bottom + 2 * t};
}

void UIScrollArea::resizeEvent(UIEvent&) {
    layoutParts();
}

Size UIScrollArea::contentSize(Size view) const {
    if (scrollable_ != nullptr) {
        return scrollable_->scrollContentSize(view);
    }
    return content_ != nullptr ? content_->sizeHint() : Size{};
}

void UIScrollArea::layoutParts() {
    if (layingOut_) {
        return;
    }
    layingOut_ = true;
    const Margins f = frameMargins();
    const Margins r = reservedMargins();
    const Rect inner = rect().shrunk(f).shrunk(r);
    const std::int32_t t = vbar_->thickness();
    const std::int32_t ht = hbar_->thickness();
    Size view{std::max(inner.width, 0), std::max(inner.height, 0)};
    Size content = contentSize(view);
    bool needV = barWanted(vpolicy_, content.height, view.height);
    if (needV) {
        view.width = std::max(view.width - t, 0);
        content = contentSize(view);
    }
    const bool needH = barWanted(hpolicy_, content.width, view.width);
    if (needH) {
        view.height = std::max(view.height - ht, 0);
        if (!needV && barWanted(vpolicy_, content.height, view.height)) {
            needV = true;
            view.width = std::max(view.width - t, 0);
            content = contentSize(view);
        }
    }
    const Rect viewRect{inner.x, inner.y, view.width, view.height};
    viewport_->setGeometry(viewRect);
    vbar_->setGeometry({inner.x + view.width, inner.y, t, view.height});
    hbar_->setGeometry({inner.x, inner.y + view.height, view.width, ht});
    corner_->setGeometry({inner.x + view.width, inner.y + view.height, t, ht});
    vbar_->setVisible(needV);
    hbar_->setVisible(needH);
    corner_->setVisible(needV && needH);

    Size step = kPlainContentStep;
    if (scrollable_ != nullptr) {
        step = scrollable_->scrollStep();
    }
    vbar_->setSingleStep(step.height);
    hbar_->setSingleStep(step.width);
    vbar_->setPageSize(view.height);
    hbar_->setPageSize(view.width);
    vbar_->setRange(0, std::max(content.height - view.height, 0));
    hbar_->setRange(0, std::max(content.width - view.width, 0));
    layingOut_ = false;
    applyScrollPosition();
    viewportPlaced(viewRect);
}

void UIScrollArea::applyScrollPosition() {
    if (layingOut_) {
        return;
    }
    const Point pos = scrollPosition();
    if (content_ != nullptr) {
        const Size view = viewportSize();
        if (scrollable_ != nullptr) {
            content_->setGeometry({0, 0, view.width, view.height});
            scrollable_->setScrollOffset(pos);
        } else {
            const Size hint = content_->sizeHint();
            content_->setGeometry({-pos.x, -pos.y, std::max(hint.width, view.width),
                                   std::max(hint.height, view.height)});
        }
    }
    scrollPositionChanged(pos);
}

void UIScrollArea::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    canvas.fillRect(rect(), background_);
    if (isDrawnColor(borderColor_)) {
        canvas.drawRect(rect(), borderColor_);
    }
}

} // namespace scalora
