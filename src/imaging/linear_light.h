// sRGB bytes to linear light and back, for the resampler. Linear values are floats in 0..1
// computed once from the exact sRGB curves (IEC 61966-2-1); the way back rounds correctly: a
// linear value gives the sRGB byte whose interval it falls in, decided against the exact
// boundaries between neighbouring bytes, not against a coarse table.
#pragma once

#include "imaging/pixel_image.h"

#include <cstddef>
#include <cstdint>

namespace scalora {

// The linear value of an sRGB byte.
float linearOfSrgb(std::uint8_t value);

// The sRGB byte of a linear value (clamped to 0..1 first; NaN gives 0).
std::uint8_t srgbOfLinear(float value);

// One row of 0xAARRGGBB pixels as premultiplied linear light, four floats per pixel in memory
// order (B, G, R, A), alpha 0..1. `kind` says how the row's colour relates to its alpha.
void rowToLinear(const std::uint32_t* in, std::size_t count, AlphaKind kind, float* out);

} // namespace scalora
