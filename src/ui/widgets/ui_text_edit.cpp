#include "ui/widgets/ui_text_edit.h"

#include "ui/draw/canvas.h"
#include "ui/style/skin.h"
#include "ui/style/style_values.h"

#include <algorithm>

namespace scalora {

namespace {

// The frame's border, inside which the view lies.
constexpr Margins kFrame{2, 2, 2, 2};
// The preferred size in average characters and lines.
constexpr std::int32_t kHintCharacters = 40;
constexpr std::int32_t kHintLines = 6;
constexpr double kSmallestZoom = 1;

} // namespace

UITextEdit::UITextEdit(UIElement* parent) : UIElement(parent) {
    setStyleClass("UITextEdit");
    setFlag(kParentBackground, true);
    setFlag(kTracksHover, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Expanding);
    zoomedFont_ = style_.font;
    view_ = new UITextEditView(this);
    view_->setGeometry(rect().shrunk(kFrame));
    view_->show();
    fontChanged();
}

UITextEdit::~UITextEdit() = default;

void UITextEdit::setStyleProperty(const std::string& name, const std::string& value) {
    if (style_.setProperty(name, value)) {
        if (name == "font") {
            fontChanged();
        } else if (view_ != nullptr) {
            view_->update();
        }
    } else if (name == "zoomMinimum" || name == "zoomMaximum") {
        // A limit below a point would let the text vanish; a zoom chosen under the old
        // limits is brought within the new ones.
        const double limit = std::max(parseStyleFloat(value), kSmallestZoom);
        (name == "zoomMinimum" ? zoomMinimum_ : zoomMaximum_) = limit;
        if (zoom_ > 0) {
            setZoom(zoom_);
        }
    }
}

void UITextEdit::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UITextEdit_Background") {
        skin_ = std::make_unique<UISkin>(skin);
    }
}

double UITextEdit::zoom() const {
    return zoom_ > 0 ? zoom_ : normalZoom();
}

bool UITextEdit::setZoom(double points) {
    const double limited = std::clamp(points, zoomMinimum_, std::max(zoomMinimum_, zoomMaximum_));
    if (limited == zoom()) {
        return false;
    }
    zoom_ = limited;
    fontChanged();
    return true;
}

bool UITextEdit::resetZoom() {
    if (zoom() == normalZoom()) {
        return false;
    }
    zoom_ = 0;
    fontChanged();
    return true;
}

void UITextEdit::fontChanged() {
    zoomedFont_ = style_.font;
    zoomedFont_.setPointSize(zoom());
    if (view_ != nullptr) {
        view_->relayout();
        view_->update();
    }
}

Size UITextEdit::sizeHint() const {
    return {style_.font.textWidth("0") * kHintCharacters + kFrame.left + kFrame.right + 6,
            style_.font.lineHeight() * kHintLines + kFrame.top + kFrame.bottom + 4};
}

Size UITextEdit::minimumSizeHint() const {
    return {kFrame.left + kFrame.right + 20,
            style_.font.lineHeight() + kFrame.top + kFrame.bottom + 4};
}

Margins UITextEdit::contentsMargins() const {
    return kFrame;
}

void UITextEdit::paintEvent(UIEvent& e) {
    drawTextFrame(*e.canvas, skin_.get(), *this, view_->hasFocus());
}

void UITextEdit::resizeEvent(UIEvent&) {
    view_->setGeometry(rect().shrunk(kFrame));
}

void UITextEdit::enterEvent(UIEvent&) {
    update();
}

void UITextEdit::leaveEvent(UIEvent&) {
    update();
}

void UITextEdit::changeEvent(UIEvent&) {
    update();
}

} // namespace scalora
