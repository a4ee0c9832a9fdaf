#include "ui/widgets/ui_tool_bar.h"

#include "ui/core/ui_layout.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/ui_menu.h"
#include "ui/widgets/ui_tool_button.h"

#include <memory>

namespace scalora {

namespace {

// The engraved line of a separator when nothing else says how it looks.
constexpr Color kSeparatorDark = 0xFFC5CAD1;
constexpr Color kSeparatorLight = 0xFFFFFFFF;
// Room the line leaves above and below it.
constexpr std::int32_t kSeparatorInset = 3;

class ToolBarSeparator : public UIElement {
public:
    ToolBarSeparator(UIElement* parent, std::int32_t thickness)
        : UIElement(parent), thickness_(thickness) {
        setStyleClass("UIToolBarSeparator");
        setFlag(kParentBackground, true);
        setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Preferred);
    }
    Size sizeHint() const override { return {thickness_, 1}; }

protected:
    void paintEvent(UIEvent& e) override {
        const std::int32_t x = width() / 2 - 1;
        const Rect line{x, kSeparatorInset, 1, height() - 2 * kSeparatorInset};
        e.canvas->fillRect(line, kSeparatorDark);
        e.canvas->fillRect(line.translated(1, 0), kSeparatorLight);
    }

private:
    std::int32_t thickness_;
};

} // namespace

UIToolBar::UIToolBar(UIElement* parent) : UIElement(parent) {
    setStyleClass("UIToolBar");
    setFlag(kParentBackground, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    auto layout = std::make_unique<UIHBoxLayout>();
    layout->setContentsMargins({0, 0, 0, 0});
    layout->setSpacing(buttonSpacing_);
    setLayout(std::move(layout));
}

UIHBoxLayout& UIToolBar::row() {
    return static_cast<UIHBoxLayout&>(*layout());
}

void UIToolBar::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "background") {
        background_ = parseStyleBrush(value);
    } else if (name == "padding") {
        padding_ = parseStyleMargins(value);
    } else if (name == "buttonSpacing") {
        buttonSpacing_ = parseStyleInteger(value);
    } else if (name == "buttonPadding") {
        buttonPadding_ = value;
    } else if (name == "intervalThickness") {
        intervalThickness_ = parseStyleInteger(value);
    }
}

void UIToolBar::setSkinImage(const std::string& name, const UISkin& skin) {
    if (name == "UIToolBar_Background") {
        backgroundSkin_ = skin;
    } else if (name == "UIToolBar_MenuIndicator") {
        menuIndicator_ = skin;
    }
}

UIToolButton* UIToolBar::add(UIToolButton* button) {
    if (!buttonPadding_.empty()) {
        button->setStyleProperty("padding", buttonPadding_);
    }
    addElement(button);
    return button;
}

UIToolButton* UIToolBar::addButton(std::string text, UIButtonIcons icons) {
    auto* button = new UIToolButton(this, std::move(text));
    button->setIcons(std::move(icons));
    return add(button);
}

UIToolButton* UIToolBar::addMenuButton(UIMenu* menu, std::string text, UIButtonIcons icons) {
    auto* button = new UIToolButton(this, std::move(text));
    button->setIcons(std::move(icons));
    if (menuIndicator_.hasImage()) {
        button->setSkinImage("UIToolButton_Arrow", menuIndicator_);
    }
    button->setMenu(menu);
    return add(button);
}

void UIToolBar::addSeparator() {
    addElement(new ToolBarSeparator(this, intervalThickness_));
}

void UIToolBar::addElement(UIElement* element, std::int32_t stretch) {
    if (element == nullptr || element == this) {
        return;
    }
    element->setParent(this);
    row().setSpacing(buttonSpacing_);
    row().addElement(element, stretch);
    element->show();
    relayout();
    update();
}

void UIToolBar::paintEvent(UIEvent& e) {
    Canvas& c = *e.canvas;
    c.fillRect(rect(), background_);
    if (backgroundSkin_.hasImage()) {
        drawSkin(c, backgroundSkin_, rect());
    }
}

} // namespace scalora
