// Index: the popup window; items and current item; popup; style;
// input; painting.
#include "ui/widgets/ui_combo_box.h"

#include "ui/core/ui_toolkit.h"
#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_line_edit.h"
#include "ui/widgets/ui_list.h"
#include "ui/widgets/ui_list_view.h"
#include "ui/widgets/ui_scroll_bar.h"
#include "ui/widgets/widget_painting.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace scalora {

namespace {

constexpr std::int32_t kWheelNotch = 120;
constexpr std::int32_t kF4 = vk::kF1 + 3;
const std::string kNoText;

} // namespace

// The popup: a borderless window that never takes the focus, filled with the combo box's
// popupBackground, holding the list view inset by popupPadding.
class UIComboBox::Popup : public UIWindow {
public:
    explicit Popup(UIComboBox* owner)
        : UIWindow(owner, kWindowPopup | kWindowTopmost), owner_(owner) {
        setStyleClass("UIComboBoxPopup");
        view_ = new UIListView(this);
        view_->list()->setSelectionMode(UISelectionMode::Single);
        view_->list()->setFocusPolicy(kNoFocus);
        view_->list()->setSelectionAlwaysActive(true);
        view_->setScrollBarPolicies(UIScrollArea::ScrollBarPolicy::AlwaysOff,
                                    UIScrollArea::ScrollBarPolicy::AsNeeded);
        view_->show();
    }
    UIListView* view() const { return view_; }

protected:
    void paintEvent(UIEvent& e) override {
        e.canvas->fillRect(rect(), owner_->style_.popupBackground);
    }
    void resizeEvent(UIEvent&) override {
        view_->setGeometry(rect().shrunk(owner_->style_.popupPadding));
    }

private:
    UIComboBox* owner_;
    UIListView* view_;
};

UIComboBox::UIComboBox(UIElement* parent) : UIElement(parent) {
    // The field shows the current item; the combo box keeps the focus and takes every press.
    // Its look follows the combo box's own properties, so its class has no model of its own.
    field_ = new UILineEdit(this);
    field_->setStyleClass("UIComboBoxLineEdit");
    field_->setFrame(false);
    field_->setElided(true);
    field_->setReadOnly(true);
    field_->setFocusPolicy(kNoFocus);
    field_->setFlag(kMouseTransparent, true);
    field_->setOption(kAcceptsDrops, false);
    field_->setStyleProperty("readonlyBackground", "transparent");
    field_->setStyleProperty("disabledBackground", "transparent");
    field_->show();
    setStyleClass("UIComboBox");
    setFlag(kParentBackground, true);
    setFlag(kTracksHover, true);
    setFocusPolicy(kStrongFocus);
    setSizePolicy(UISizePolicy::Preferred, UISizePolicy::Fixed);
}

UIComboBox::~UIComboBox() {
    destroying_ = true;
    delete popup_;
}

// --- items and current item ---

std::int32_t UIComboBox::addItem(std::string text) {
    items_.push_back(std::move(text));
    itemsChanged();
    return count() - 1;
}

void UIComboBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    itemsChanged();
    if (current_ >= count()) {
        setCurrentIndex(-1);
    }
}

void UIComboBox::clear() {
    setItems({});
}

void UIComboBox::itemsChanged() {
    widestText_ = 0;
    for (const std::string& text : items_) {
        widestText_ = std::max(widestText_, style_.font.textWidth(text));
    }
    popupStale_ = true;
    field_->setText(currentText());
    hidePopup();
    update();
}

const std::string& UIComboBox::itemText(std::int32_t index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : kNoText;
}

void UIComboBox::setCurrentIndex(std::int32_t index) {
    if (index < -1 || index >= count() || index == current_) {
        return;
    }
    current_ = index;
    field_->setText(currentText());
    update();
    currentChanged.emit(current_);
}

void UIComboBox::moveCurrent(std::int32_t index) {
    if (count() > 0) {
        setCurrentIndex(std::clamp(index, 0, count() - 1));
    }
}

void UIComboBox::setVisibleItemCount(std::int32_t n) {
    visibleItems_ = std::max(n, 1);
}

// --- popup ---

