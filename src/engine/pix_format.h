// The raw "pix" picture format the program reads and writes on its own: a 16-byte header of
// four little-endian 32-bit fields (magic 777, width, height, byte count = width x height x 4)
// followed by the pixels, rows top to bottom, 4 bytes each in PixelImage's memory order.
#pragma once

#include "imaging/pixel_image.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace scalora {

inline constexpr std::uint32_t kPixMagic = 777;
inline constexpr std::size_t kPixHeaderBytes = 16;

// Accepts the buffer only when it is longer than the header, the magic is 777, width and height
// are positive, the byte count equals width x height x 4 and the buffer is exactly header + byte
// count long. The picture comes back with straight alpha; false and a null image otherwise.
[[nodiscard]] bool decodePix(std::span<const std::uint8_t> data, PixelImage& out);
[[nodiscard]] bool readPixFile(const std::string& path, PixelImage& out);

// The header and the pixels; empty for a null image.
std::vector<std::uint8_t> encodePix(const PixelImage& image);
// Written atomically; false for a null image or a failed write.
[[nodiscard]] bool writePixFile(const PixelImage& image, const std::string& path);

} // namespace scalora
