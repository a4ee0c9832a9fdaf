#include "ui/widgets/ui_status_bar.h"

#include "ui/core/ui_layout.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_size_grip.h"
#include "ui/widgets/widget_updates.h"

#include <algorithm>

namespace scalora {

namespace {
// A status bar when the style gives nothing: light grey with a rule along its top.
constexpr std::int32_t kFallbackMinimumHeight = 22;
constexpr Color kFallbackFace = 0xFFF0F0F0;
constexpr Color kFallbackRule = 0xFFD7D7D7;
// The row's margins: text clear of the left edge and the top rule, the grip in the corner.
constexpr Margins kRowMargins{6, 1, 0, 0};
constexpr std::int32_t kRowSpacing = 6;
} // namespace

UIStatusBar::UIStatusBar(UIElement* parent)
    : UIElement(parent), minimumHeight_(kFallbackMinimumHeight) {
    setStyleClass("UIStatusBar");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    rebuildLayout();
}

void UIStatusBar::addElement(UIElement* element, std::int32_t stretch) {
    if (element == nullptr || element->parent() != this) {
        return;
    }
    entries_.push_back({element, stretch});
    rebuildLayout();
}

void UIStatusBar::setSizeGripVisible(bool visible) {
    if (visible && grip_ == nullptr) {
        grip_ = new UISizeGrip(this);
        grip_->show();
    } else if (!visible && grip_ != nullptr) {
        delete grip_;
        grip_ = nullptr;
    }
    rebuildLayout();
}

void UIStatusBar::rebuildLayout() {
    // Entries whose element has gone are dropped.
    std::erase_if(entries_, [this](const Entry& entry) {
        return std::find(children().begin(), children().end(), entry.element) == children().end();
    });
    auto row = std::make_unique<UIHBoxLayout>();
    row->setContentsMargins(kRowMargins);
    row->setSpacing(kRowSpacing);
    for (const Entry& entry : entries_) {
        row->addElement(entry.element, entry.stretch);
    }
    row->addStretch();
    if (grip_ != nullptr) {
        row->addElement(grip_);
    }
    setLayout(std::move(row));
    sizeHintChanged(*this);
}

Size UIStatusBar::sizeHint() const {
    const Size row = UIElement::sizeHint();
    return {row.width, std::max(row.height, minimumHeight_)};
}

void UIStatusBar::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "minimumHeight") {
        minimumHeight_ = parseStyleInteger(value);
    }
}

void UIStatusBar::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UIStatusBar_Background") {
        skin_ = skin;
    }
}

void UIStatusBar::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    if (skin_.hasImage()) {
        drawSkin(canvas, skin_, rect(), isEnabled() ? SkinState::Normal : SkinState::Disabled);
        return;
    }
    canvas.fillRect(rect(), kFallbackFace);
    canvas.fillRect({0, 0, width(), 1}, kFallbackRule);
}

} // namespace scalora
