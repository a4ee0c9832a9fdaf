// Pictures read and written one row at a time, top to bottom, for the formats whose codecs allow
// it (JPEG, and PNG without interlacing), so that a resize never holds a full-size decode. Rows
// are 0xAARRGGBB pixels, as in PixelImage.
#pragma once

#include "base/geometry.h"
#include "imaging/image_metadata.h"
#include "imaging/pixel_image.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace scalora {

class ImageRowReader {
public:
    virtual ~ImageRowReader() = default;
    Size size() const { return size_; } // as stored: no orientation applied
    AlphaKind alphaKind() const { return alpha_; }
    double dpiX() const { return dpiX_; }
    double dpiY() const { return dpiY_; }
    int orientation() const { return orientation_; } // EXIF orientation, 1 for PNG

    // The next row into `out` (size().width pixels); false on a decoding error.
    [[nodiscard]] virtual bool readRow(std::uint32_t* out) = 0;
    // After the last row: false when the file turned out cut short or damaged.
    [[nodiscard]] virtual bool finish() = 0;
    // After a failure: whether it was the file ending before its picture did.
    bool cutShort() const { return cutShort_; }

protected:
    Size size_;
    AlphaKind alpha_ = AlphaKind::None;
    double dpiX_ = 0;
    double dpiY_ = 0;
    int orientation_ = 1;
    bool cutShort_ = false;
};

class ImageRowWriter {
public:
    virtual ~ImageRowWriter() = default;
    // The next row (the picture's width in pixels); false once encoding has failed.
    [[nodiscard]] virtual bool writeRow(const std::uint32_t* row) = 0;
    // After the last row: the complete file into `out`.
    [[nodiscard]] virtual bool finish(std::vector<std::uint8_t>& out) = 0;
};

// A JPEG decoded at scaleEighths/8 (see DecodeOptions), or null for data the decoder refuses
// from its header. `metadata`, when given, receives the copied segments as stored.
std::unique_ptr<ImageRowReader> openJpegRows(std::span<const std::uint8_t> data, int scaleEighths,
                                             ImageMetadata* metadata);
// A PNG, or null when it cannot be read row by row (interlaced) or is refused.
std::unique_ptr<ImageRowReader> openPngRows(std::span<const std::uint8_t> data);

// Writers for an opaque picture of `size` with the resolution (0: none), the colour profile
// (empty: none) and, for JPEG, the quality and the segments to copy (kept by pointer until
// finish; when they hold a profile of their own, that one is written instead).
std::unique_ptr<ImageRowWriter> startJpegRows(Size size, double dpiX, double dpiY, int quality,
                                              const ImageMetadata* metadata,
                                              std::span<const std::uint8_t> iccProfile = {});
std::unique_ptr<ImageRowWriter> startPngRows(Size size, double dpiX, double dpiY,
                                             std::span<const std::uint8_t> iccProfile = {});

} // namespace scalora
