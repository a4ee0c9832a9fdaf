// Index: items; opening, closing and the chain of submenus; mouse; keyboard; style; layout;
// painting.
#include "ui/widgets/ui_menu.h"

#include "ui/core/ui_toolkit.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/popup_placement.h"
#include "ui/widgets/widget_painting.h"

#include <algorithm>

namespace scalora {

namespace {

// Polls whether the pointer is still over the menu, like the toolkit's hover tracking, so
// that the highlight goes when the pointer leaves (windows get no leave events).
constexpr std::int64_t kMenuHoverTimerId = 100005;
constexpr std::int64_t kMenuHoverInterval = 20;
// The icon column's content when the style gives no SmallIconSize.
constexpr std::int32_t kFallbackIconSize = 16;
// Room around the line between the icon column and the texts.
constexpr std::int32_t kColumnGap = 6;
// Space above and below a separator's skin.
constexpr std::int32_t kSeparatorMargin = 2;
// Fall-backs for missing skins.
constexpr Color kFallbackHoverFill = 0xFFD6EAFF;
constexpr Color kFallbackLine = 0xFFE2E2E2;

// The owner's rectangle on the screen.
Rect screenRectOf(const UIElement* e) {
    if (e == nullptr) {
        return {};
    }
    if (e->isWindow()) {
        return e->geometry();
    }
    const UIWindow* w = e->window();
    const Rect r = e->windowRect();
    return w != nullptr ? r.translated(w->x(), w->y()) : r;
}

// Menus of bars and buttons drop down from their owner; others open at the cursor.
bool dropsDownFrom(const UIElement* owner) {
    if (owner == nullptr) {
        return false;
    }
    auto isBar = [](const UIElement* e) {
        return e != nullptr && (e->styleClass() == "UIMenuBar" || e->styleClass() == "UIToolBar");
    };
    return isBar(owner) || isBar(owner->parent()) || owner->styleClass() == "UIButton" ||
           owner->styleClass() == "UIToolButton";
}

bool isVisibleColor(Color c) {
    return alphaOf(c) > 0;
}

// Draws a skin frame of its own size centred in a box.
void drawCentred(Canvas& c, const UISkin& skin, const Rect& box, SkinState state) {
    const Size s = skin.frameSize();
    drawSkin(
        c, skin,
        {box.x + (box.width - s.width) / 2, box.y + (box.height - s.height) / 2, s.width, s.height},
        state);
}

} // namespace

UIMenu::UIMenu(UIElement* parent) : UIWindow(parent, kWindowPopup | kWindowTopmost) {
    setStyleClass("UIMenu");
    // While open the menu takes the keys of its owner's window (see UIInputRouter).
    setFlag(kKeyPreview, true);
    if (auto* menu = dynamic_cast<UIMenu*>(parent)) {
        parentMenu_ = menu;
    }
}

UIMenu::~UIMenu() {
    // The submenus are children, destroyed after this menu's own parts are gone: they must
    // not reach back into it then.
    for (UIElement* child : children()) {
        if (auto* submenu = dynamic_cast<UIMenu*>(child); submenu != nullptr) {
            submenu->parentMenu_ = nullptr;
        }
    }
    if (parentMenu_ != nullptr) {
        if (parentMenu_->openSubmenu_ == this) {
            parentMenu_->openSubmenu_ = nullptr;
        }
        for (const auto& item : parentMenu_->items_) {
            if (item->submenu_ == this) {
                item->submenu_ = nullptr;
            }
        }
    }
}

// --- items ---

UIMenuItem* UIMenu::append(std::unique_ptr<UIMenuItem> item) {
    items_.push_back(std::move(item));
    itemsChanged();
    return items_.back().get();
}

UIMenuItem* UIMenu::addItem(std::string text, std::shared_ptr<const PixelImage> icon) {
    auto item = std::make_unique<UIMenuItem>();
    item->text_ = std::move(text);
    item->icon_ = std::move(icon);
    return append(std::move(item));
}

UIMenuItem* UIMenu::addSeparator() {
    auto item = std::make_unique<UIMenuItem>();
    item->separator_ = true;
    return append(std::move(item));
}

UIMenu* UIMenu::addSubmenu(std::string text, std::shared_ptr<const PixelImage> icon) {
    auto item = std::make_unique<UIMenuItem>();
    item->text_ = std::move(text);
    item->icon_ = std::move(icon);
    item->submenu_ = new UIMenu(this);
    return append(std::move(item))->submenu_;
}

void UIMenu::clear() {
    closeSubmenu();
    for (auto& item : items_) {
        delete item->submenu_;
    }
    items_.clear();
    hovered_ = -1;
    itemsChanged();
}

UIMenuItem* UIMenu::item(std::size_t index) const {
    return index < items_.size() ? items_[index].get() : nullptr;
}

std::int32_t UIMenu::indexOf(const UIMenuItem* item) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() == item) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

