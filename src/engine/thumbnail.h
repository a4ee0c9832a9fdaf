// The list's preview picture: 48 pixels high, proportional, decoded at a reduced JPEG scale when
// the file is much larger than the preview.
#pragma once

#include "imaging/pixel_image.h"

#include <string>

namespace scalora {

class ImageFile;

inline constexpr std::int32_t kThumbnailHeight = 48;

// From an opened ImageFile with a positive size: t = scaledToHeight(size, 48). A picture smaller
// than t in either direction comes back at its own size; otherwise it is resized to exactly t.
// Null image on any failure.
PixelImage makeThumbnail(const ImageFile& file);
// Opens the file first.
PixelImage makeThumbnail(const std::string& path);

} // namespace scalora
