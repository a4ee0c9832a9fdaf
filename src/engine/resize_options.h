// The run settings that govern how one result file is written: the values of the batch's
// settings snapshot that the codec layer reads.
#pragma once

#include <cstdint>

namespace scalora {

struct ResizeOptions {
    bool allowRewrite = false;     // an existing destination may be replaced
    bool keepFileDates = false;    // the result gets the source's access and modification times
    std::int32_t jpegQuality = 90; // kMinJpegQuality..kMaxJpegQuality, JPEG results only
    bool copyMetadata = false;     // JPEG to JPEG: carry EXIF, XMP, ICC, IPTC and comments
};

// Why a resize gave no result, for the reason shown with the image.
struct ResizeFailure {
    int writeError = 0;           // errno of the failed write; 0 when writing was not the trouble
    bool sourceTruncated = false; // the source ends before its picture does
};

} // namespace scalora
