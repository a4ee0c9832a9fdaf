// The layout engine: horizontal and vertical boxes and a simple grid that place the elements of
// a container from their size hints, minimum and maximum sizes and size policies, with
// expanders (stretch), fixed spacings, and the style's layout margins and spacings as defaults.
// The host element lays its layout out again whenever it is resized.
#pragma once

#include "base/geometry.h"
#include "ui/core/ui_element.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace scalora {

// One slot of a one-dimensional distribution: what a row, column or box item wants.
struct UILayoutSlot {
    std::int32_t hint = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0; // 0 means no limit
    std::int32_t stretch = 0; // share of spare room; >0 takes the room before any other slot
    bool expanding = false;   // takes spare room (weight 1) before Preferred slots
    bool fixed = false;       // never grows or shrinks
};

// Splits `available` pixels over the slots: every slot starts at its hint; spare room goes to
// stretch slots by weight, else to expanding ones, else to every growable one; a shortage is
// taken from the slots that can shrink, in proportion to how far they may shrink, never below
// their minimum. Sums can differ from `available` only when the limits make it impossible.
std::vector<std::int32_t> distributeLayoutSpace(std::span<const UILayoutSlot> slots,
                                                std::int32_t available);

class UILayout {
public:
    virtual ~UILayout() = default;

    // Margins around the items and gaps between them; negative values (the default) take the
    // style's layout metrics.
    void setContentsMargins(const Margins& margins) { margins_ = margins; }
    Margins contentsMargins() const;
    void setSpacing(std::int32_t spacing) { spacing_ = spacing; }

    Size sizeHint() const { return measure(false); }
    Size minimumSize() const { return measure(true); }
    // Places the items inside the rectangle (the host's coordinates).
    virtual void setGeometry(const Rect& rect) = 0;
    // Drops an element from the layout (it is being removed or destroyed); true if found.
    virtual bool removeElement(UIElement* element) = 0;

    UIElement* host() const { return host_; }
    virtual void setHost(UIElement* host) { host_ = host; }

protected:
    // The size hint, or with `minimum` the minimum size, margins included.
    virtual Size measure(bool minimum) const = 0;
    // The gap between neighbours along one axis.
    std::int32_t spacing(bool horizontal) const;

private:
    Margins margins_{-1, -1, -1, -1};
    std::int32_t spacing_ = -1;
    UIElement* host_ = nullptr;
};

// Per-axis view of an element for the engines.
UILayoutSlot elementSlot(const UIElement& element, bool horizontal);

class UIBoxLayout : public UILayout {
public:
    enum class Direction { Horizontal, Vertical };
    explicit UIBoxLayout(Direction direction) : direction_(direction) {}

    // The element should be a child of the host. stretch > 0 gives it that share of spare room.
    void addElement(UIElement* element, std::int32_t stretch = 0);
    void addLayout(std::unique_ptr<UILayout> layout, std::int32_t stretch = 0);
    // A fixed gap of `size` pixels.
    void addSpacing(std::int32_t size);
    // An expander: takes spare room with the given weight.
    void addStretch(std::int32_t stretch = 1);
    std::size_t count() const { return items_.size(); }

    void setGeometry(const Rect& rect) override;
    bool removeElement(UIElement* element) override;
    void setHost(UIElement* host) override;

protected:
    Size measure(bool minimum) const override;

private:
    struct Item {
        UIElement* element = nullptr;
        std::unique_ptr<UILayout> layout;
        std::int32_t spacing = 0;
        std::int32_t stretch = 0;
        bool isStretch = false;
    };
    bool horizontal() const { return direction_ == Direction::Horizontal; }
    bool isShown(const Item& item) const;
    UILayoutSlot slotFor(const Item& item, bool alongMain) const;

    Direction direction_;
    std::vector<Item> items_;
};

class UIHBoxLayout : public UIBoxLayout {
public:
    UIHBoxLayout() : UIBoxLayout(Direction::Horizontal) {}
};

class UIVBoxLayout : public UIBoxLayout {
public:
    UIVBoxLayout() : UIBoxLayout(Direction::Vertical) {}
};

// A grid of elements; an element may span rows and columns. Row and column sizes come from the
// elements that occupy a single cell of them.
class UIGridLayout : public UILayout {
public:
    void addElement(UIElement* element, std::int32_t row, std::int32_t column,
                    std::int32_t rowSpan = 1, std::int32_t columnSpan = 1);
    void setRowStretch(std::int32_t row, std::int32_t stretch);
    void setColumnStretch(std::int32_t column, std::int32_t stretch);
    std::int32_t rowCount() const { return rows_; }
    std::int32_t columnCount() const { return columns_; }

    void setGeometry(const Rect& rect) override;
    bool removeElement(UIElement* element) override;

protected:
    Size measure(bool minimum) const override;

private:
    struct Cell {
        UIElement* element;
        std::int32_t row, column, rowSpan, columnSpan;
    };
    std::vector<UILayoutSlot> axisSlots(bool horizontal) const;

    std::vector<Cell> cells_;
    std::vector<std::int32_t> rowStretch_;
    std::vector<std::int32_t> columnStretch_;
    std::int32_t rows_ = 0;
    std::int32_t columns_ = 0;
};

} // namespace scalora
