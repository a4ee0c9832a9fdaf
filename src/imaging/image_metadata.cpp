#include "imaging/image_metadata.h"

namespace scalora {

bool isCopiedMarker(std::uint8_t marker) {
    return marker == 0xE1 || marker == 0xE2 || marker == 0xED || marker == 0xFE;
}

int readExifOrientation(std::span<const std::uint8_t>) {
    return 0;
}

bool resetExifOrientation(std::span<std::uint8_t>) {
    return false;
}

bool resetExifOrientation(ImageMetadata& metadata) {
    bool changed = false;
    for (MarkerSegment& segment : metadata.segments) {
        if (segment.marker == 0xE1 && resetExifOrientation(std::span<std::uint8_t>(segment.data))) {
            changed = true;
        }
    }
    return changed;
}

} // namespace scalora
