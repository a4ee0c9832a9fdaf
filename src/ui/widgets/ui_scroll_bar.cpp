#include "ui/widgets/ui_scroll_bar.h"

#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace scalora {

namespace {
// A held arrow or track repeats after the usual keyboard-like delay, then quickly.
constexpr std::int64_t kRepeatDelayMs = 300;
constexpr std::int64_t kRepeatIntervalMs = 50;
// Lines per wheel notch (120 units), as desktops scroll.
constexpr std::int32_t kWheelLines = 3;
constexpr std::int32_t kWheelNotch = 120;
// The gripper is drawn only on a thumb this much longer than itself.
constexpr std::int32_t kGripperRoom = 6;

struct SkinName {
    const char* name;
    UIScrollBar::Orientation orientation;
    int slot;
};
constexpr std::array<SkinName, 14> kSkinNames{{
    {"UIScrollBar_HorizontalBackground", UIScrollBar::Orientation::Horizontal, 0},
    {"UIScrollBar_LeftArrowBackground", UIScrollBar::Orientation::Horizontal, 1},
    {"UIScrollBar_RightArrowBackground", UIScrollBar::Orientation::Horizontal, 2},
    {"UIScrollBar_HorizontalThumbBackground", UIScrollBar::Orientation::Horizontal, 3},
    {"UIScrollBar_HorizontalThumbGripper", UIScrollBar::Orientation::Horizontal, 4},
    {"UIScrollBar_VerticalBackground", UIScrollBar::Orientation::Vertical, 0},
    {"UIScrollBar_TopArrowBackground", UIScrollBar::Orientation::Vertical, 1},
    {"UIScrollBar_BottomArrowBackground", UIScrollBar::Orientation::Vertical, 2},
    {"UIScrollBar_VerticalThumbBackground", UIScrollBar::Orientation::Vertical, 3},
    {"UIScrollBar_VerticalThumbGripper", UIScrollBar::Orientation::Vertical, 4},
    {"UIScrollBar_ArrowLeft", UIScrollBar::Orientation::Horizontal, 5},
    {"UIScrollBar_ArrowRight", UIScrollBar::Orientation::Horizontal, 6},
    {"UIScrollBar_ArrowUp", UIScrollBar::Orientation::Vertical, 5},
    {"UIScrollBar_ArrowDown", UIScrollBar::Orientation::Vertical, 6},
}};
} // namespace

UIScrollBar::UIScrollBar(UIElement* parent, Orientation orientation)
    : UIElement(parent), orientation_(orientation) {
    setStyleClass("UIScrollBar");
    setFlag(kParentBackground, true);
    setFlag(kTracksHover, true);
    if (isVertical()) {
        setSizePolicy(UISizePolicy::Fixed, UISizePolicy::Expanding);
    } else {
        setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
    }
}

UIScrollBar::~UIScrollBar() {
    stopTimer(kScrollBarRepeatTimerId);
}

void UIScrollBar::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "background") {
        style_.background = parseStyleBrush(value);
    } else if (name == "thickness") {
        style_.thickness = std::max(1, parseStyleInteger(value));
    } else if (name == "thumbMinimumLength") {
        style_.thumbMinimumLength = std::max(1, parseStyleInteger(value));
    }
}

void UIScrollBar::setSkinImage(const std::string& name, const UISkin& skin) {
    for (const SkinName& entry : kSkinNames) {
        if (name != entry.name || entry.orientation != orientation_) {
            continue;
        }
        UISkin* slots[] = {&skins_.track,
                           &skins_.decreaseArrowBackground,
                           &skins_.increaseArrowBackground,
                           &skins_.thumb,
                           &skins_.gripper,
                           &skins_.decreaseArrow,
                           &skins_.increaseArrow};
        *slots[entry.slot] = skin;
    }
}

Size UIScrollBar::sizeHint() const {
    const std::int32_t t = style_.thickness;
    const std::int32_t minLength = 2 * t + style_.thumbMinimumLength;
    return isVertical() ? Size{t, minLength} : Size{minLength, t};
}

// --- range and value ---

void UIScrollBar::setRange(std::int32_t minimum, std::int32_t maximum) {
    maximum = std::max(maximum, minimum);
    if (minimum == minimum_ && maximum == maximum_) {
        return;
    }
    minimum_ = minimum;
    maximum_ = maximum;
    update();
    setValue(value_);
}

void UIScrollBar::setPageSize(std::int32_t pageSize) {
    pageSize = std::max(pageSize, 0);
    if (pageSize != pageSize_) {
        pageSize_ = pageSize;
        update();
    }
}

void UIScrollBar::setSingleStep(std::int32_t step) {
    singleStep_ = std::max(step, 1);
}

void UIScrollBar::setValue(std::int32_t value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value == value_) {
        return;
    }
    value_ = value;
    update();
    valueChanged.emit(value_);
}

