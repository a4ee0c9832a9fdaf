// The column header of a table: one section per column with its title, width, width limits
// and sort indicator. A click on a section emits sectionClicked(index) (the table's owner
// sorts); dragging a section's right edge resizes the column, never below its minimum width
// (nor above a maximum other than 0), and emits sectionResized(index, width).
//
// Choices: the grip reaches 4 pixels either side of a section's right edge; the ascending and
// descending indicators mark the sorted section, and the up and down ones take their place
// while the pointer is over that section; the last visible section can stretch to fill the
// header (setStretchLastSection); hidden sections take no room.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/ui_font.h"
#include "ui/style/skin.h"

#include <string>
#include <vector>

namespace scalora {

enum class UISortOrder { None, Ascending, Descending };

struct UIHeaderSection {
    std::string title;
    std::int32_t width = 100;
    std::int32_t minimumWidth = 20;
    std::int32_t maximumWidth = 0; // 0: no limit
    UISortOrder sort = UISortOrder::None;
    bool visible = true;
};

class UIHeader : public UIElement {
public:
    // How far from a section's right edge the resize grip reaches.
    static constexpr std::int32_t kGripDistance = 4;

    explicit UIHeader(UIElement* parent);

    std::int32_t addSection(std::string title, std::int32_t width, std::int32_t minimumWidth = 20,
                            std::int32_t maximumWidth = 0);
    std::int32_t sectionCount() const { return static_cast<std::int32_t>(sections_.size()); }
    const UIHeaderSection& section(std::int32_t index) const;
    void setSectionTitle(std::int32_t index, std::string title);
    // Clamped to the section's limits.
    void setSectionWidth(std::int32_t index, std::int32_t width);
    void setSectionVisible(std::int32_t index, bool visible);
    // Marks one section sorted (every other section loses its indicator).
    void setSortIndicator(std::int32_t index, UISortOrder order);
    void setStretchLastSection(bool on);

    // Column geometry in content coordinates (the header's scroll offset not applied); the
    // width is what the section shows, stretching included.
    std::int32_t sectionPosition(std::int32_t index) const;
    std::int32_t sectionSize(std::int32_t index) const;
    std::int32_t totalWidth() const;
    // The width of the sections as set, without stretching (what a table must scroll over).
    std::int32_t naturalWidth() const;
    // A visible section is narrower than its title, which it shows shortened with an ellipsis.
    bool isTitleShortened(std::int32_t index) const;
    // The section under a header x (element coordinates), or -1.
    std::int32_t sectionAt(std::int32_t x) const;
    // The section whose right edge is within the grip distance of x, or -1.
    std::int32_t resizeCandidate(std::int32_t x) const;
    // The content x shown at the header's left edge (the table's horizontal scroll).
    void setOffset(std::int32_t offset);
    std::int32_t offset() const { return offset_; }
    // The width the stretched last section fills up to (the table's viewport width).
    void setAvailableWidth(std::int32_t width);
    Margins itemPadding() const { return style_.itemPadding; }
    const UIFont& font() const { return style_.font; }

    UISignal<std::int32_t> sectionClicked;
    UISignal<std::int32_t, std::int32_t> sectionResized;

    Size sizeHint() const override;
    std::string toolTipText(Point point) const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void mouseReleaseEvent(UIEvent& e) override;
    void mouseMoveEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;

private:
    struct Style {
        UIFont font;
        Color foreground = 0xFF404040;
        Margins padding;
        Margins itemPadding{6, 2, 6, 2};
        std::int32_t minimumHeight = 24;
        // Drawn instead of missing skins.
        Color fallbackBackground = 0xFFF7F7F7;
        Color fallbackLine = 0xFFD5D5D5;
        Color fallbackHovered = 0xFFD9EBF9;
        Color fallbackIndicator = 0xFF606060;
    };
    struct Skins {
        UISkin background, itemBackground, itemSeparator;
        UISkin sortAsc, sortDesc, sortUp, sortDown;
    };

    bool isValid(std::int32_t index) const { return index >= 0 && index < sectionCount(); }
    std::int32_t lastVisible() const;
    Rect sectionRect(std::int32_t index) const; // element coordinates
    const UISkin& indicatorFor(const UIHeaderSection& section, bool hovered) const;
    void paintSection(Canvas& canvas, std::int32_t index);
    void paintIndicator(Canvas& canvas, const UISkin& skin, UISortOrder order, const Rect& box);
    void updateCursor(std::int32_t candidate);
    std::string elidedTitle(std::int32_t index) const;

    std::vector<UIHeaderSection> sections_;
    Style style_;
    Skins skins_;
    std::int32_t offset_ = 0;
    std::int32_t available_ = 0;
    bool stretchLast_ = false;
    std::int32_t pressed_ = -1;
    std::int32_t hovered_ = -1;
    std::int32_t resizing_ = -1;
};

} // namespace scalora