void UIMenu::setItemText(UIMenuItem* item, std::string text) {
    if (indexOf(item) >= 0) {
        item->text_ = std::move(text);
        itemsChanged();
    }
}

void UIMenu::setItemIcon(UIMenuItem* item, std::shared_ptr<const PixelImage> icon) {
    if (indexOf(item) >= 0) {
        item->icon_ = std::move(icon);
        itemsChanged();
    }
}

void UIMenu::setItemEnabled(UIMenuItem* item, bool enabled) {
    const std::int32_t index = indexOf(item);
    if (index < 0 || item->enabled_ == enabled) {
        return;
    }
    item->enabled_ = enabled;
    if (!enabled && index == hovered_ && openSubmenu_ != nullptr) {
        closeSubmenu();
    }
    update();
}

void UIMenu::setItemCheckable(UIMenuItem* item, bool checkable) {
    if (indexOf(item) >= 0) {
        item->checkable_ = checkable;
        item->checked_ = item->checked_ && checkable;
        itemsChanged();
    }
}

void UIMenu::setItemChecked(UIMenuItem* item, bool checked) {
    const std::int32_t index = indexOf(item);
    if (index < 0) {
        return;
    }
    item->checkable_ = true;
    item->checked_ = checked;
    if (checked && item->radio_) {
        // The group is the run of radio items around this one, up to a separator.
        for (std::int32_t i = index - 1; i >= 0 && !items_[i]->separator_; --i) {
            items_[i]->checked_ = items_[i]->checked_ && !items_[i]->radio_;
        }
        for (std::size_t i = static_cast<std::size_t>(index) + 1;
             i < items_.size() && !items_[i]->separator_; ++i) {
            items_[i]->checked_ = items_[i]->checked_ && !items_[i]->radio_;
        }
    }
    itemsChanged();
}

void UIMenu::setItemRadio(UIMenuItem* item, bool radio) {
    if (indexOf(item) >= 0) {
        item->radio_ = radio;
        item->checkable_ = item->checkable_ || radio;
        itemsChanged();
    }
}

void UIMenu::itemsChanged() {
    if (isVisible()) {
        const Size s = sizeHint();
        setSize(s.width, s.height);
    }
    update();
}

// --- opening, closing, the chain ---

void UIMenu::popup(Point screenPosition, UIElement* owner) {
    UIToolkit* tk = UIToolkit::instance();
    if (tk == nullptr || items_.empty() || isDead()) {
        return;
    }
    closeSubmenu();
    owner_ = owner != nullptr ? owner : parent();
    hovered_ = -1;
    const PopupAnchor kind = dropsDownFrom(owner_) ? PopupAnchor::Below : PopupAnchor::Point;
    const Rect r = placePopup(sizeHint(), screenPosition, screenRectOf(owner_), kind,
                              workAreaAt(screenPosition), style_.desktopPadding);
    if (parentMenu_ == nullptr) {
        tk->setPopup(this, owner_);
    }
    setGeometry(r);
    setVisible(true);
    update();
}

void UIMenu::popupAt(Point screenPosition) {
    popup(screenPosition, parent());
}

void UIMenu::dropDownAt(Point screenPosition) {
    UIElement* owner = parent();
    if (UIToolkit* tk = UIToolkit::instance()) {
        for (UIElement* asker : {tk->mouseGrabber(), tk->focusElement()}) {
            const Rect r = screenRectOf(asker);
            if (asker != nullptr && Point{r.x, r.bottom()} == screenPosition) {
                owner = asker;
                break;
            }
        }
    }
    popup(screenPosition, owner);
}

