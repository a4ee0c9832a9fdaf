// The colour profile of an image file (JPEG APP2 chunks, PNG iCCP, TIFF tag 34675, BMP V5
// embedded profile), so that a result can carry it or be converted by it. Only RGB display or
// input profiles are returned: the pixels the decoders give are RGB, and a grey or CMYK profile
// attached to them would describe something else.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace scalora {

// Profiles are a few kilobytes, printer profiles a few megabytes; anything larger is refused.
inline constexpr std::size_t kMaxIccProfileBytes = std::size_t{16} << 20;

using IccProfile = std::vector<std::uint8_t>;

// The profile embedded in the file's data, or empty when there is none, it is damaged or
// incomplete, or it does not describe RGB.
IccProfile readIccProfile(std::span<const std::uint8_t> fileData);

// Whether `profile` has a sound header for RGB data: the size it declares fits, the 'acsp'
// signature is present and the data colour space is RGB.
bool isRgbIccProfile(std::span<const std::uint8_t> profile);

} // namespace scalora
