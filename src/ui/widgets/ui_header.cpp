#include "ui/widgets/ui_header.h"

#include "ui/core/ui_window.h"
#include "ui/draw/canvas.h"
#include "ui/style/style_values.h"
#include "ui/widgets/widget_painting.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace scalora {

namespace {
const UIHeaderSection kNoSection{};
// Room between the title and the sort indicator.
constexpr std::int32_t kIndicatorGap = 4;
// The fall-back indicator: a triangle this wide.
constexpr std::int32_t kFallbackIndicatorWidth = 9;
} // namespace

UIHeader::UIHeader(UIElement* parent) : UIElement(parent) {
    style_.font = UIFont(UIFont::defaultFamily(), 9);
    setStyleClass("UIHeader");
    setFlag(kParentBackground, true);
    setFlag(kTracksHover, true);
    setSizePolicy(UISizePolicy::Expanding, UISizePolicy::Fixed);
}

std::int32_t UIHeader::addSection(std::string title, std::int32_t width, std::int32_t minimumWidth,
                                  std::int32_t maximumWidth) {
    UIHeaderSection s;
    s.title = std::move(title);
    s.minimumWidth = std::max(minimumWidth, 0);
    s.maximumWidth = std::max(maximumWidth, 0);
    sections_.push_back(std::move(s));
    setSectionWidth(sectionCount() - 1, width);
    update();
    return sectionCount() - 1;
}

const UIHeaderSection& UIHeader::section(std::int32_t index) const {
    return isValid(index) ? sections_[static_cast<std::size_t>(index)] : kNoSection;
}

void UIHeader::setSectionTitle(std::int32_t index, std::string title) {
    if (isValid(index)) {
        sections_[static_cast<std::size_t>(index)].title = std::move(title);
        update();
    }
}

void UIHeader::setSectionWidth(std::int32_t index, std::int32_t width) {
    if (!isValid(index)) {
        return;
    }
    UIHeaderSection& s = sections_[static_cast<std::size_t>(index)];
    width = std::max(width, s.minimumWidth);
    if (s.maximumWidth > 0) {
        width = std::min(width, std::max(s.maximumWidth, s.minimumWidth));
    }
    if (width == s.width) {
        return;
    }
    s.width = width;
    update();
    sectionResized.emit(index, width);
}

void UIHeader::setSectionVisible(std::int32_t index, bool visible) {
    if (isValid(index) && sections_[static_cast<std::size_t>(index)].visible != visible) {
        sections_[static_cast<std::size_t>(index)].visible = visible;
        update();
        sectionResized.emit(index, sectionSize(index));
    }
}

void UIHeader::setSortIndicator(std::int32_t index, UISortOrder order) {
    for (std::int32_t i = 0; i < sectionCount(); ++i) {
        sections_[static_cast<std::size_t>(i)].sort = i == index ? order : UISortOrder::None;
    }
    update();
}

void UIHeader::setStretchLastSection(bool on) {
    stretchLast_ = on;
    update();
}

void UIHeader::setOffset(std::int32_t offset) {
    if (offset != offset_) {
        offset_ = offset;
        update();
    }
}

void UIHeader::setAvailableWidth(std::int32_t width) {
    if (width != available_) {
        available_ = width;
        update();
    }
}

// --- geometry ---

std::int32_t UIHeader::lastVisible() const {
    for (std::int32_t i = sectionCount() - 1; i >= 0; --i) {
        if (sections_[static_cast<std::size_t>(i)].visible) {
            return i;
        }
    }
    return -1;
}

std::int32_t UIHeader::sectionPosition(std::int32_t index) const {
    std::int32_t x = style_.padding.left;
    for (std::int32_t i = 0; i < index && i < sectionCount(); ++i) {
        x += sectionSize(i);
    }
    return x;
}

std::int32_t UIHeader::sectionSize(std::int32_t index) const {
    if (!isValid(index) || !sections_[static_cast<std::size_t>(index)].visible) {
        return 0;
    }
    const std::int32_t w = sections_[static_cast<std::size_t>(index)].width;
    if (stretchLast_ && index == lastVisible()) {
        std::int32_t before = style_.padding.left;
        for (std::int32_t i = 0; i < index; ++i) {
            before += sectionSize(i);
        }
        return std::max(w, available_ - before - style_.padding.right);
    }
    return w;
}

std::int32_t UIHeader::totalWidth() const {
    return sectionPosition(sectionCount()) + style_.padding.right;
}

std::int32_t UIHeader::naturalWidth() const {
    std::int32_t w = style_.padding.left + style_.padding.right;
    for (const UIHeaderSection& s : sections_) {
        w += s.visible ? s.width : 0;
    }
    return w;
}

