#include "ui/draw/brush.h"

#include <algorithm>
#include <cmath>

namespace scalora {

Color Brush::colorAt(double t) const {
    if (!isGradient()) {
        return colors_.front();
    }
    t = std::clamp(t, 0.0, 1.0);
    const double pos = t * static_cast<double>(colors_.size() - 1);
    const std::size_t i = std::min(static_cast<std::size_t>(pos), colors_.size() - 2);
    const double f = pos - static_cast<double>(i);
    const Color a = colors_[i];
    const Color b = colors_[i + 1];
    auto mix = [f](unsigned x, unsigned y) {
        return static_cast<std::uint8_t>(std::lround(x + (static_cast<double>(y) - x) * f));
    };
    return makeColor(mix(alphaOf(a), alphaOf(b)), mix(redOf(a), redOf(b)),
                     mix(greenOf(a), greenOf(b)), mix(blueOf(a), blueOf(b)));
}

} // namespace scalora
