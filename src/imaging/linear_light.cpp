#include "imaging/linear_light.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace scalora {

namespace {

double srgbToLinear(double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// The way back looks up a first guess in kBins equal bins of the linear range and then steps
// up past every boundary at or below the value. The narrowest interval of one sRGB byte is at
// black, 1 / (255 x 12.92) = 3.0e-4 wide, wider than a bin (1 / 4096 = 2.4e-4), so a bin holds
// at most one boundary and the step runs at most once.
constexpr int kBins = 4096;

struct Tables {
    std::array<float, 256> linear{};
    // boundary[k]: the smallest linear value that is closer to byte k + 1 than to byte k.
    std::array<float, 256> boundary{};
    std::array<std::uint8_t, kBins + 1> firstGuess{};

    Tables() {
        for (int k = 0; k < 256; ++k) {
            linear[static_cast<std::size_t>(k)] = static_cast<float>(srgbToLinear(k / 255.0));
            boundary[static_cast<std::size_t>(k)] =
                k == 255 ? 2.0f : static_cast<float>(srgbToLinear((k + 0.5) / 255.0));
        }
        int k = 0;
        for (int bin = 0; bin <= kBins; ++bin) {
            const float start = static_cast<float>(bin) / kBins;
            while (boundary[static_cast<std::size_t>(k)] <= start) {
                ++k;
            }
            // The byte at the start of the bin, less one so that the first guess is never too
            // high whatever the float rounding at the bin's edge.
            firstGuess[static_cast<std::size_t>(bin)] =
                static_cast<std::uint8_t>(std::max(0, k - 1));
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

} // namespace

float linearOfSrgb(std::uint8_t value) {
    return tables().linear[value];
}

std::uint8_t srgbOfLinear(float value) {
    const Tables& t = tables();
    // The comparison form also sends NaN to 0.
    const float v = value > 0.0f ? std::min(value, 1.0f) : 0.0f;
    std::size_t k = t.firstGuess[static_cast<std::size_t>(v * kBins)];
    while (v >= t.boundary[k]) {
        ++k;
    }
    return static_cast<std::uint8_t>(k);
}

void rowToLinear(const std::uint32_t* in, std::size_t count, AlphaKind kind, float* out) {
    const Tables& t = tables();
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
