// The eight EXIF/TIFF orientations as pixel transforms: turning stored pixels into the picture
// as it is meant to be seen.
#pragma once

#include "base/geometry.h"
#include "imaging/pixel_image.h"

namespace scalora {

// Orientation values as EXIF numbers them: 1 as stored, 2 mirrored left-right, 3 turned 180,
// 4 mirrored top-bottom, 5 transposed (mirror about the main diagonal), 6 turned 90 clockwise to
// view, 7 transversed (mirror about the other diagonal), 8 turned 90 counter-clockwise to view.
inline bool isValidOrientation(int orientation) {
    return orientation >= 1 && orientation <= 8;
}
inline bool orientationSwapsAxes(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

Size orientedSize(Size stored, int orientation);

// Returns the stored image transformed for display; an invalid orientation counts as 1. Keeps
// the alpha kind and swaps the resolution with the axes. Returns a null image only when the
// source is null.
PixelImage orientedImage(const PixelImage& stored, int orientation);

// Same, reusing the image's own buffer when the axes stay (orientations 1 to 4).
void applyOrientation(PixelImage& image, int orientation);

} // namespace scalora