void UIMenu::dismiss() {
    rootMenu()->setVisible(false);
}

void UIMenu::setVisible(bool visible) {
    if (visible || !isVisible()) {
        UIWindow::setVisible(visible);
        return;
    }
    UIToolkit* tk = UIToolkit::instance();
    if (tk != nullptr && tk->popup() == this) {
        // The toolkit forgets the open popup and hides it through here again.
        tk->closePopup(nullptr);
        return;
    }
    closeSubmenu();
    stopTimer(kMenuHoverTimerId);
    hovered_ = -1;
    UIWindow::setVisible(false);
    if (parentMenu_ != nullptr && parentMenu_->openSubmenu_ == this) {
        parentMenu_->openSubmenu_ = nullptr;
    }
    closed().emit();
}

UIMenu* UIMenu::activeMenu() {
    UIMenu* m = this;
    while (m->openSubmenu_ != nullptr && m->openSubmenu_->isVisible()) {
        m = m->openSubmenu_;
    }
    return m;
}

UIMenu* UIMenu::rootMenu() {
    UIMenu* m = this;
    while (m->parentMenu_ != nullptr && m->parentMenu_->openSubmenu_ == m) {
        m = m->parentMenu_;
    }
    return m;
}

void UIMenu::openSubmenuAt(std::int32_t index, bool selectFirst) {
    if (!isSelectable(index)) {
        return;
    }
    UIMenu* sub = items_[static_cast<std::size_t>(index)]->submenu_;
    if (sub == nullptr || sub->items_.empty()) {
        return;
    }
    if (openSubmenu_ != sub) {
        closeSubmenu();
        // Beside the item, its first row level with the item; to the left of this menu when
        // there is no room on the right.
        const Rect item = itemRect(static_cast<std::size_t>(index));
        const Point at{x() + width(), y() + item.y - 1 - sub->style_.padding.top};
        const Rect r = placePopup(sub->sizeHint(), at, geometry(), PopupAnchor::SideOf,
                                  workAreaAt(at), sub->style_.desktopPadding);
        sub->owner_ = this;
        sub->hovered_ = -1;
        openSubmenu_ = sub;
        sub->setGeometry(r);
        sub->setVisible(true);
    }
    if (selectFirst) {
        sub->setHoveredIndex(sub->nextSelectable(-1, 1));
    }
}

void UIMenu::closeSubmenu() {
    if (UIMenu* sub = openSubmenu_) {
        openSubmenu_ = nullptr;
        sub->setVisible(false);
    }
}

void UIMenu::setHoveredIndex(std::int32_t index) {
    if (index < -1 || index >= static_cast<std::int32_t>(items_.size())) {
        index = -1;
    }
    if (index != hovered_) {
        hovered_ = index;
        update();
    }
}

bool UIMenu::isSelectable(std::int32_t index) const {
    return index >= 0 && index < static_cast<std::int32_t>(items_.size()) &&
           !items_[static_cast<std::size_t>(index)]->separator_ &&
           items_[static_cast<std::size_t>(index)]->enabled_;
}

std::int32_t UIMenu::nextSelectable(std::int32_t from, std::int32_t step) const {
    const auto n = static_cast<std::int32_t>(items_.size());
    std::int32_t i = from;
    for (std::int32_t k = 0; k < n; ++k) {
        i += step;
        if (i < 0) {
            i = n - 1;
        } else if (i >= n) {
            i = 0;
        }
        if (isSelectable(i)) {
            return i;
        }
    }
    return -1;
}

void UIMenu::choose(std::int32_t index) {
    if (!isSelectable(index)) {
        return;
    }
    UIMenuItem* chosen = items_[static_cast<std::size_t>(index)].get();
    if (chosen->submenu_ != nullptr) {
        openSubmenuAt(index, true);
        return;
    }
    if (chosen->checkable_) {
        setItemChecked(chosen, chosen->radio_ || !chosen->checked_);
    }
    // Close first, so that a command that opens a dialog does not leave the menus standing.
    UIMenu* root = rootMenu();
    root->dismiss();
    chosen->command_.emit();
    for (UIMenu* m = this; m != nullptr; m = m->parentMenu_) {
        m->triggered_.emit(*chosen);
    }
}

