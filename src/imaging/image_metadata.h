// Metadata carried from one JPEG to another: the APP1 (EXIF, XMP), APP2 (ICC profile chunks),
// APP13 (IPTC) and COM segments of the source, kept byte for byte and in file order.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace scalora {

struct MarkerSegment {
    std::uint8_t marker = 0;        // 0xE1 for APP1 ... 0xFE for COM
    std::vector<std::uint8_t> data; // the payload after the two length bytes
};

struct ImageMetadata {
    std::vector<MarkerSegment> segments;
    bool empty() const { return segments.empty(); }
};

// True for the markers that are copied: APP1, APP2, APP13 and COM.
bool isCopiedMarker(std::uint8_t marker);

// The Orientation value (1..8) of an APP1 EXIF payload ("Exif\0\0" + TIFF structure); 0 when the
// payload is not EXIF, has no Orientation, or the value is out of range.
int readExifOrientation(std::span<const std::uint8_t> app1);

// Rewrites the Orientation value of an APP1 EXIF payload to 1 and changes no other byte. Returns
// true when a field was rewritten.
bool resetExifOrientation(std::span<std::uint8_t> app1);

// Resets the orientation in every EXIF segment of the metadata; returns true when one changed.
bool resetExifOrientation(ImageMetadata& metadata);

// Takes the location out of an APP1 EXIF payload: the GPSInfo entry leaves the first IFD and the
// GPS IFD with every value it points to is overwritten with zeros, so no coordinate stays behind
// as unreferenced bytes. The payload keeps its size and every other offset. Returns true when a
// GPSInfo entry was removed.
bool removeExifLocation(std::span<std::uint8_t> app1);

// The same for every EXIF segment of the metadata; returns true when one changed.
bool removeExifLocation(ImageMetadata& metadata);

} // namespace scalora