UIListView* UIComboBox::popupView() {
    if (popup_ == nullptr) {
        popup_ = new Popup(this);
        popupView_ = popup_->view();
        UIList* list = popupView_->list();
        list->signal(UIEventType::MousePress).connect([this](UIEvent& e) { popupPressed(e); });
        list->signal(UIEventType::MouseRelease).connect([this](UIEvent& e) { popupReleased(e); });
        list->signal(UIEventType::MouseMove).connect([this](UIEvent& e) { popupMoved(e); });
        popupView_->verticalScrollBar()
            ->signal(UIEventType::MouseRelease)
            .connect([this](UIEvent&) { grabPopupList(); });
        popup_->signal(UIEventType::Hide).connect([this](UIEvent&) { popupHidden(); });
    }
    return popupView_;
}

UIWindow* UIComboBox::popupWindow() const {
    return popup_;
}

bool UIComboBox::isPopupVisible() const {
    return popup_ != nullptr && popup_->isVisible();
}

void UIComboBox::showPopup() {
    UIToolkit* tk = UIToolkit::instance();
    UIWindow* host = window();
    if (tk == nullptr || host == nullptr || count() == 0 || isPopupVisible() || !isEnabled()) {
        return;
    }
    UIListView* view = popupView();
    UIList* list = view->list();
    if (popupStale_) {
        std::vector<UIListItem> rows(items_.size());
        for (std::size_t i = 0; i < items_.size(); ++i) {
            rows[i].text = items_[i];
        }
        list->setItems(std::move(rows));
        popupStale_ = false;
    }
    const Margins pad = style_.popupPadding;
    const Margins frame{1, 1, 1, 1}; // the list's frame: one pixel in the default look
    const std::int32_t rows = std::min(count(), visibleItems_);
    const std::int32_t h =
        rows * list->rowPitch() + pad.top + pad.bottom + frame.top + frame.bottom;
    const Point origin = mapToWindow({0, 0});
    Point at{host->x() + origin.x, host->y() + origin.y + height()};
    for (const UIDisplayInfo& d : tk->windowSystem().displays()) {
        const Rect work = d.workArea;
        if (work.contains({at.x, at.y - 1}) && at.y + h > work.bottom() &&
            at.y - height() - h >= work.y) {
            at.y = at.y - height() - h;
        }
    }
    popup_->setGeometry({at.x, at.y, width(), h});
    view->updateScrollRange();
    list->setCurrentItem(current_);
    tk->setPopup(popup_, popup_);
    popup_->show();
    setFlag(kPressed, false);
    grabPopupList();
    update();
}

void UIComboBox::hidePopup() {
    if (!isPopupVisible()) {
        return;
    }
    UIToolkit* tk = UIToolkit::instance();
    if (tk != nullptr && tk->popup() == popup_) {
        tk->closePopup(popup_);
    } else {
        popup_->hide();
    }
}

void UIComboBox::popupHidden() {
    if (destroying_) {
        return;
    }
    UIToolkit* tk = UIToolkit::instance();
    if (tk != nullptr && popup_ != nullptr && tk->mouseGrabber() != nullptr &&
        (tk->mouseGrabber() == popup_ || popup_->isAncestorOf(tk->mouseGrabber()))) {
        tk->releaseMouseGrab();
    }
    update();
}

void UIComboBox::grabPopupList() {
    // Every press goes to the open list, so that one outside it can close it.
    UIToolkit* tk = UIToolkit::instance();
    if (tk != nullptr && isPopupVisible()) {
        tk->setMouseGrabber(popupView_->list());
    }
}

void UIComboBox::choose(std::int32_t index) {
    hidePopup();
    if (index >= 0) {
        setCurrentIndex(index);
    }
}

void UIComboBox::popupPressed(UIEvent& e) {
    UIList* list = popupView_->list();
    const Point inPopup = list->mapToAncestor(popup_, e.position);
    if (!popup_->rect().contains(inPopup)) {
        hidePopup();
        return;
    }
    UIScrollBar* bar = popupView_->verticalScrollBar();
    const Point onBar = bar->mapFromAncestor(popup_, inPopup);
    if (bar->isVisible() && bar->rect().contains(onBar)) {
        UIEvent forwarded = e;
        forwarded.position = onBar;
        bar->sendEvent(forwarded);
    }
}

void UIComboBox::popupReleased(UIEvent& e) {
    UIList* list = popupView_->list();
    const std::int32_t index = list->itemAt(e.position);
    if (e.button == kLeftButton && index >= 0) {
        choose(index);
        return;
    }
    grabPopupList();
}

