#include "ui/draw/region.h"

namespace scalora {

namespace {

// Appends the parts of r not covered by cut (at most four) to out.
void appendDifference(const Rect& r, const Rect& cut, std::vector<Rect>& out) {
    const Rect overlap = r.intersected(cut);
    if (overlap.isEmpty()) {
        out.push_back(r);
        return;
    }
    if (overlap.top() > r.top()) {
        out.push_back({r.x, r.y, r.width, overlap.top() - r.top()});
    }
    if (overlap.bottom() < r.bottom()) {
        out.push_back({r.x, overlap.bottom(), r.width, r.bottom() - overlap.bottom()});
    }
    if (overlap.left() > r.left()) {
        out.push_back({r.x, overlap.y, overlap.left() - r.left(), overlap.height});
    }
    if (overlap.right() < r.right()) {
        out.push_back({overlap.right(), overlap.y, r.right() - overlap.right(), overlap.height});
    }
}

} // namespace

Region::Region(const Rect& r) {
    if (!r.isEmpty()) {
        rects_.push_back(r);
    }
}

Rect Region::boundingBox() const {
    Rect box;
    for (const Rect& r : rects_) {
        box = box.united(r);
    }
    return box;
}

bool Region::contains(Point p) const {
    for (const Rect& r : rects_) {
        if (r.contains(p)) {
            return true;
        }
    }
    return false;
}

void Region::unite(const Rect& r) {
    if (r.isEmpty()) {
        return;
    }
    // Keep only the parts of r that no existing rectangle covers, so the list stays
    // non-overlapping.
    std::vector<Rect> pieces{r};
    for (const Rect& existing : rects_) {
        std::vector<Rect> next;
        for (const Rect& piece : pieces) {
            appendDifference(piece, existing, next);
        }
        pieces.swap(next);
        if (pieces.empty()) {
            return;
        }
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::unite(const Region& other) {
    for (const Rect& r : other.rects_) {
        unite(r);
    }
}

void Region::intersect(const Rect& r) {
    std::vector<Rect> out;
    for (const Rect& existing : rects_) {
        const Rect i = existing.intersected(r);
        if (!i.isEmpty()) {
            out.push_back(i);
        }
    }
    rects_.swap(out);
}

void Region::intersect(const Region& other) {
    std::vector<Rect> out;
    for (const Rect& a : rects_) {
        for (const Rect& b : other.rects_) {
            const Rect i = a.intersected(b);
            if (!i.isEmpty()) {
                out.push_back(i);
            }
        }
    }
    rects_.swap(out);
}

void Region::subtract(const Rect& r) {
    std::vector<Rect> out;
    for (const Rect& existing : rects_) {
        appendDifference(existing, r, out);
    }
    rects_.swap(out);
}

void Region::translate(std::int32_t dx, std::int32_t dy) {
    for (Rect& r : rects_) {
        r = r.translated(dx, dy);
    }
}

std::int64_t Region::area() const {
    std::int64_t sum = 0;
    for (const Rect& r : rects_) {
        sum += static_cast<std::int64_t>(r.width) * r.height;
    }
    return sum;
}

} // namespace scalora
