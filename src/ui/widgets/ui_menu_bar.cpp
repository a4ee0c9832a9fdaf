#include "ui/widgets/ui_menu_bar.h"

#include "ui/core/ui_timers.h"
#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_menu.h"

namespace scalora {

namespace {
// How long a title stays disarmed after its menu closed: long enough for the press that
// closed it to arrive, as with drop-down buttons.
constexpr std::int64_t kRearmDelay = 10;
} // namespace

UIMenuBar::UIMenuBar(UIElement* parent) : UIElement(parent) {
    setStyleClass("UIMenuBar");
    setFlag(kParentBackground, true);
    setFlag(kTracksHover, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
}

UIMenu* UIMenuBar::addMenu(std::string title) {
    auto* menu = new UIMenu(this);
    entries_.push_back({std::move(title), menu});
    menu->closed().connect([this, menu] { menuClosed(menu); });
    menu->leftOrRightOut().connect([this, menu](std::int32_t step) {
        const auto n = static_cast<std::int32_t>(entries_.size());
        openMenu((indexOf(menu) + step + n) % n, true);
    });
    update();
    return menu;
}

UIMenu* UIMenuBar::menu(std::size_t index) const {
    return index < entries_.size() ? entries_[index].menu : nullptr;
}

void UIMenuBar::setTitle(std::size_t index, std::string title) {
    if (index < entries_.size()) {
        entries_[index].title = std::move(title);
        update();
    }
}

std::int32_t UIMenuBar::indexOf(const UIMenu* menu) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].menu == menu) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

void UIMenuBar::openMenu(std::int32_t index, bool selectFirst) {
    if (index < 0 || index >= static_cast<std::int32_t>(entries_.size()) || !isEnabled()) {
        return;
    }
    const Rect title = titleRect(static_cast<std::size_t>(index));
    const UIWindow* w = window();
    const Point origin = mapToWindow({0, 0});
    const Point at{title.x + origin.x + (w ? w->x() : 0),
                   title.bottom() + origin.y + (w ? w->y() : 0)};
    UIMenu* menu = entries_[static_cast<std::size_t>(index)].menu;
    menu->popup(at, this);
    if (!menu->isOpen()) {
        return;
    }
    open_ = index;
    if (selectFirst) {
        menu->setHoveredIndex(-1);
        UIEvent home = UIEvent::keyEvent(UIEventType::KeyPress, vk::kHome, 0);
        menu->sendEvent(home);
    }
    update();
}

void UIMenuBar::menuClosed(UIMenu* menu) {
    const std::int32_t index = indexOf(menu);
    if (index == open_) {
        open_ = -1;
        justClosed_ = index;
        stopTimer(kButtonRearmTimerId);
        startTimer(kRearmDelay, kButtonRearmTimerId);
    }
    update();
}

void UIMenuBar::timerEvent(UIEvent& e) {
    if (e.value == kButtonRearmTimerId) {
        stopTimer(kButtonRearmTimerId);
        justClosed_ = -1;
    }
}

void UIMenuBar::mousePressEvent(UIEvent& e) {
    const std::int32_t index = titleAt(e.position);
    if (e.button != kLeftButton || index < 0 || index == justClosed_) {
        return;
    }
    if (index == open_) {
        menu(static_cast<std::size_t>(index))->dismiss();
        return;
    }
    openMenu(index);
}

void UIMenuBar::mouseMoveEvent(UIEvent& e) {
    const std::int32_t index = titleAt(e.position);
    if (index != hovered_) {
        hovered_ = index;
        update();
    }
    if (open_ >= 0 && index >= 0 && index != open_) {
        openMenu(index);
    }
}

void UIMenuBar::leaveEvent(UIEvent&) {
    hovered_ = -1;
    update();
}

Rect UIMenuBar::titleRect(std::size_t index) const {
    std::int32_t x = padding_.left;
    const std::int32_t h = height() - padding_.top - padding_.bottom;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::int32_t w =
            font_.textWidth(entries_[i].title) + itemPadding_.left + itemPadding_.right;
        if (i == index) {
            return {x, padding_.top, w, h};
        }
        x += w;
    }
    return {};
}

std::int32_t UIMenuBar::titleAt(Point p) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (titleRect(i).contains(p)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

Size UIMenuBar::sizeHint() const {
    std::int32_t w = padding_.left + padding_.right;
    for (const Entry& entry : entries_) {
        w += font_.textWidth(entry.title) + itemPadding_.left + itemPadding_.right;
    }
    return {w, font_.lineHeight() + itemPadding_.top + itemPadding_.bottom + padding_.top +
                   padding_.bottom};
}

void UIMenuBar::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "background") {
        background_ = parseStyleBrush(value);
    } else if (name == "font") {
        font_ = parseStyleFont(value);
    } else if (name == "foreground") {
        foreground_ = parseStyleColor(value);
    } else if (name == "hoveredForeground") {
        hoveredForeground_ = parseStyleColor(value);
    } else if (name == "hoveredBackground") {
        hoveredBackground_ = parseStyleColor(value);
    } else if (name == "padding") {
        padding_ = parseStyleMargins(value);
    } else if (name == "itemPadding") {
        itemPadding_ = parseStyleMargins(value);
    }
}

void UIMenuBar::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    c.fillRect(rect(), background_);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Rect r = titleRect(i);
        const bool lit = static_cast<std::int32_t>(i) == open_ ||
                         (open_ < 0 && static_cast<std::int32_t>(i) == hovered_);
        if (lit) {
            c.fillRect(r, hoveredBackground_);
        }
        c.drawText(font_, r, entries_[i].title, lit ? hoveredForeground_ : foreground_,
                   kAlignHCenter | kAlignVCenter);
    }
}

} // namespace scalora
