// A drop-down list: the current item shown in a field with an arrow at its right, and a popup
// window holding a UIListView with every item. A press on the field, Alt+Down, F4 or Space
// opens the popup; in it the item under the pointer (or moved to with the arrow keys) is
// highlighted, a click or Enter takes it, Escape or a press outside closes it unchanged. While
// it is closed the wheel, the arrow keys, Home, End, Page Up and Page Down change the current
// item, and a typed letter jumps to the next item starting with it.
//
// currentChanged(index) is emitted whenever the current item changes, by the user or by code.
//
// Choices: the popup shows up to 10 rows below the field, or above it when the screen's work
// area has no room below; the popup owns itself as the toolkit's popup, so that the keys the
// field receives drive the open list instead of closing it; Tab or losing the focus closes it.
// The field is a read-only UILineEdit without a frame that ends a text too long for it in an
// ellipsis: the program's combo boxes are lists the user cannot type into.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/brush.h"
#include "ui/draw/ui_font.h"
#include "ui/style/skin.h"

#include <string>
#include <vector>

namespace scalora {

class UILineEdit;
class UIListView;
class UIWindow;

class UIComboBox : public UIElement {
public:
    explicit UIComboBox(UIElement* parent);
    ~UIComboBox() override;

    std::int32_t addItem(std::string text);
    void setItems(std::vector<std::string> items);
    void clear();
    std::int32_t count() const { return static_cast<std::int32_t>(items_.size()); }
    const std::string& itemText(std::int32_t index) const;

    std::int32_t currentIndex() const { return current_; }
    // -1 or an item index; others are ignored.
    void setCurrentIndex(std::int32_t index);
    const std::string& currentText() const { return itemText(current_); }

    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;
    // The popup's list (made on first use), for the program's tests and look.
    UIListView* popupView();
    UIWindow* popupWindow() const;
    void setVisibleItemCount(std::int32_t count);
    // The field showing the current item.
    UILineEdit* lineEdit() const { return field_; }

    UISignal<std::int32_t> currentChanged;

    Size sizeHint() const override;
    Size minimumSizeHint() const override;
    std::string toolTipText(Point point) const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

    // The field's look, for its text and its popup.
    struct Style {
        UIFont font{UIFont::defaultFamily(), 9};
        Color foreground = 0xFF202020;
        Color disabledForeground = 0xFF969696;
        std::int32_t minimumHeight = 23;
        std::int32_t minimumWidth = 80;
        std::int32_t maximumWidth = 0;
        std::int32_t spacing = 4;
        Margins padding{4, 2, 6, 2};
        Margins popupPadding{1, 1, 1, 1};
        Brush popupBackground{Color{0xFFFFFFFF}};
        // Drawn instead of missing skins.
        Color fallbackFace = 0xFFF4F4F4;
        Color fallbackBorder = 0xFF707070;
        Color fallbackArrow = 0xFF202020;
        Color focusFallback = 0xFF202020;
    };
    const Style& style() const { return style_; }
    // Where the text goes (the line edit's geometry).
    Rect textRect() const;

protected:
    void paintEvent(UIEvent& e) override;
    void resizeEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void wheelEvent(UIEvent& e) override;
    void keyPressEvent(UIEvent& e) override;
    void enterEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void focusInEvent(UIEvent& e) override;
    void focusOutEvent(UIEvent& e) override;
    void changeEvent(UIEvent& e) override;

private:
    class Popup;

    Size arrowSize() const;
    void itemsChanged();
    void choose(std::int32_t index);
    void moveCurrent(std::int32_t index);
    void popupPressed(UIEvent& e);
    void popupReleased(UIEvent& e);
    void popupMoved(UIEvent& e);
    void popupHidden();
    void grabPopupList();
    bool handlePopupKey(UIEvent& e);
    void jumpToLetter(const std::string& text);

    std::vector<std::string> items_;
    std::int32_t current_ = -1;
    std::int32_t visibleItems_ = 10;
    std::int32_t widestText_ = 0;
    Style style_;
    UISkin background_;
    UISkin arrow_;
    UILineEdit* field_ = nullptr;
    Popup* popup_ = nullptr;
    UIListView* popupView_ = nullptr;
    bool popupStale_ = true;
    bool destroying_ = false;
};

} // namespace scalora
