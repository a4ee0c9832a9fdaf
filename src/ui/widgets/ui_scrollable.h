// What a scroll area asks of content that scrolls itself: content such as a list of 100,000
// rows stays the size of the viewport and paints only what shows at its scroll offset, instead
// of being one huge element moved under the viewport.
#pragma once

#include "base/geometry.h"

namespace scalora {

class UIScrollArea;

class UIScrollable {
public:
    // The size of everything the content could show, for a viewport of the given size.
    virtual Size scrollContentSize(Size viewport) const = 0;
    // The content point shown at the element's top-left corner.
    virtual void setScrollOffset(Point offset) = 0;
    // One arrow step across and along (a column, a row).
    virtual Size scrollStep() const = 0;

    // The area showing the content, or null.
    UIScrollArea* scrollArea() const { return area_; }

protected:
    UIScrollable() = default;
    ~UIScrollable() = default;
    UIScrollable(const UIScrollable&) = delete;
    UIScrollable& operator=(const UIScrollable&) = delete;

private:
    friend class UIScrollArea;
    UIScrollArea* area_ = nullptr;
};

} // namespace scalora
