// The popup menu: a top-level popup window without a taskbar entry that never takes the focus
// from its owner. Items carry a text, an icon, a check or radio mark, a submenu, and a command
// signal emitted when the user chooses them. While open, the menu is the toolkit's open popup
// with its owner: disabling, hiding or closing the owner closes it, and it receives the keys
// (Up, Down, Home, End, Right and Left into and out of submenus, Enter, Escape). A press
// outside it closes it; choosing an item closes the whole chain of open menus first.
#pragma once

#include "base/geometry.h"
#include "imaging/pixel_image.h"
#include "ui/core/ui_signal.h"
#include "ui/core/ui_window.h"
#include "ui/draw/brush.h"
#include "ui/style/skin.h"
#include "ui/widgets/ui_drop_down_menu.h"
#include "ui/widgets/ui_text_style.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace scalora {

class UIMenu;

// One entry of a menu. The menu owns its items; change them through the menu's setters so
// that it measures and repaints again.
class UIMenuItem {
public:
    const std::string& text() const { return text_; }
    const std::shared_ptr<const PixelImage>& icon() const { return icon_; }
    bool isSeparator() const { return separator_; }
    bool isEnabled() const { return enabled_; }
    bool isCheckable() const { return checkable_; }
    bool isChecked() const { return checked_; }
    // A radio item is checkable; checking it unchecks the radio items of its group (the run
    // of radio items between two separators).
    bool isRadio() const { return radio_; }
    UIMenu* submenu() const { return submenu_; }
    // What the application keeps with the item.
    std::int64_t data() const { return data_; }
    void setData(std::int64_t data) { data_ = data; }
    // Emitted when the user chooses the item, after the menus have closed.
    UISignal<>& command() { return command_; }

private:
    friend class UIMenu;
    std::string text_;
    std::shared_ptr<const PixelImage> icon_;
    UIMenu* submenu_ = nullptr;
    std::int64_t data_ = 0;
    bool separator_ = false;
    bool enabled_ = true;
    bool checkable_ = false;
    bool checked_ = false;
    bool radio_ = false;
    UISignal<> command_;
};

class UIMenu : public UIWindow, public UIDropDownMenu {
public:
    // The parent owns the menu (it is destroyed with it) and is the default owner when the
    // menu pops up; a context menu is usually made with its element as parent.
    explicit UIMenu(UIElement* parent = nullptr);
    ~UIMenu() override;

    // --- items ---
    UIMenuItem* addItem(std::string text, std::shared_ptr<const PixelImage> icon = nullptr);
    UIMenuItem* addSeparator();
    // A new, empty submenu (owned by this menu) behind a new item.
    UIMenu* addSubmenu(std::string text, std::shared_ptr<const PixelImage> icon = nullptr);
    void clear();
    std::size_t itemCount() const { return items_.size(); }
    UIMenuItem* item(std::size_t index) const;
    std::int32_t indexOf(const UIMenuItem* item) const;
    void setItemText(UIMenuItem* item, std::string text);
    void setItemIcon(UIMenuItem* item, std::shared_ptr<const PixelImage> icon);
    void setItemEnabled(UIMenuItem* item, bool enabled);
    void setItemCheckable(UIMenuItem* item, bool checkable);
    // Makes the item checkable when it is not yet.
    void setItemChecked(UIMenuItem* item, bool checked);
    void setItemRadio(UIMenuItem* item, bool radio);

    // --- opening and closing ---
    // Opens the menu at a screen point for an owner (null: the parent). A menu owned by a
    // menu bar, a tool bar or a button drops down from the owner and opens above it when it
    // does not fit below; any other menu opens above the point instead. The menu is then
    // kept desktopPadding pixels inside the work area of the monitor under the point.
    void popup(Point screenPosition, UIElement* owner = nullptr);
    // The context-menu entry of the element layer: popup at the point for the parent.
    void popupAt(Point screenPosition) override;
    // The entry of drop-down buttons: popup at the point for the button that asked (the one
    // that holds the mouse or the focus and ends at the point), else for the parent.
    void dropDownAt(Point screenPosition) override;
    // Closes this menu and every open menu above and below it in the chain.
    void dismiss();
    // Hiding a menu also closes its open submenu and emits closed().
    void setVisible(bool visible) override;
    bool isOpen() const { return isVisible(); }
    UIElement* owner() const { return owner_; }
    // The menu this one is open from as a submenu, or null.
    UIMenu* parentMenu() const { return parentMenu_; }
    UIMenu* openSubmenu() const { return openSubmenu_; }