void UIScrollBar::setArrowsShown(bool shown) {
    if (shown != arrowsShown_) {
        arrowsShown_ = shown;
        update();
    }
}

// --- geometry ---

std::int32_t UIScrollBar::arrowLength() const {
    return arrowsShown_ ? std::min(across(), length() / 2) : 0;
}

std::int32_t UIScrollBar::thumbLength() const {
    const std::int32_t track = length() - 2 * arrowLength();
    if (track <= 0) {
        return 0;
    }
    const std::int64_t range = std::int64_t{maximum_} - minimum_;
    std::int64_t t = style_.thumbMinimumLength;
    if (pageSize_ > 0) {
        t = std::max<std::int64_t>(t, track * std::int64_t{pageSize_} / (range + pageSize_));
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(t, track));
}

std::int32_t UIScrollBar::thumbStart() const {
    const std::int32_t a = arrowLength();
    const std::int32_t free = length() - 2 * a - thumbLength();
    if (!hasThumb() || free <= 0) {
        return a;
    }
    const double share = static_cast<double>(value_ - minimum_) / (maximum_ - minimum_);
    return a + static_cast<std::int32_t>(std::lround(free * share));
}

Rect UIScrollBar::span(std::int32_t start, std::int32_t size) const {
    return isVertical() ? Rect{0, start, width(), size} : Rect{start, 0, size, height()};
}

Rect UIScrollBar::thumbRect() const {
    if (!hasThumb()) {
        return {};
    }
    return span(thumbStart(), thumbLength());
}

UIScrollBar::Part UIScrollBar::partAt(Point p) const {
    if (!rect().contains(p)) {
        return Part::None;
    }
    const std::int32_t pos = along(p);
    const std::int32_t a = arrowLength();
    if (pos < a) {
        return Part::DecreaseArrow;
    }
    if (pos >= length() - a) {
        return Part::IncreaseArrow;
    }
    if (!hasThumb()) {
        return Part::None;
    }
    const std::int32_t start = thumbStart();
    if (pos < start) {
        return Part::DecreaseTrack;
    }
    return pos < start + thumbLength() ? Part::Thumb : Part::IncreaseTrack;
}

std::int32_t UIScrollBar::valueAtPosition(std::int32_t p) const {
    const std::int32_t a = arrowLength();
    const std::int32_t t = thumbLength();
    const std::int32_t free = length() - 2 * a - t;
    if (free <= 0) {
        return minimum_;
    }
    const double fraction = (p - a - t / 2.0) * 100.0 / free;
    const double value = minimum_ + (static_cast<double>(maximum_) - minimum_) * fraction / 100.0;
    const double clamped =
        std::clamp(value, static_cast<double>(minimum_), static_cast<double>(maximum_));
    return static_cast<std::int32_t>(std::lround(clamped));
}

// --- input ---

void UIScrollBar::mousePressEvent(UIEvent& e) {
    if (e.button != kLeftButton) {
        return;
    }
    const Part part = partAt(e.position);
    pointer_ = along(e.position);
    if (part == Part::Thumb) {
        dragging_ = true;
        grabOffset_ = pointer_ - thumbLength() / 2 - thumbStart();
        pressedPart_ = part;
        update();
        return;
    }
    if (part == Part::None) {
        return;
    }
    pressedPart_ = part;
    repeatStarted_ = false;
    stepPressedPart();
    startTimer(kRepeatDelayMs, kScrollBarRepeatTimerId);
    update();
}

void UIScrollBar::mouseMoveEvent(UIEvent& e) {
    pointer_ = along(e.position);
    if (dragging_) {
        setValue(valueAtPosition(pointer_ - grabOffset_));
        return;
    }
    if (pressedPart_ == Part::None) {
        setHoveredPart(partAt(e.position));
    }
}

void UIScrollBar::mouseReleaseEvent(UIEvent& e) {
    if (e.button != kLeftButton) {
        return;
    }
    dragging_ = false;
    pressedPart_ = Part::None;
    stopTimer(kScrollBarRepeatTimerId);
    setHoveredPart(partAt(e.position));
    update();
}

void UIScrollBar::leaveEvent(UIEvent&) {
    setHoveredPart(Part::None);
}

void UIScrollBar::wheelEvent(UIEvent& e) {
    const std::int32_t before = value_;
    setValue(value_ - e.delta * kWheelLines * singleStep_ / kWheelNotch);
    if (value_ != before) {
        e.accept();
    }
}

void UIScrollBar::timerEvent(UIEvent& e) {
    if (e.value != kScrollBarRepeatTimerId) {
        return;
    }
    if (!repeatStarted_) {
        // After the delay the repeat runs at its own pace.
        repeatStarted_ = true;
        stopTimer(kScrollBarRepeatTimerId);
        startTimer(kRepeatIntervalMs, kScrollBarRepeatTimerId);
    }
    stepPressedPart();
}

