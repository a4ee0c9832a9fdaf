// A clip region: a set of non-overlapping rectangles with union, intersection and a
// bounding box. Regions of a UI paint pass hold a handful of rectangles, so plain lists
// beat a banded representation here.
#pragma once

#include "base/geometry.h"

#include <vector>

namespace scalora {

class Region {
public:
    Region() = default;
    explicit Region(const Rect& r);

    bool isEmpty() const { return rects_.empty(); }
    const std::vector<Rect>& rects() const { return rects_; }
    Rect boundingBox() const;
    bool contains(Point p) const;

    void unite(const Rect& r);
    void unite(const Region& other);
    void intersect(const Rect& r);
    void intersect(const Region& other);
    void subtract(const Rect& r);
    void translate(std::int32_t dx, std::int32_t dy);

    // Area in pixels; the rectangles never overlap, so it is their sum.
    std::int64_t area() const;

private:
    std::vector<Rect> rects_;
};

} // namespace scalora
