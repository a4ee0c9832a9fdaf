#include "imaging/linear_light.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace scalora {

namespace {

double srgbToLinear(double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

linear_light_detail::Tables buildTables() {
    linear_light_detail::Tables t{};
    for (int k = 0; k < 256; ++k) {
        t.linear[static_cast<std::size_t>(k)] = static_cast<float>(srgbToLinear(k / 255.0));
        t.boundary[static_cast<std::size_t>(k)] =
            k == 255 ? 2.0f : static_cast<float>(srgbToLinear((k + 0.5) / 255.0));
    }
    int k = 0;
    for (int bin = 0; bin <= linear_light_detail::kBins; ++bin) {
        const float start = static_cast<float>(bin) / linear_light_detail::kBins;
        while (t.boundary[static_cast<std::size_t>(k)] <= start) {
            ++k;
        }
        t.firstGuess[static_cast<std::size_t>(bin)] = static_cast<std::uint8_t>(k);
    }
    return t;
}

} // namespace

const linear_light_detail::Tables linear_light_detail::kTables = buildTables();

void rowToLinear(const std::uint32_t* in, std::size_t count, AlphaKind kind, float* out) {
    const linear_light_detail::Tables& t = linear_light_detail::kTables;
    for (std::size_t x = 0; x < count; ++x, out += 4) {
        const std::uint32_t p = in[x];
        const std::uint32_t a = p >> 24;
        std::uint32_t c[3] = {p & 0xFF, p >> 8 & 0xFF, p >> 16 & 0xFF};
        if (kind == AlphaKind::None) {
            out[0] = t.linear[c[0]];
            out[1] = t.linear[c[1]];
            out[2] = t.linear[c[2]];
            out[3] = 1.0f;
            continue;
        }
        if (kind == AlphaKind::Premultiplied && a != 0 && a != 255) {
            // Back to straight sRGB first: premultiplying happened on the stored values.
            for (std::uint32_t& v : c) {
                v = std::min<std::uint32_t>(255, (v * 255 + a / 2) / a);
            }
        }
        const float alpha = static_cast<float>(a) / 255.0f;
        out[0] = t.linear[c[0]] * alpha;
        out[1] = t.linear[c[1]] * alpha;
        out[2] = t.linear[c[2]] * alpha;
        out[3] = alpha;
    }
}

} // namespace scalora
