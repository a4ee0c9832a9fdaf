// What a fill paints with: one solid colour, or a gradient through two or more colours
// spread evenly across the filled area (top to bottom unless told otherwise).
#pragma once

#include "base/geometry.h"

#include <utility>
#include <vector>

namespace scalora {

enum class GradientDirection { Vertical, Horizontal };

class Brush {
public:
    Brush() : colors_{kTransparentColor} {}
    explicit Brush(Color color) : colors_{color} {}
    explicit Brush(std::vector<Color> stops,
                   GradientDirection direction = GradientDirection::Vertical)
        : colors_(std::move(stops)), direction_(direction) {
        if (colors_.empty()) {
            colors_.push_back(kTransparentColor);
        }
    }

    bool isGradient() const { return colors_.size() >= 2; }
    // The solid colour, or the first stop of a gradient.
    Color color() const { return colors_.front(); }
    const std::vector<Color>& stops() const { return colors_; }
    GradientDirection direction() const { return direction_; }
    void setDirection(GradientDirection direction) { direction_ = direction; }

    // Straight colour at position t in [0, 1] along the gradient.
    Color colorAt(double t) const;

    friend bool operator==(const Brush&, const Brush&) = default;

private:
    std::vector<Color> colors_;
    GradientDirection direction_ = GradientDirection::Vertical;
};

} // namespace scalora