    // The highlighted item (mouse or keyboard), -1 for none.
    std::int32_t hoveredIndex() const { return hovered_; }
    void setHoveredIndex(std::int32_t index);

    // closed() (of UIDropDownMenu) is emitted once each time the menu closes, whatever
    // closed it; drop-down buttons re-arm on it.
    // Emitted with every chosen item, after the item's own command signal.
    UISignal<UIMenuItem&>& triggered() { return triggered_; }
    // Left (-1) or Right (+1) on an item that has nowhere to go in a top-level menu: a menu
    // bar moves to its neighbouring menu.
    UISignal<std::int32_t>& leftOrRightOut() { return leftOrRightOut_; }

    // --- layout, for painting and tests (menu coordinates) ---
    Size sizeHint() const override;
    Rect itemRect(std::size_t index) const;
    // The item under a point, -1 for none (separators count as items here).
    std::int32_t itemAt(Point p) const;

    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void mouseMoveEvent(UIEvent& e) override;
    void mouseReleaseEvent(UIEvent& e) override;
    void keyPressEvent(UIEvent& e) override;
    void timerEvent(UIEvent& e) override;

private:
    struct Style {
        Brush background{Color{0xFFFAFAFA}};
        Color borderColor = 0xFF979797;
        Margins padding{2, 2, 2, 2};
        std::int32_t desktopPadding = 4;
        std::int32_t minimumWidth = 120;
        UITextStyle text{UIFont(UIFont::defaultFamily(), 9),
                         0xFF202020,
                         kTransparentColor,
                         Point{0, 1},
                         0xFF969696,
                         kTransparentColor};
        Color hoveredForeground = 0xFF000000;
        Color hoveredShadowForeground = kTransparentColor;
        Margins itemPadding{6, 3, 12, 3};
        std::int32_t itemIconSpace = 24;
        std::int32_t itemArrowSpace = 16;
        bool isForceIconSpace = false;
    };
    struct Skins {
        UISkin itemArrow;
        UISkin itemCheckIndicator;
        UISkin itemRadioIndicator;
        UISkin itemSeparator;
        UISkin verticalLine;
        UISkin hoveredItemBackground;
    };

    UIMenuItem* append(std::unique_ptr<UIMenuItem> item);
    void itemsChanged();
    // Column widths of the current items.
    std::int32_t iconColumn() const;
    std::int32_t arrowColumn() const;
    std::int32_t rowHeight(const UIMenuItem& item) const;
    std::int32_t textLeft() const;
    bool isSelectable(std::int32_t index) const;
    std::int32_t nextSelectable(std::int32_t from, std::int32_t step) const;
    void openSubmenuAt(std::int32_t index, bool selectFirst);
    void closeSubmenu();
    void choose(std::int32_t index);
    // The innermost open menu of the chain that starts here.
    UIMenu* activeMenu();
    UIMenu* rootMenu();
    void handleKey(UIEvent& e);
    void paintItem(Canvas& c, std::size_t index);

    Style style_;
    Skins skins_;
    std::vector<std::unique_ptr<UIMenuItem>> items_;
    UIElement* owner_ = nullptr;
    UIMenu* parentMenu_ = nullptr;
    UIMenu* openSubmenu_ = nullptr;
    std::int32_t hovered_ = -1;
    UISignal<UIMenuItem&> triggered_;
    UISignal<std::int32_t> leftOrRightOut_;
};

} // namespace scalora
