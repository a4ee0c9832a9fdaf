// The output format indices of the format list and how they map to file extensions, as the
// engine's naming and disk estimate need them.
#pragma once

#include <cstdint>
#include <string_view>

namespace scalora {

inline constexpr std::int32_t kFormatAsOriginal = 0;
inline constexpr std::int32_t kFormatJpg = 1;
inline constexpr std::int32_t kFormatPng = 2;
inline constexpr std::int32_t kFormatTif = 3;
inline constexpr std::int32_t kFormatBmp = 4;
inline constexpr std::int32_t kFormatCount = 5;

// Format a source extension maps to (compared without case), kFormatAsOriginal when none.
std::int32_t formatOfSourceExtension(std::string_view extension);
// "jpg", "png", "tif", "bmp"; empty for any other index.
std::string_view extensionOfFormat(std::int32_t format);

} // namespace scalora
