// Measuring an image without decoding it: size, resolution, orientation and alpha, read from the
// file header only (the list measures thousands of files; none of them may be decoded for that).
#pragma once

#include "base/geometry.h"
#include "imaging/image_format.h"

#include <cstdint>
#include <span>
#include <string>

namespace scalora {

struct ImageProbe {
    ImageFormat format = ImageFormat::Unknown;
    Size storedSize;       // pixel rows and columns as stored in the file
    Size displaySize;      // as people see it: storedSize with width and height swapped for
                           // orientations 5 to 8; this is the size the decoder returns
    double dpiX = 0;       // resolution in dots per inch, 0 when the file carries none; like the
    double dpiY = 0;       // size, as displayed (swapped for orientations 5 to 8)
    int orientation = 1;   // EXIF (JPEG) or TIFF Orientation, 1..8; 1 when absent or invalid
    bool hasAlpha = false; // an alpha channel or a transparent colour is declared
};

// False for an unreadable file, an unknown format, a header that does not parse, or a declared
// size beyond kMaxPixelCount.
[[nodiscard]] bool probeImageFile(const std::string& path, ImageProbe& out);
[[nodiscard]] bool probeImageData(std::span<const std::uint8_t> data, ImageProbe& out);

} // namespace scalora