void UIComboBox::popupMoved(UIEvent& e) {
    UIList* list = popupView_->list();
    const std::int32_t index = list->itemAt(e.position);
    if (index >= 0 && index != list->currentItem()) {
        list->setCurrentItem(index);
    }
}

// --- style ---

void UIComboBox::setStyleProperty(const std::string& name, const std::string& value) {
    Style& s = style_;
    if (name == "font") {
        s.font = parseStyleFont(value);
        field_->setStyleProperty("font", value);
    } else if (name == "foreground") {
        s.foreground = parseStyleColor(value);
        field_->setStyleProperty("readonlyForeground", value);
    } else if (name == "disabledForeground") {
        s.disabledForeground = parseStyleColor(value);
        field_->setStyleProperty("disabledForeground", value);
    } else if (name == "minimumHeight") {
        s.minimumHeight = std::max(0, parseStyleInteger(value));
    } else if (name == "minimumWidth") {
        s.minimumWidth = std::max(0, parseStyleInteger(value));
    } else if (name == "maximumWidth") {
        s.maximumWidth = std::max(0, parseStyleInteger(value));
    } else if (name == "spacing") {
        s.spacing = std::max(0, parseStyleInteger(value));
    } else if (name == "padding") {
        s.padding = parseStyleMargins(value);
    } else if (name == "popupPadding") {
        s.popupPadding = parseStyleMargins(value);
    } else if (name == "popupBackground") {
        s.popupBackground = parseStyleBrush(value);
    }
}

void UIComboBox::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UIComboBox_Background") {
        background_ = skin;
    } else if (name == "UIComboBox_Arrow") {
        arrow_ = skin;
    }
}

Size UIComboBox::arrowSize() const {
    return arrow_.hasImage() ? arrow_.frameSize() : Size{9, 9};
}

Rect UIComboBox::textRect() const {
    const Margins& p = style_.padding;
    const std::int32_t right = width() - p.right - arrowSize().width - style_.spacing;
    return {p.left, p.top, std::max(right - p.left, 0), std::max(height() - p.top - p.bottom, 0)};
}

Size UIComboBox::sizeHint() const {
    const Margins& p = style_.padding;
    // The display keeps two pixels each side for the focus frame.
    std::int32_t w = p.left + 4 + widestText_ + style_.spacing + arrowSize().width + p.right;
    w = std::max(w, style_.minimumWidth);
    if (style_.maximumWidth > 0) {
        w = std::min(w, std::max(style_.maximumWidth, style_.minimumWidth));
    }
    const std::int32_t h =
        std::max(style_.minimumHeight, style_.font.lineHeight() + p.top + p.bottom);
    return {w, h};
}

Size UIComboBox::minimumSizeHint() const {
    return {std::max(style_.minimumWidth,
                     arrowSize().width + style_.padding.left + style_.padding.right),
            sizeHint().height};
}

std::string UIComboBox::toolTipText(Point) const {
    if (!toolTip().empty()) {
        return toolTip();
    }
    const std::string& text = currentText();
    return style_.font.textWidth(text) > textRect().width - 4 ? text : std::string();
}

// --- input ---

void UIComboBox::resizeEvent(UIEvent&) {
    field_->setGeometry(textRect());
}

void UIComboBox::mousePressEvent(UIEvent& e) {
    if (e.button != kLeftButton) {
        return;
    }
    if (isPopupVisible()) {
        hidePopup();
    } else {
        showPopup();
    }
    update();
}

void UIComboBox::wheelEvent(UIEvent& e) {
    if (isPopupVisible() || count() == 0 || e.delta == 0) {
        return;
    }
    const std::int32_t notches = std::max(1, std::abs(e.delta) / kWheelNotch);
    moveCurrent(e.delta > 0 ? current_ - notches : current_ + notches);
    e.accept();
}