Rect UIHeader::sectionRect(std::int32_t index) const {
    return {sectionPosition(index) - offset_, style_.padding.top, sectionSize(index),
            height() - style_.padding.top - style_.padding.bottom};
}

std::int32_t UIHeader::sectionAt(std::int32_t x) const {
    for (std::int32_t i = 0; i < sectionCount(); ++i) {
        const Rect r = sectionRect(i);
        if (r.width > 0 && x >= r.x && x < r.right()) {
            return i;
        }
    }
    return -1;
}

std::int32_t UIHeader::resizeCandidate(std::int32_t x) const {
    std::int32_t best = -1;
    std::int32_t bestDistance = kGripDistance + 1;
    for (std::int32_t i = 0; i < sectionCount(); ++i) {
        const Rect r = sectionRect(i);
        if (r.width <= 0) {
            continue;
        }
        const std::int32_t distance = std::abs(x - r.right());
        // On a tie the section to the left wins: its edge is the one under the cursor.
        if (distance <= kGripDistance && distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

Size UIHeader::sizeHint() const {
    const std::int32_t h = style_.font.lineHeight() + style_.itemPadding.top +
                           style_.itemPadding.bottom + style_.padding.top + style_.padding.bottom;
    return {totalWidth(), std::max(h, style_.minimumHeight)};
}

std::string UIHeader::elidedTitle(std::int32_t index) const {
    const Rect r = sectionRect(index).shrunk(style_.itemPadding);
    return style_.font.elidedText(section(index).title, r.width);
}

bool UIHeader::isTitleShortened(std::int32_t index) const {
    return isValid(index) && section(index).visible && elidedTitle(index) != section(index).title;
}

std::string UIHeader::toolTipText(Point point) const {
    const std::int32_t index = sectionAt(point.x);
    if (index < 0) {
        return toolTip();
    }
    const std::string& title = section(index).title;
    return isTitleShortened(index) ? title : std::string();
}

// --- style ---

void UIHeader::setStyleProperty(const std::string& name, const std::string& value) {
    if (name == "font") {
        style_.font = parseStyleFont(value);
    } else if (name == "foreground") {
        style_.foreground = parseStyleColor(value);
    } else if (name == "padding") {
        style_.padding = parseStyleMargins(value);
    } else if (name == "itemPadding") {
        style_.itemPadding = parseStyleMargins(value);
    } else if (name == "minimumHeight") {
        style_.minimumHeight = std::max(0, parseStyleInteger(value));
    }
}

void UIHeader::setSkinImage(const std::string& name, const UISkin& skin) {
    const std::array<std::pair<const char*, UISkin*>, 7> slots{{
        {"UIHeader_Background", &skins_.background},
        {"UIHeader_ItemBackground", &skins_.itemBackground},
        {"UIHeader_ItemSeparator", &skins_.itemSeparator},
        {"UIHeader_SortIndicatorAsc", &skins_.sortAsc},
        {"UIHeader_SortIndicatorDesc", &skins_.sortDesc},
        {"UIHeader_SortIndicatorUp", &skins_.sortUp},
        {"UIHeader_SortIndicatorDown", &skins_.sortDown},
    }};
    for (const auto& [skinName, slot] : slots) {
        if (name == skinName) {
            *slot = skin;
        }
    }
}

// --- input ---

void UIHeader::updateCursor(std::int32_t candidate) {
    CursorId cursor = CursorId::Inherit;
    if (candidate >= 0) {
        const UIHeaderSection& s = section(candidate);
        const bool resizable = s.maximumWidth == 0 || s.maximumWidth > s.minimumWidth;
        cursor = resizable ? CursorId::SplitLeftRight : CursorId::SplitRight;
    }
    if (cursor == cursorId()) {
        return;
    }
    setCursorId(cursor);
    // The window shows a cursor change at the next move; show it now.
    if (UIWindow* w = window(); w != nullptr && w->nativeWindow() != nullptr) {
        w->nativeWindow()->setCursor(cursor == CursorId::Inherit ? CursorId::Arrow : cursor);
    }
}

void UIHeader::mousePressEvent(UIEvent& e) {
    if (e.button != kLeftButton) {
        return;
    }
    resizing_ = resizeCandidate(e.position.x);
    pressed_ = resizing_ >= 0 ? -1 : sectionAt(e.position.x);
    update();
}

void UIHeader::mouseMoveEvent(UIEvent& e) {
    if (resizing_ >= 0 && (e.button & kLeftButton) != 0) {
        setSectionWidth(resizing_, e.position.x - sectionRect(resizing_).x + 2);
        return;
    }
    if (e.button == 0) {
        updateCursor(resizeCandidate(e.position.x));
    }
    const std::int32_t over = rect().contains(e.position) ? sectionAt(e.position.x) : -1;
    if (over != hovered_) {
        hovered_ = over;
        update();
    }
}

void UIHeader::mouseReleaseEvent(UIEvent& e) {
    if (e.button != kLeftButton) {
        return;
    }
    if (resizing_ < 0 && pressed_ >= 0 && hasFlag(kHovered) && rect().contains(e.position) &&
        sectionAt(e.position.x) == pressed_) {
        sectionClicked.emit(pressed_);
    }
    resizing_ = -1;
    pressed_ = -1;
    updateCursor(resizeCandidate(e.position.x));
    update();
}

void UIHeader::leaveEvent(UIEvent&) {
    hovered_ = -1;
    if (resizing_ < 0) {
        updateCursor(-1);
    }
    update();
}

// --- painting ---

const UISkin& UIHeader::indicatorFor(const UIHeaderSection& s, bool hovered) const {
    if (s.sort == UISortOrder::Ascending) {
        return hovered && skins_.sortUp.hasImage() ? skins_.sortUp : skins_.sortAsc;
    }
    return hovered && skins_.sortDown.hasImage() ? skins_.sortDown : skins_.sortDesc;
}

void UIHeader::paintIndicator(Canvas& canvas, const UISkin& skin, UISortOrder order,
                              const Rect& box) {
    if (skin.hasImage()) {
        drawSkin(canvas, skin, box);
        return;
    }
    const std::int32_t cx = box.x + box.width / 2;
    const std::int32_t top = box.y;
    const std::int32_t bottom = box.bottom();
    const std::int32_t half = box.width / 2;
    const std::array<Point, 3> up{Point{cx - half, bottom}, Point{cx + half, bottom},
                                  Point{cx, top}};
    const std::array<Point, 3> down{Point{cx - half, top}, Point{cx + half, top},
                                    Point{cx, bottom}};
    canvas.fillPolygon(order == UISortOrder::Ascending ? up : down,
                       Brush(style_.fallbackIndicator));
}

void UIHeader::paintSection(Canvas& canvas, std::int32_t index) {
    const UIHeaderSection& s = section(index);
    const Rect r = sectionRect(index);
    const bool hovered = index == hovered_ && resizing_ < 0;
    const SkinState state = index == pressed_ && hovered ? SkinState::Pressed
                            : hovered                    ? SkinState::Hovered
                                                         : SkinState::Normal;
    if (skins_.itemBackground.hasImage()) {
        drawSkin(canvas, skins_.itemBackground, r, state);
    } else if (state != SkinState::Normal) {
        canvas.fillRect(r, style_.fallbackHovered);
    }
    Rect text = r.shrunk(style_.itemPadding);
    if (s.sort != UISortOrder::None) {
        const UISkin& skin = indicatorFor(s, hovered);
        const Size size = skin.hasImage() ? skin.frameSize() : Size{kFallbackIndicatorWidth, 5};
        if (text.width >= size.width) {
            const Rect box{text.right() - size.width, text.y + (text.height - size.height) / 2,
                           size.width, size.height};
            paintIndicator(canvas, skin, s.sort, box);
            text.width -= size.width + kIndicatorGap;
        }
    }
    canvas.drawText(style_.font, text, s.title, style_.foreground,
                    kAlignLeft | kAlignVCenter | kTextElideRight);
    if (skins_.itemSeparator.hasImage()) {
        const Size sep = skins_.itemSeparator.frameSize();
        drawSkin(canvas, skins_.itemSeparator, {r.right() - sep.width, r.y, sep.width, r.height});
    } else {
        canvas.fillRect({r.right() - 1, r.y + 3, 1, std::max(r.height - 6, 0)},
                        style_.fallbackLine);
    }
}

void UIHeader::paintEvent(UIEvent& e) {
    Canvas& canvas = *e.canvas;
    if (skins_.background.hasImage()) {
        drawSkin(canvas, skins_.background, rect());
    } else {
        canvas.fillRect(rect(), style_.fallbackBackground);
        canvas.fillRect({0, height() - 1, width(), 1}, style_.fallbackLine);
    }
    for (std::int32_t i = 0; i < sectionCount(); ++i) {
        const Rect r = sectionRect(i);
        if (r.width > 0 && !r.intersected(e.rect).isEmpty()) {
            paintSection(canvas, i);
        }
    }
}

} // namespace scalora
