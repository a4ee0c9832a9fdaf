// A scrolling container: a viewport that clips one content element, a vertical and a
// horizontal scroll bar and the corner piece where they meet, laid out again on every
// resize; the wheel over the area or its content scrolls it.
//
// Content comes in two kinds. Content that implements UIScrollable (lists, tables, text
// views) stays the size of the viewport and is told the scroll offset; it paints only what
// shows. Any other element is sized to its size hint (at least the viewport) and moved under
// the viewport.
//
// Choices: bars appear only when the content does not fit (each can be forced on or off);
// the wheel scrolls three arrow steps a notch, vertically unless Shift is held or there is
// nothing to scroll vertically. Beyond "background" the area takes "borderColor", a one-pixel
// frame around it (transparent, i.e. none, by default).
#pragma once

#include "ui/core/ui_element.h"
#include "ui/draw/brush.h"

#include <string>

namespace scalora {

class UIScrollAreaPart;
class UIScrollBar;
class UIScrollable;

class UIScrollArea : public UIElement {
public:
    enum class ScrollBarPolicy { AsNeeded, AlwaysOff, AlwaysOn };

    // Views derived from the area pass their own style class.
    explicit UIScrollArea(UIElement* parent, const std::string& styleClass = "UIScrollArea");
    ~UIScrollArea() override;

    // Takes the element into the viewport (it becomes the viewport's child and is shown);
    // a previous content element is deleted.
    void setContent(UIElement* content);
    UIElement* content() const { return content_; }
    UIElement* viewport() const;
    UIScrollBar* verticalScrollBar() const { return vbar_; }
    UIScrollBar* horizontalScrollBar() const { return hbar_; }
    UIElement* corner() const;
    void setScrollBarPolicies(ScrollBarPolicy horizontal, ScrollBarPolicy vertical);

    // The content point at the viewport's top-left corner.
    Point scrollPosition() const;
    void setScrollPosition(Point position);
    void scrollBy(std::int32_t dx, std::int32_t dy);
    Size viewportSize() const;
    // Scrolls as little as possible so that the rectangle (content coordinates) shows; a
    // rectangle larger than the viewport shows its top-left part.
    void ensureVisible(const Rect& rect);
    // Content that changed its size calls this: bars and ranges follow.
    void updateScrollRange();
    // Scrolls for a wheel event; returns whether the position changed.
    bool scrollByWheel(const UIEvent& e);

    Size sizeHint() const override;
    Size minimumSizeHint() const override;
    void setStyleProperty(const std::string& name, const std::string& value) override;

protected:
    void paintEvent(UIEvent& e) override;
    void resizeEvent(UIEvent& e) override;
    void wheelEvent(UIEvent& e) override;
    // Room kept inside the frame above, below and beside the viewport and bars (a table
    // view puts its header there).
    virtual Margins reservedMargins() const { return {}; }
    // The width of the frame the view paints around everything.
    virtual Margins frameMargins() const;
    // After each layout: where the viewport went (the area's coordinates).
    virtual void viewportPlaced(const Rect& viewport) { (void)viewport; }
    // After the scroll position changed.
    virtual void scrollPositionChanged(Point position) { (void)position; }
    Color borderColor() const { return borderColor_; }

private:
    void layoutParts();
    void applyScrollPosition();
    Size contentSize(Size viewport) const;

    UIScrollAreaPart* viewport_ = nullptr;
    UIScrollAreaPart* corner_ = nullptr;
    UIScrollBar* vbar_ = nullptr;
    UIScrollBar* hbar_ = nullptr;
    UIElement* content_ = nullptr;
    UIScrollable* scrollable_ = nullptr;
    ScrollBarPolicy hpolicy_ = ScrollBarPolicy::AsNeeded;
    ScrollBarPolicy vpolicy_ = ScrollBarPolicy::AsNeeded;
    Brush background_;
    Color borderColor_ = kTransparentColor;
    bool layingOut_ = false;
};

} // namespace scalora