// --- mouse ---

void UIMenu::mouseMoveEvent(UIEvent& e) {
    const std::int32_t index = itemAt(e.position);
    if (index < 0) {
        return;
    }
    startTimer(kMenuHoverInterval, kMenuHoverTimerId);
    setHoveredIndex(index);
    const UIMenuItem& hovered = *items_[static_cast<std::size_t>(index)];
    if (hovered.submenu_ != nullptr && isSelectable(index)) {
        openSubmenuAt(index, false);
    } else {
        closeSubmenu();
    }
}

void UIMenu::mouseReleaseEvent(UIEvent& e) {
    if ((e.button & (kLeftButton | kRightButton)) == 0 || !rect().contains(e.position)) {
        return;
    }
    const std::int32_t index = itemAt(e.position);
    if (index >= 0 && items_[static_cast<std::size_t>(index)]->submenu_ == nullptr) {
        choose(index);
    }
}

void UIMenu::timerEvent(UIEvent& e) {
    if (e.value != kMenuHoverTimerId) {
        return;
    }
    UIToolkit* tk = UIToolkit::instance();
    const bool over = tk != nullptr && tk->input().pointerWindow() == this &&
                      rect().contains(tk->input().pointerPosition());
    if (over) {
        return;
    }
    stopTimer(kMenuHoverTimerId);
    // The item whose submenu is open stays marked: the pointer went there.
    const bool leadsToSubmenu =
        hovered_ >= 0 && openSubmenu_ != nullptr &&
        items_[static_cast<std::size_t>(hovered_)]->submenu_ == openSubmenu_;
    if (!leadsToSubmenu) {
        setHoveredIndex(-1);
    }
}

// --- keyboard ---

void UIMenu::keyPressEvent(UIEvent& e) {
    // Keys reach the top-level menu of the chain; the innermost open one acts on them.
    activeMenu()->handleKey(e);
    e.accept();
}

void UIMenu::handleKey(UIEvent& e) {
    const auto n = static_cast<std::int32_t>(items_.size());
    switch (e.key) {
    case vk::kDown:
        setHoveredIndex(nextSelectable(hovered_, 1));
        break;
    case vk::kUp:
        setHoveredIndex(nextSelectable(hovered_ < 0 ? n : hovered_, -1));
        break;
    case vk::kHome:
        setHoveredIndex(nextSelectable(-1, 1));
        break;
    case vk::kEnd:
        setHoveredIndex(nextSelectable(n, -1));
        break;
    case vk::kRight:
        if (isSelectable(hovered_) && items_[static_cast<std::size_t>(hovered_)]->submenu_) {
            openSubmenuAt(hovered_, true);
        } else {
            rootMenu()->leftOrRightOut_.emit(1);
        }
        break;
    case vk::kLeft:
        if (parentMenu_ != nullptr && parentMenu_->openSubmenu_ == this) {
            parentMenu_->closeSubmenu();
        } else {
            leftOrRightOut_.emit(-1);
        }
        break;
    case vk::kReturn:
    case vk::kSpace:
        choose(hovered_);
        break;
    case vk::kEscape:
        if (parentMenu_ != nullptr && parentMenu_->openSubmenu_ == this) {
            parentMenu_->closeSubmenu();
        } else {
            dismiss();
        }
        break;
    default:
        break;
    }
}

// --- style ---

void UIMenu::setStyleProperty(const std::string& name, const std::string& value) {
    Style& s = style_;
    if (name == "background") {
        s.background = parseStyleBrush(value);
    } else if (name == "borderColor") {
        s.borderColor = parseStyleColor(value);
    } else if (name == "padding") {
        s.padding = parseStyleMargins(value);
    } else if (name == "desktopPadding") {
        s.desktopPadding = parseStyleInteger(value);
    } else if (name == "minimumWidth") {
        s.minimumWidth = parseStyleInteger(value);
    } else if (s.text.setProperty(name, value)) {
        return;
    } else if (name == "hoveredForeground") {
        s.hoveredForeground = parseStyleColor(value);
    } else if (name == "hoveredShadowForeground") {
        s.hoveredShadowForeground = parseStyleColor(value);
    } else if (name == "itemPadding") {
        s.itemPadding = parseStyleMargins(value);
    } else if (name == "itemIconSpace") {
        s.itemIconSpace = parseStyleInteger(value);
    } else if (name == "itemArrowSpace") {
        s.itemArrowSpace = parseStyleInteger(value);
    } else if (name == "isForceIconSpace") {
        s.isForceIconSpace = parseStyleInteger(value) != 0;
    }
}

