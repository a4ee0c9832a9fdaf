#include "ui/widgets/ui_message_box.h"

#include "data/translate.h"
#include "ui/core/ui_toolkit.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/style/ui_style_manager.h"
#include "ui/widgets/popup_placement.h"
#include "ui/widgets/ui_button.h"
#include "ui/widgets/ui_check_box.h"

#include <algorithm>

namespace scalora {

namespace {

// The message text has no style class of its own: it reads like the buttons.
const UIFont& textFont() {
    static const UIFont font(UIFont::defaultFamily(), 9);
    return font;
}
constexpr Color kTextColor = 0xFF202020;
// Layout metrics and the icon size when the style gives none.
constexpr std::int32_t kFallbackMargin = 12;
constexpr std::int32_t kFallbackSpacing = 6;
constexpr std::int32_t kFallbackIconSize = 32;
constexpr std::int32_t kFallbackDesktopPadding = 8;

std::int32_t metricOr(StyleMetric id, std::int32_t fallback) {
    const UIToolkit* tk = UIToolkit::instance();
    const std::int32_t value = tk != nullptr ? tk->metric(id) : 0;
    return value > 0 ? value : fallback;
}

} // namespace

UIMessageBox::UIMessageBox(UIWindow* parent, std::int32_t iconKind, std::string title,
                           std::string text, UIMessageBoxButtons buttons, std::uint32_t options)
    : UIWindow(parent, kWindowSystemMenu), text_(std::move(text)), iconKind_(iconKind),
      order_(messageBoxButtons(buttons.flags)) {
    setStyleClass("UIMessageBox");
    setTitle(std::move(title));
    // Stack objects must not be deleted by the run loop.
    setDeleteOnClose(false);
    // The box sees Enter and Escape before the button that has the focus.
    setFlag(kKeyPreview, true);
    for (UIMessageBoxButton which : order_) {
        auto* b = new UIButton(this, translate(messageBoxButtonText(which), kMessageBoxContext));
        b->clicked().connect([this, which] { finish(which); });
        b->show();
        buttons_.emplace_back(which, b);
    }
    if ((options & kMessageBoxDoNotShowAgain) != 0) {
        checkBox_ = new UICheckBox(this, translate(kDoNotShowAgainText, kMessageBoxContext));
        checkBox_->show();
    }
    layOut();
}

void UIMessageBox::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "background") {
        setBackground(parseStyleBrush(value).color());
    }
}

void UIMessageBox::setDetailText(std::string detail) {
    detail_ = std::move(detail);
    layOut();
}

UIButton* UIMessageBox::button(UIMessageBoxButton which) const {
    for (const auto& [flag, b] : buttons_) {
        if (flag == which) {
            return b;
        }
    }
    return nullptr;
}

bool UIMessageBox::isDoNotShowAgainChecked() const {
    return checkBox_ != nullptr && checkBox_->isChecked();
}

void UIMessageBox::layOut() {
    MessageBoxLayoutInput in;
    in.text = text_;
    in.detail = detail_;
    in.font = textFont();
    in.iconSize = messageBoxIconImage(iconKind_).has_value()
                      ? metricOr(StyleMetric::MessageBoxIconSize, kFallbackIconSize)
                      : 0;
    for (const auto& entry : buttons_) {
        in.buttonSizes.push_back(entry.second->sizeHint());
    }
    if (checkBox_ != nullptr) {
        in.checkBoxSize = checkBox_->sizeHint();
    }
    in.margins = {metricOr(StyleMetric::LayoutLeftMargin, kFallbackMargin),
                  metricOr(StyleMetric::LayoutTopMargin, kFallbackMargin),
                  metricOr(StyleMetric::LayoutRightMargin, kFallbackMargin),
                  metricOr(StyleMetric::LayoutBottomMargin, kFallbackMargin)};
    in.spacing = metricOr(StyleMetric::LayoutHorizontalSpacing, kFallbackSpacing);
    const UIWindow* owner = parent() != nullptr ? parent()->window() : nullptr;
    const Rect anchor = owner != nullptr ? owner->geometry() : Rect{};
    in.workArea = workAreaAt({anchor.x + anchor.width / 2, anchor.y + anchor.height / 2});
    in.desktopPadding = metricOr(StyleMetric::WindowDesktopPadding, kFallbackDesktopPadding);
    layout_ = layoutMessageBox(in);
    setSize(layout_.size.width, layout_.size.height);
}

