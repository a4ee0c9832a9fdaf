// A list of items shown as rows (list mode) or as a grid of cells (icon mode), with a
// selection (none, single, multiple with anchor, Shift range and Ctrl toggle) and keyboard
// navigation. Items are plain data: the list lays out and paints only the items that show, so
// a list of 100,000 items costs nothing until they scroll into view. Icons are images the
// items hold (shared, never decoded here), drawn at their own size or shrunk to fit.
//
// The list stays the size of its viewport when a UIListView shows it (see UIScrollable).
//
// Selection, keyboard and signals are those of UIItemView.
//
// Choices: Up and Down in icon mode move by a whole row of cells; Left and Right do nothing in
// list mode. The detailed text goes on a second
// line when the item is tall enough for two, otherwise after the text. The selection skin's
// first frame marks selected items while the list has the focus, its second frame otherwise;
// the focus frame goes around the current item. The blank text's shadow is moved by (1, 1).
#pragma once

#include "imaging/pixel_image.h"
#include "ui/draw/brush.h"
#include "ui/draw/ui_font.h"
#include "ui/style/skin.h"
#include "ui/widgets/ui_item_view.h"

#include <memory>
#include <string>
#include <vector>

namespace scalora {

struct UIListItem {
    std::shared_ptr<const PixelImage> icon;
    std::string text;
    std::string detailedText; // a second line in the detailed font
    std::string toolTip;
    std::int64_t data = 0; // for the application
};

class UIList : public UIItemView {
public:
    enum class ViewMode { List, Icon };

    explicit UIList(UIElement* parent);

    // --- items ---
    std::int32_t addItem(UIListItem item);
    // index is clamped to [0, count()].
    void insertItem(std::int32_t index, UIListItem item);
    bool removeItem(std::int32_t index);
    void clear();
    // Replaces every item at once (selection and current item are cleared).
    void setItems(std::vector<UIListItem> items);
    std::int32_t count() const { return static_cast<std::int32_t>(items_.size()); }
    const UIListItem& item(std::int32_t index) const;
    // The item changed (text, icon ...): it is painted again.
    void setItem(std::int32_t index, UIListItem item);

    void setViewMode(ViewMode mode);
    ViewMode viewMode() const { return mode_; }
    // Draws selected items as in a focused list even without the focus (a popup's list,
    // which never takes it).
    void setSelectionAlwaysActive(bool on);
    // The pitch of list-mode rows (item height plus spacing).
    std::int32_t rowPitch() const;

    // The list's frame for a view around it ("UIList_Background") and the fall-back colour.
    const UISkin& backgroundSkin() const { return skins_.background; }
    Color borderColor() const { return style_.borderColor; }

    // UIItemView
    std::int32_t itemCount() const override { return count(); }
    std::int32_t itemAt(Point p) const override;
    Rect itemRect(std::int32_t index) const override;
    // UIScrollable
    Size scrollContentSize(Size viewport) const override;
    Size scrollStep() const override;

    Size sizeHint() const override;
    std::string toolTipText(Point point) const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void itemsIn(const Rect& area, std::int32_t& first, std::int32_t& last) const override;
    std::int32_t navigationColumns() const override;
    bool movesSideways() const override { return mode_ == ViewMode::Icon; }
    // Paints one item into its rectangle (element coordinates); called only for items that
    // meet the painted area.
    virtual void paintItem(Canvas& canvas, std::int32_t index, const Rect& rect);

private:
    // Style values with their fall-backs: the one place a list's look is defined without a
    // style.
    struct Style {
        UIFont font{UIFont::defaultFamily(), 9};
        Color foreground = 0xFF202020;
        Brush background{Color{0xFFFFFFFF}};
        UIFont detailedFont{UIFont::defaultFamily(), 8};
        Color detailedForeground = 0xFF6E6E6E;
        Color disabledDetailedForeground = 0xFFAAAAAA;
        Color disabledForeground = 0xFF969696;
        Brush defaultItemBackground;
        Color defaultItemForeground = 0xFF202020;
        Brush selectedItemBackground{Color{0xFFCCE8FF}};
        Color selectedItemForeground = 0xFF000000;
        Brush alternateItemBackground;
        Color alternateItemForeground = 0xFF202020;
        Color gridColor = 0xFFE6E6E6;
        Color borderColor = 0xFFADB2B5;
        std::int32_t listModeItemHeight = 20;
        Margins listModeItemPadding{4, 2, 4, 2};
        std::int32_t listModeItemSpacing = 0;
        Size iconModeItemSize{96, 96};
        std::int32_t iconModeItemHorizontalSpacing = 6;
        std::int32_t iconModeItemVerticalSpacing = 6;
        Margins iconModeItemPadding{4, 4, 4, 4};
        Margins iconModePadding{6, 6, 6, 6};
        bool drawGrid = false;
        Color blankForeground = 0xFF969696;
        Color shadowBlankForeground = kTransparentColor;
        UIFont blankFont{UIFont::defaultFamily(), 10};
        std::int32_t spacingBetweenIconAndText = 6;
        std::int32_t spacingBetweenTextAndDetailedText = 2;
        Color focusFallback = 0xFF202020;
        Point blankShadowOffset{1, 1};
    };
    struct Skins {
        UISkin background;
        UISkin selection;
    };

    std::int32_t columnsFor(std::int32_t width) const;
    Rect textRect(std::int32_t index, const Rect& itemRect) const;
    void paintListItem(Canvas& canvas, std::int32_t index, const Rect& r);
    void paintIconItem(Canvas& canvas, std::int32_t index, const Rect& r);
    void paintSelection(Canvas& canvas, const Rect& r);
    Color textColor(std::int32_t index) const;

    std::vector<UIListItem> items_;
    Style style_;
    Skins skins_;
    ViewMode mode_ = ViewMode::List;
    bool selectionAlwaysActive_ = false;
};

} // namespace scalora