void UIMenu::setSkinImage(const std::string& name, const UISkin& skin) {
    Skins& k = skins_;
    if (name == "UIMenu_ItemArrow") {
        k.itemArrow = skin;
    } else if (name == "UIMenu_ItemCheckIndicator") {
        k.itemCheckIndicator = skin;
    } else if (name == "UIMenu_ItemRadioIndicator") {
        k.itemRadioIndicator = skin;
    } else if (name == "UIMenu_ItemSeparator") {
        k.itemSeparator = skin;
    } else if (name == "UIMenu_VerticalLine") {
        k.verticalLine = skin;
    } else if (name == "UIMenu_HoveredItemBackground") {
        k.hoveredItemBackground = skin;
    }
}

// --- layout ---

std::int32_t UIMenu::iconColumn() const {
    const bool needed =
        style_.isForceIconSpace || std::any_of(items_.begin(), items_.end(), [](const auto& i) {
            return i->icon_ != nullptr || i->checkable_;
        });
    return needed ? std::max(style_.itemIconSpace, 0) : 0;
}

std::int32_t UIMenu::arrowColumn() const {
    const bool needed = std::any_of(items_.begin(), items_.end(),
                                    [](const auto& i) { return i->submenu_ != nullptr; });
    return needed ? std::max(style_.itemArrowSpace, 0) : 0;
}

std::int32_t UIMenu::rowHeight(const UIMenuItem& item) const {
    if (item.separator_) {
        const std::int32_t skinHeight =
            skins_.itemSeparator.hasImage() ? skins_.itemSeparator.frameSize().height : 1;
        return skinHeight + 2 * kSeparatorMargin;
    }
    std::int32_t icon = 0;
    if (iconColumn() > 0) {
        const UIToolkit* tk = UIToolkit::instance();
        const std::int32_t metric = tk != nullptr ? tk->metric(StyleMetric::SmallIconSize) : 0;
        icon = metric > 0 ? metric : kFallbackIconSize;
    }
    return std::max(style_.text.font.lineHeight(), icon) + style_.itemPadding.top +
           style_.itemPadding.bottom;
}

std::int32_t UIMenu::textLeft() const {
    const std::int32_t icons = iconColumn();
    return 1 + style_.padding.left + style_.itemPadding.left + icons + (icons > 0 ? kColumnGap : 0);
}

Size UIMenu::sizeHint() const {
    std::int32_t textWidth = 0;
    std::int32_t height = 2 + style_.padding.top + style_.padding.bottom;
    for (const auto& item : items_) {
        if (!item->separator_) {
            textWidth = std::max(textWidth, style_.text.font.textWidth(item->text_));
        }
        height += rowHeight(*item);
    }
    const std::int32_t width = textLeft() + textWidth + style_.itemPadding.right + arrowColumn() +
                               style_.padding.right + 1;
    return {std::max(width, style_.minimumWidth), height};
}

Rect UIMenu::itemRect(std::size_t index) const {
    std::int32_t y = 1 + style_.padding.top;
    const std::int32_t x = 1 + style_.padding.left;
    const std::int32_t w = width() - 2 - style_.padding.left - style_.padding.right;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::int32_t h = rowHeight(*items_[i]);
        if (i == index) {
            return {x, y, w, h};
        }
        y += h;
    }
    return {};
}

