// A scroll bar: a range with a value and a page size, shown as a track with two arrow buttons
// and a thumb. The thumb can be dragged (it keeps the point where it was grabbed under the
// cursor), the arrows step by one line and the track by one page, both repeating while the
// button is held, and the wheel steps three lines a notch.
//
// valueChanged(value) is emitted on every change of the value, whatever caused it (the user or
// code), because owners such as scroll areas must follow both.
//
// Choices: the position-to-value rule works in real numbers (whole percents would make a long
// list jump by thousands of pixels) and maps onto [minimum, maximum] for any minimum; the thumb
// is hidden and the bar drawn disabled while the range is empty; holding an arrow or the track
// repeats after 300 ms, then every 50 ms.
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/brush.h"
#include "ui/style/skin.h"

#include <cstdint>

namespace scalora {

inline constexpr std::int64_t kScrollBarRepeatTimerId = 100020;

class UIScrollBar : public UIElement {
public:
    enum class Orientation { Horizontal, Vertical };
    // The parts of the bar, in the order they lie along it.
    enum class Part { None, DecreaseArrow, DecreaseTrack, Thumb, IncreaseTrack, IncreaseArrow };

    UIScrollBar(UIElement* parent, Orientation orientation);
    ~UIScrollBar() override;

    Orientation orientation() const { return orientation_; }
    bool isVertical() const { return orientation_ == Orientation::Vertical; }

    // A maximum below the minimum is taken as the minimum; the value is kept inside.
    void setRange(std::int32_t minimum, std::int32_t maximum);
    std::int32_t minimum() const { return minimum_; }
    std::int32_t maximum() const { return maximum_; }
    // The part of the range one view shows: the thumb's share of the track and the track step.
    void setPageSize(std::int32_t pageSize);
    std::int32_t pageSize() const { return pageSize_; }
    // One arrow step (at least 1).
    void setSingleStep(std::int32_t step);
    std::int32_t singleStep() const { return singleStep_; }
    // Clamped to the range.
    void setValue(std::int32_t value);
    std::int32_t value() const { return value_; }
    void setArrowsShown(bool shown);
    bool arrowsShown() const { return arrowsShown_; }

    // The bar's size across its orientation, from the style.
    std::int32_t thickness() const { return style_.thickness; }
    // Where the parts are, in the bar's coordinates.
    Rect thumbRect() const;
    Part partAt(Point p) const;
    bool isDragging() const { return dragging_; }
    // The value the rule gives for a cursor position along the bar (thumb centre at p).
    std::int32_t valueAtPosition(std::int32_t p) const;

    UISignal<std::int32_t> valueChanged;

    Size sizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;
    void setSkinImage(const std::string& name, const UISkin& skin) override;

protected:
    void paintEvent(UIEvent& e) override;
    void mousePressEvent(UIEvent& e) override;
    void mouseReleaseEvent(UIEvent& e) override;
    void mouseMoveEvent(UIEvent& e) override;
    void leaveEvent(UIEvent& e) override;
    void wheelEvent(UIEvent& e) override;
    void timerEvent(UIEvent& e) override;
    void changeEvent(UIEvent& e) override;

private:
    // Style values with their fall-backs, and the skins of one orientation's parts.
    struct Style {
        Brush background{Color{0xFFF0F0F0}};
        std::int32_t thickness = 17;
        std::int32_t thumbMinimumLength = 17;
        // Drawn instead of missing skins.
        Color fallbackThumb[4] = {0xFFCDCDCD, 0xFFA6A6A6, 0xFF606060, 0xFFE6E6E6};
        Color fallbackArrow[4] = {0xFF606060, 0xFF005499, 0xFF003C74, 0xFFBFBFBF};
    };
    struct Skins {
        UISkin track, decreaseArrowBackground, increaseArrowBackground, thumb, gripper;
        UISkin decreaseArrow, increaseArrow;
    };

    std::int32_t along(Point p) const { return isVertical() ? p.y : p.x; }
    std::int32_t length() const { return isVertical() ? height() : width(); }
    std::int32_t across() const { return isVertical() ? width() : height(); }
    std::int32_t arrowLength() const;
    bool hasThumb() const { return maximum_ > minimum_; }
    std::int32_t thumbLength() const;
    std::int32_t thumbStart() const;
    // A rectangle spanning [start, start + size) along the bar and its whole width across.
    Rect span(std::int32_t start, std::int32_t size) const;
    SkinState partState(Part part) const;
    void paintArrow(Canvas& canvas, Part part, const Rect& box) const;
    // One repeat step of the pressed arrow or track part.
    void stepPressedPart();
    void setHoveredPart(Part part);

    Orientation orientation_;
    Style style_;
    Skins skins_;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 0;
    std::int32_t value_ = 0;
    std::int32_t pageSize_ = 0;
    std::int32_t singleStep_ = 1;
    bool arrowsShown_ = true;
    bool dragging_ = false;
    std::int32_t grabOffset_ = 0;
    std::int32_t pointer_ = 0; // last cursor position along the bar while a part is held
    bool repeatStarted_ = false;
    Part pressedPart_ = Part::None;
    Part hoveredPart_ = Part::None;
};

} // namespace scalora
