// sRGB bytes to linear light and back, for the resampler. Linear values are floats in 0..1
// computed once from the exact sRGB curves (IEC 61966-2-1); the way back rounds correctly: a
// linear value gives the sRGB byte whose interval it falls in, decided against the exact
// boundaries between neighbouring bytes, not against a coarse table.
#pragma once

#include "imaging/pixel_image.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace scalora {

namespace linear_light_detail {

// The way back looks up the byte at the start of the value's bin, one of kBins equal bins of the
// linear range, and steps up once if the value lies past the boundary inside that bin. The
// narrowest interval of one sRGB byte is at black, 1 / (255 x 12.92) = 3.0e-4 wide, wider than a
// bin (1 / 4096 = 2.4e-4), so a bin holds at most one boundary. Scaling by 4096 is exact in
// float, so the bin found is exactly the one the value lies in.
inline constexpr int kBins = 4096;

struct Tables {
    std::array<float, 256> linear;
    // boundary[k]: the smallest linear value that is closer to byte k + 1 than to byte k.
    std::array<float, 256> boundary;
    std::array<std::uint8_t, kBins + 1> firstGuess; // the byte at the start of each bin
};

// Built before main() runs (nothing converts colours during static initialisation).
extern const Tables kTables;

} // namespace linear_light_detail

// The linear value of an sRGB byte.
inline float linearOfSrgb(std::uint8_t value) {
    return linear_light_detail::kTables.linear[value];
}

// The sRGB byte of a linear value (clamped to 0..1 first; NaN gives 0). Called for every channel
// of every result pixel, so it lives here to be inlined.
inline std::uint8_t srgbOfLinear(float value) {
    const linear_light_detail::Tables& t = linear_light_detail::kTables;
    // The comparison form also sends NaN to 0.
    const float v = value > 0.0f ? std::min(value, 1.0f) : 0.0f;
    const std::uint8_t k = t.firstGuess[static_cast<std::uint32_t>(
        static_cast<std::int32_t>(v * static_cast<float>(linear_light_detail::kBins)))];
    return static_cast<std::uint8_t>(k + (v >= t.boundary[k] ? 1 : 0));
}

// One row of 0xAARRGGBB pixels as premultiplied linear light, four floats per pixel in memory
// order (B, G, R, A), alpha 0..1. `kind` says how the row's colour relates to its alpha.
void rowToLinear(const std::uint32_t* in, std::size_t count, AlphaKind kind, float* out);

} // namespace scalora