std::int32_t UIMenu::itemAt(Point p) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (itemRect(i).contains(p)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

// --- painting ---

void UIMenu::paintEvent(UIEvent& e) {
    if (e.canvas == nullptr) {
        return;
    }
    Canvas& c = *e.canvas;
    // A window is opaque: a transparent background would show stale pixels.
    c.fillRect(rect(), 0xFFFFFFFF);
    c.fillRect(rect(), style_.background);
    if (isVisibleColor(style_.borderColor)) {
        c.drawRect(rect(), style_.borderColor);
    }
    const std::int32_t icons = iconColumn();
    if (icons > 0) {
        const std::int32_t lineX = 1 + style_.padding.left + style_.itemPadding.left + icons + 1;
        const Rect line{lineX, 1 + style_.padding.top,
                        skins_.verticalLine.hasImage() ? skins_.verticalLine.frameSize().width : 1,
                        height() - 2 - style_.padding.top - style_.padding.bottom};
        if (skins_.verticalLine.hasImage()) {
            drawSkin(c, skins_.verticalLine, line);
        } else {
            c.fillRect(line, kFallbackLine);
        }
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (itemRect(i).intersected(e.rect).isEmpty()) {
            continue;
        }
        paintItem(c, i);
    }
}

void UIMenu::paintItem(Canvas& c, std::size_t index) {
    const UIMenuItem& item = *items_[index];
    const Rect r = itemRect(index);
    const std::int32_t left = textLeft();
    if (item.separator_) {
        const std::int32_t h = rowHeight(item) - 2 * kSeparatorMargin;
        const Rect line{left, r.y + kSeparatorMargin, r.right() - left, h};
        if (skins_.itemSeparator.hasImage()) {
            drawSkin(c, skins_.itemSeparator, line);
        } else {
            c.fillRect(line, kFallbackLine);
        }
        return;
    }
    const bool hovered = static_cast<std::int32_t>(index) == hovered_ && item.enabled_;
    if (hovered) {
        if (skins_.hoveredItemBackground.hasImage()) {
            drawSkin(c, skins_.hoveredItemBackground, r);
        } else {
            c.fillRect(r, kFallbackHoverFill);
        }
    }
    const SkinState state =
        !item.enabled_ ? SkinState::Disabled : (hovered ? SkinState::Hovered : SkinState::Normal);
    const std::int32_t icons = iconColumn();
    if (icons > 0) {
        const Rect box{r.x + style_.itemPadding.left, r.y, icons, r.height};
        const UISkin& mark = item.radio_ ? skins_.itemRadioIndicator : skins_.itemCheckIndicator;
        if (item.checked_ && mark.hasImage()) {
            drawCentred(c, mark, box, state);
        } else if (item.checked_) {
            c.fillRect({box.x + box.width / 2 - 3, box.y + box.height / 2 - 3, 6, 6},
                       item.enabled_ ? style_.text.foreground : style_.text.disabledForeground);
        } else if (item.icon_ != nullptr && !item.icon_->isNull()) {
            const std::int32_t side =
                std::min({icons, r.height - style_.itemPadding.top - style_.itemPadding.bottom,
                          item.icon_->width(), item.icon_->height()});
            const Rect target{box.x + (box.width - side) / 2, box.y + (box.height - side) / 2, side,
                              side};
            c.drawImage(*item.icon_, {0, 0, item.icon_->width(), item.icon_->height()}, target,
                        CompositeMode::SourceOver, item.enabled_ ? 255 : 110);
        }
    }
    const std::int32_t arrows = arrowColumn();
    const Rect text{left, r.y, r.right() - left - style_.itemPadding.right - arrows, r.height};
    const Color fg = !item.enabled_ ? style_.text.disabledForeground
                                    : (hovered ? style_.hoveredForeground : style_.text.foreground);
    const Color shadow =
        !item.enabled_ ? style_.text.disabledShadowForeground
                       : (hovered ? style_.hoveredShadowForeground : style_.text.shadowForeground);
    drawShadowedText(c, style_.text.font, text, item.text_, fg, shadow, style_.text.shadowOffset,
                     kAlignLeft | kAlignVCenter | kTextElideRight);
    if (item.submenu_ != nullptr && arrows > 0) {
        const Rect box{r.right() - style_.itemPadding.right - arrows, r.y, arrows, r.height};
        if (skins_.itemArrow.hasImage()) {
            drawCentred(c, skins_.itemArrow, box, state);
        } else {
            const Point mid{box.x + box.width / 2, box.y + box.height / 2};
            const Point tri[] = {
                {mid.x - 2, mid.y - 4}, {mid.x + 2, mid.y}, {mid.x - 2, mid.y + 4}};
            c.fillPolygon(tri, Brush(fg));
        }
    }
}

} // namespace scalora