bool UIMessageBox::isTextCut() const {
    const auto cut = [](const std::string& words, const Rect& place) {
        if (words.empty()) {
            return false;
        }
        const std::vector<std::string> lines = wrapTextLines(textFont(), words, place.width);
        const auto height = static_cast<std::int32_t>(lines.size()) * textFont().lineHeight();
        return height > place.height ||
               std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
                   return textFont().textWidth(line) > place.width;
               });
    };
    return cut(text_, layout_.text) || cut(detail_, layout_.detail);
}

void UIMessageBox::resizeEvent(UIEvent&) {
    for (std::size_t i = 0; i < buttons_.size() && i < layout_.buttons.size(); ++i) {
        buttons_[i].second->setGeometry(layout_.buttons[i]);
    }
    if (checkBox_ != nullptr) {
        checkBox_->setGeometry(layout_.checkBox);
    }
}

UIMessageBoxButton UIMessageBox::run() {
    if (finished_ || isDead()) {
        return result_;
    }
    layOut();
    // Centred on the window it belongs to, else on the work area, and inside the work area.
    const UIWindow* owner = parent() != nullptr ? parent()->window() : nullptr;
    const Rect over =
        owner != nullptr && owner->isVisible() ? owner->geometry() : workAreaAt({0, 0});
    const Point centre{over.x + over.width / 2, over.y + over.height / 2};
    const Rect placed = keepInside(
        {centre.x - width() / 2, centre.y - height() / 2, width(), height()}, workAreaAt(centre),
        metricOr(StyleMetric::WindowDesktopPadding, kFallbackDesktopPadding));
    setPosition(placed.x, placed.y);
    // The default button has the focus, so Enter takes it.
    if (UIButton* initial = button(messageBoxEnterButton(order_))) {
        initial->setFocus();
    }
    exec();
    return result_;
}

void UIMessageBox::finish(UIMessageBoxButton which) {
    if (finished_) {
        return;
    }
    finished_ = true;
    result_ = which;
    setModalResult(static_cast<int>(which));
    close();
}

void UIMessageBox::keyPressEvent(UIEvent& e) {
    if (e.key == vk::kReturn) {
        // The focused button, else the default one.
        UIMessageBoxButton which = messageBoxEnterButton(order_);
        for (const auto& [flag, b] : buttons_) {
            if (b->hasFocus()) {
                which = flag;
            }
        }
        if (which != UIMessageBoxButton::None) {
            finish(which);
        }
        e.accept();
    } else if (e.key == vk::kEscape) {
        const UIMessageBoxButton which = messageBoxEscapeButton(order_);
        if (which != UIMessageBoxButton::None) {
            finish(which);
        }
        e.accept();
    }
}

void UIMessageBox::closeEvent(UIEvent&) {
    if (!finished_) {
        finished_ = true;
        result_ = messageBoxCloseResult(order_);
        setModalResult(static_cast<int>(result_));
    }
}

void UIMessageBox::paintEvent(UIEvent& e) {
    UIWindow::paintEvent(e);
    if (e.canvas == nullptr) {
        return;
    }
    Canvas& c = *e.canvas;
    if (const auto id = messageBoxIconImage(iconKind_)) {
        if (const PixelImage* icon = UIStyleManager::instance().standardImage(*id)) {
            c.drawImage(*icon, {0, 0, icon->width(), icon->height()}, layout_.icon);
        }
    }
    c.drawText(textFont(), layout_.text, text_, kTextColor, kAlignLeft | kTextWordWrap);
    if (!detail_.empty()) {
        c.drawText(textFont(), layout_.detail, detail_, kTextColor, kAlignLeft | kTextWordWrap);
    }
}

} // namespace scalora