bool UIComboBox::handlePopupKey(UIEvent& e) {
    UIList* list = popupView_->list();
    const bool alt = (e.modifiers & kAltModifier) != 0;
    if (e.key == vk::kEscape) {
        hidePopup();
        return true;
    }
    if (e.key == vk::kReturn || e.key == kF4 || (alt && (e.key == vk::kUp || e.key == vk::kDown))) {
        choose(list->currentItem());
        return true;
    }
    const std::int32_t last = count() - 1;
    const std::int32_t at = list->currentItem();
    switch (navigationForKey(e.key, 0)) {
    case UINavigation::Up:
        list->setCurrentItem(std::max(at - 1, 0));
        return true;
    case UINavigation::Down:
        list->setCurrentItem(std::min(at + 1, last));
        return true;
    case UINavigation::Home:
        list->setCurrentItem(0);
        return true;
    case UINavigation::End:
        list->setCurrentItem(last);
        return true;
    case UINavigation::PageUp:
        list->setCurrentItem(std::max(at - visibleItems_, 0));
        return true;
    case UINavigation::PageDown:
        list->setCurrentItem(std::min(at + visibleItems_, last));
        return true;
    default:
        return false;
    }
}

void UIComboBox::keyPressEvent(UIEvent& e) {
    if (isPopupVisible()) {
        if (handlePopupKey(e)) {
            e.accept();
        }
        return;
    }
    const bool alt = (e.modifiers & kAltModifier) != 0;
    if (e.key == kF4 || e.key == vk::kSpace || (alt && e.key == vk::kDown)) {
        showPopup();
        e.accept();
        return;
    }
    if (e.key == 0 && !e.text.empty()) {
        jumpToLetter(e.text);
        e.accept();
        return;
    }
    switch (navigationForKey(e.key, 0)) {
    case UINavigation::Up:
    case UINavigation::Left:
        moveCurrent(current_ - 1);
        break;
    case UINavigation::Down:
    case UINavigation::Right:
        moveCurrent(current_ + 1);
        break;
    case UINavigation::Home:
        moveCurrent(0);
        break;
    case UINavigation::End:
        moveCurrent(count() - 1);
        break;
    case UINavigation::PageUp:
        moveCurrent(current_ - visibleItems_);
        break;
    case UINavigation::PageDown:
        moveCurrent(current_ + visibleItems_);
        break;
    default:
        return;
    }
    e.accept();
}

void UIComboBox::jumpToLetter(const std::string& text) {
    const auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    const char wanted = lower(text.front());
    for (std::int32_t step = 1; step <= count(); ++step) {
        const std::int32_t i = (std::max(current_, 0) + step) % count();
        const std::string& item = items_[static_cast<std::size_t>(i)];
        if (!item.empty() && lower(item.front()) == wanted) {
            setCurrentIndex(i);
            return;
        }
    }
}

void UIComboBox::enterEvent(UIEvent&) {
    update();
}

void UIComboBox::leaveEvent(UIEvent&) {
    update();
}

void UIComboBox::focusInEvent(UIEvent&) {
    update();
}

void UIComboBox::focusOutEvent(UIEvent&) {
    hidePopup();
    update();
}

void UIComboBox::changeEvent(UIEvent& e) {
    if (e.type == UIEventType::EnabledChange && !isEnabled()) {
        hidePopup();
    }
    update();
}

// --- painting ---

void UIComboBox::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    const SkinState state = !isEnabled()                            ? SkinState::Disabled
                            : isPopupVisible() || hasFlag(kPressed) ? SkinState::Pressed
                            : hasFlag(kHovered)                     ? SkinState::Hovered
                                                                    : SkinState::Normal;
    if (background_.hasImage()) {
        drawSkin(canvas, background_, rect(), state);
    } else {
        canvas.fillRect(rect(), style_.fallbackFace);
        canvas.drawRect(rect(), style_.fallbackBorder);
    }
    if (hasFocus() && !isPopupVisible()) {
        drawFocusFrame(canvas, textRect(), style_.focusFallback);
    }
    const Size a = arrowSize();
    const Rect box{width() - style_.padding.right - a.width, (height() - a.height) / 2, a.width,
                   a.height};
    if (arrow_.hasImage()) {
        drawSkin(canvas, arrow_, box, state);
        return;
    }
    const std::array<Point, 3> down{Point{box.x, box.y + box.height / 4},
                                    Point{box.right(), box.y + box.height / 4},
                                    Point{box.x + box.width / 2, box.y + box.height * 3 / 4}};
    canvas.fillPolygon(down, Brush(isEnabled() ? style_.fallbackArrow : style_.disabledForeground));
}

} // namespace scalora