void UIScrollBar::changeEvent(UIEvent& e) {
    if (e.type == UIEventType::EnabledChange && !isEnabled()) {
        dragging_ = false;
        pressedPart_ = Part::None;
        stopTimer(kScrollBarRepeatTimerId);
    }
}

void UIScrollBar::stepPressedPart() {
    const std::int32_t page = std::max(pageSize_, singleStep_);
    const std::int32_t start = thumbStart();
    switch (pressedPart_) {
    case Part::DecreaseArrow:
        if (pointer_ < arrowLength()) {
            setValue(value_ - singleStep_);
        }
        return;
    case Part::IncreaseArrow:
        if (pointer_ >= length() - arrowLength()) {
            setValue(value_ + singleStep_);
        }
        return;
    case Part::DecreaseTrack:
        // Stop once the thumb has come under the cursor.
        if (pointer_ < start) {
            setValue(value_ - page);
            return;
        }
        break;
    case Part::IncreaseTrack:
        if (pointer_ >= start + thumbLength()) {
            setValue(value_ + page);
            return;
        }
        break;
    default:
        return;
    }
    stopTimer(kScrollBarRepeatTimerId);
}

void UIScrollBar::setHoveredPart(Part part) {
    if (part != hoveredPart_) {
        hoveredPart_ = part;
        update();
    }
}

// --- painting ---

SkinState UIScrollBar::partState(Part part) const {
    if (!isEnabled() || !hasThumb()) {
        return SkinState::Disabled;
    }
    if (part == pressedPart_) {
        return SkinState::Pressed;
    }
    if (part == hoveredPart_ && pressedPart_ == Part::None) {
        return SkinState::Hovered;
    }
    return SkinState::Normal;
}

void UIScrollBar::paintArrow(Canvas& canvas, Part part, const Rect& box) const {
    const bool decrease = part == Part::DecreaseArrow;
    const SkinState state = partState(part);
    drawSkin(canvas, decrease ? skins_.decreaseArrowBackground : skins_.increaseArrowBackground,
             box, state);
    const UISkin& glyph = decrease ? skins_.decreaseArrow : skins_.increaseArrow;
    if (glyph.hasImage()) {
        const Size s = glyph.frameSize();
        drawSkin(canvas, glyph,
                 {box.x + (box.width - s.width) / 2, box.y + (box.height - s.height) / 2, s.width,
                  s.height},
                 state);
        return;
    }
    // A small triangle pointing along the bar.
    const std::int32_t r = std::max(2, std::min(box.width, box.height) / 4);
    const std::int32_t cx = box.x + box.width / 2;
    const std::int32_t cy = box.y + box.height / 2;
    const std::int32_t d = decrease ? -1 : 1;
    std::array<Point, 3> points;
    if (isVertical()) {
        points = {Point{cx - r, cy - d * r / 2}, Point{cx + r, cy - d * r / 2},
                  Point{cx, cy + d * r / 2}};
    } else {
        points = {Point{cx - d * r / 2, cy - r}, Point{cx - d * r / 2, cy + r},
                  Point{cx + d * r / 2, cy}};
    }
    canvas.fillPolygon(points, Brush(style_.fallbackArrow[static_cast<int>(state) % 4]));
}

void UIScrollBar::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    canvas.fillRect(rect(), style_.background);
    const std::int32_t a = arrowLength();
    drawSkin(canvas, skins_.track, span(a, length() - 2 * a));
    if (a > 0) {
        paintArrow(canvas, Part::DecreaseArrow, span(0, a));
        paintArrow(canvas, Part::IncreaseArrow, span(length() - a, a));
    }
    const Rect thumb = thumbRect();
    if (thumb.isEmpty()) {
        return;
    }
    const SkinState state = partState(Part::Thumb);
    if (skins_.thumb.hasImage()) {
        drawSkin(canvas, skins_.thumb, thumb, state);
    } else {
        const std::int32_t inset = std::max(1, across() / 5);
        canvas.fillRect(isVertical() ? thumb.shrunk({inset, 1, inset, 1})
                                     : thumb.shrunk({1, inset, 1, inset}),
                        style_.fallbackThumb[static_cast<int>(state) % 4]);
    }
    if (skins_.gripper.hasImage()) {
        const Size g = skins_.gripper.frameSize();
        const std::int32_t room = isVertical() ? thumb.height - g.height : thumb.width - g.width;
        if (room >= kGripperRoom) {
            drawSkin(canvas, skins_.gripper,
                     {thumb.x + (thumb.width - g.width) / 2,
                      thumb.y + (thumb.height - g.height) / 2, g.width, g.height});
        }
    }
}

} // namespace scalora
