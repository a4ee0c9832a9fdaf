// Reading TIFF layouts that libtiff's RGBA interface refuses (sample sizes other than 1, 2,
// 4, 8 and 16 bits, 16, 32 and 64-bit floating-point samples, 16-bit CMYK) from the raw
// samples of each row.
#pragma once

#include "imaging/pixel_image.h"

#include <tiffio.h>

namespace scalora::codec {

// Decodes the current directory of a TIFF, stripped or tiled, into `out`, already allocated to
// the image size. Samples wider than 8 bits keep their high byte; floating-point samples map 0..1 to
// 0..255. Grey (either polarity), RGB, CMYK and CMY, with an optional alpha sample.
[[nodiscard]] bool readTiffSamples(TIFF* tif, bool alpha, PixelImage& out);

} // namespace scalora::codec
