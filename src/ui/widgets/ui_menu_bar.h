// A row of menu titles across the top of a window. A press on a title drops its menu down
// (above the bar when there is no room below); while one is open, moving the pointer onto
// another title or pressing Left and Right in the menu switches to that title's menu. A
// press on the open title closes the menu without opening it again.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/brush.h"
#include "ui/draw/ui_font.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scalora {

class UIMenu;

class UIMenuBar : public UIElement {
public:
    explicit UIMenuBar(UIElement* parent = nullptr);

    // A new menu under a title; the bar owns it.
    UIMenu* addMenu(std::string title);
    std::size_t menuCount() const { return entries_.size(); }
    UIMenu* menu(std::size_t index) const;
    void setTitle(std::size_t index, std::string title);
    // Opens a title's menu, optionally with its first item marked (as from the keyboard).
    void openMenu(std::int32_t index, bool selectFirst = false);
    // The title whose menu is open, -1 for none.
    std::int32_t openIndex() const { return open_; }
    // The title's rectangle in bar coordinates.
    Rect titleRect(std::size_t index) const;
    std::int32_t titleAt(Point p) const;

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void mouseMoveEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void timerEvent(UIEvent& e) override;

private:
    struct Entry {
        std::string title;
        UIMenu* menu = nullptr;
    };
    void menuClosed(UIMenu* menu);
    std::int32_t indexOf(const UIMenu* menu) const;

    Brush background_{kTransparentColor};
    UIFont font_{UIFont::defaultFamily(), 9};
    Color foreground_ = 0xFF202020;
    Color hoveredForeground_ = 0xFF000000;
    Color hoveredBackground_ = 0xFFD6EAFF;
    Margins padding_{2, 1, 2, 1};
    Margins itemPadding_{8, 3, 8, 3};
    std::vector<Entry> entries_;
    std::int32_t open_ = -1;
    std::int32_t hovered_ = -1;
    // The title whose menu a press just closed: that press must not open it again.
    std::int32_t justClosed_ = -1;
};

} // namespace scalora
