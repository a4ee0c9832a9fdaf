// Which container a file really is, told from its first bytes. Decoders are chosen by content,
// never by the file name's extension, so a JPEG saved as "photo.png" still opens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace scalora {

enum class ImageFormat : std::uint8_t { Unknown, Jpeg, Png, Tiff, Bmp, Gif };

// The longest signature detectImageFormat looks at; reading this many bytes of a file is enough.
inline constexpr std::size_t kFormatSignatureBytes = 8;

ImageFormat detectImageFormat(std::span<const std::uint8_t> head);

// Short lower-case name ("jpeg", "png", "tiff", "bmp", "gif", "unknown") for messages and tests.
std::string_view imageFormatName(ImageFormat format);

} // namespace scalora
