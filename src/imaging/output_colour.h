// Pixels made fit for a format that cannot hold what they carry: formats shown without their
// alpha (JPEG, and BMP in most viewers) get the picture over white instead of whatever colour
// the transparent pixels happened to hold, and a format without a place for a colour profile
// gets its pixels converted from the source's profile to sRGB, the space such files are
// assumed to be in.
#pragma once

#include "imaging/pixel_image.h"

#include <cstdint>
#include <span>

namespace scalora {

// Composites the picture over opaque white; the result has AlphaKind::None.
void flattenOntoWhite(PixelImage& image);

// Converts the colours from `profile` (an RGB ICC profile) to sRGB, alpha untouched. False,
// with the pixels unchanged, when the profile cannot be used.
[[nodiscard]] bool convertToSrgb(PixelImage& image, std::span<const std::uint8_t> profile);

} // namespace scalora
