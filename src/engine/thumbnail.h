// The list's preview picture: 48 pixels high, proportional. A camera JPEG's own EXIF thumbnail
// serves when it has the picture's proportions (as displayed, once black bars are cut off) and
// is big enough; otherwise the file is decoded at a reduced JPEG scale when it is much larger
// than the preview.
#pragma once

#include "imaging/pixel_image.h"

#include <cstdint>
#include <span>
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

// The preview of size `target` cut from the EXIF thumbnail of an opened JPEG, turned by the
// file's orientation, black bars around the picture cut off; a null image when there is none,
// it does not decode, it is smaller than `target` or its proportions give another preview
// width than the picture's.
PixelImage previewFromExifThumbnail(const ImageFile& file, Size target);

// Where the EXIF thumbnail lies in the file's leading bytes (offset and length of its JPEG
// stream); false when the head holds no APP1 EXIF segment with a JPEG thumbnail in IFD1. Never
// reads outside `head`.
[[nodiscard]] bool findExifThumbnail(std::span<const std::uint8_t> head, std::size_t& offset,
                                     std::size_t& length);

} // namespace scalora
