// The few EXIF fields the codecs read from an APP1 segment: orientation and resolution.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace scalora::codec {

struct ExifFields {
    int orientation = 0; // 1..8, 0 when absent or invalid
    double dpiX = 0;     // 0 when absent
    double dpiY = 0;
    // Byte offset of the Orientation value inside the payload, when present as one SHORT.
    std::size_t orientationOffset = 0;
    bool bigEndian = false;
};

// Parses IFD0 of an APP1 payload that starts with "Exif\0\0"; false when it is not EXIF or
// the structure is broken. Never reads outside `app1`.
[[nodiscard]] bool parseExifFields(std::span<const std::uint8_t> app1, ExifFields& out);

} // namespace scalora::codec
