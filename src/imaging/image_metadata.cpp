#include "imaging/image_metadata.h"

#include "imaging/codec_support.h"
#include "imaging/exif_fields.h"

#include <algorithm>
#include <cstring>

namespace scalora {
namespace codec {
namespace {

constexpr std::uint8_t kExifSignature[6] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::size_t kTiffStart = sizeof(kExifSignature);

constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTagXResolution = 0x011A;
constexpr std::uint16_t kTagYResolution = 0x011B;
constexpr std::uint16_t kTagResolutionUnit = 0x0128;
constexpr std::uint16_t kTagGpsInfo = 0x8825;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeRational = 5;
constexpr std::size_t kEntryBytes = 12;

class TiffView {
public:
    TiffView(std::span<const std::uint8_t> tiff, bool bigEndian) : tiff_(tiff), big_(bigEndian) {}
    bool has(std::size_t offset, std::size_t count) const {
        return offset <= tiff_.size() && count <= tiff_.size() - offset;
    }
    std::uint16_t u16(std::size_t offset) const {
        const std::uint8_t* p = tiff_.data() + offset;
        return big_ ? readBe16(p) : readLe16(p);
    }
    std::uint32_t u32(std::size_t offset) const {
        const std::uint8_t* p = tiff_.data() + offset;
        return big_ ? readBe32(p) : readLe32(p);
    }
    // A RATIONAL stored at `offset`, or 0 when out of range or with a zero denominator.
    double rational(std::size_t offset) const {
        if (!has(offset, 8)) {
            return 0;
        }
        const std::uint32_t den = u32(offset + 4);
        return den == 0 ? 0.0 : static_cast<double>(u32(offset)) / den;
    }

private:
    std::span<const std::uint8_t> tiff_;
    bool big_;
};

// Bytes of one value of a TIFF field type; 0 for an unknown type.
std::uint64_t typeBytes(std::uint16_t type) {
    switch (type) {
    case 1: // BYTE
    case 2: // ASCII
    case 6: // SBYTE
    case 7: // UNDEFINED
        return 1;
    case 3: // SHORT
    case 8: // SSHORT
        return 2;
    case 4:  // LONG
    case 9:  // SLONG
    case 11: // FLOAT
        return 4;
    case 5:  // RATIONAL
    case 10: // SRATIONAL
    case 12: // DOUBLE
        return 8;
    default:
        return 0;
    }
}

// Bytes of the TIFF header: byte order, 42 and the offset of the first IFD.
constexpr std::size_t kTiffHeaderBytes = 8;

// Zeros [offset, offset + count) of the TIFF structure, except the header and where it overlaps
// `keep`: a broken file may point its GPS values there, and both must stay readable.
void zeroRange(std::span<std::uint8_t> tiff, std::size_t offset, std::size_t count,
               std::size_t keepFrom, std::size_t keepTo) {
    for (std::size_t at = offset; at < offset + count && at < tiff.size(); ++at) {
        if (at >= kTiffHeaderBytes && (at < keepFrom || at >= keepTo)) {
            tiff[at] = 0;
        }
    }
}

void zeroGpsDirectory(std::span<std::uint8_t> tiff, const TiffView& view, std::size_t gps,
                      std::size_t keepFrom, std::size_t keepTo) {
    if (!view.has(gps, 2)) {
        return;
    }
    const std::size_t count = view.u16(gps);
    std::size_t end = gps + 2;
    for (std::size_t i = 0; i < count && view.has(end, kEntryBytes); ++i, end += kEntryBytes) {
        const std::uint64_t bytes = typeBytes(view.u16(end + 2)) * view.u32(end + 4);
        const std::size_t valueOffset = view.u32(end + 8);
        if (bytes > 4 && view.has(valueOffset, static_cast<std::size_t>(bytes))) {
            zeroRange(tiff, valueOffset, static_cast<std::size_t>(bytes), keepFrom, keepTo);
        }
    }
    if (view.has(end, 4)) {
        end += 4; // the offset of a next IFD
    }
    zeroRange(tiff, gps, end - gps, keepFrom, keepTo);
}

} // namespace

bool parseExifFields(std::span<const std::uint8_t> app1, ExifFields& out) {
    out = {};
    if (app1.size() < kTiffStart + 8 || std::memcmp(app1.data(), kExifSignature, kTiffStart) != 0) {
        return false;
    }
    const std::span<const std::uint8_t> tiff = app1.subspan(kTiffStart);
    if (tiff[0] == 'I' && tiff[1] == 'I') {
        out.bigEndian = false;
    } else if (tiff[0] == 'M' && tiff[1] == 'M') {
        out.bigEndian = true;
    } else {
        return false;
    }
    const TiffView view(tiff, out.bigEndian);
    if (view.u16(2) != 42) {
        return false;
    }
    const std::size_t ifd = view.u32(4);
    if (!view.has(ifd, 2)) {
        return false;
    }
    const std::size_t count = view.u16(ifd);
    double xRes = 0;
    double yRes = 0;
    int unit = 2; // inches unless the file says otherwise
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + i * 12;
        if (!view.has(entry, 12)) {
            break;
        }
        const std::uint16_t tag = view.u16(entry);
        const std::uint16_t type = view.u16(entry + 2);
        const std::uint32_t n = view.u32(entry + 4);
        if (tag == kTagOrientation && type == kTypeShort && n == 1) {
            const int value = view.u16(entry + 8);
            out.orientation = value >= 1 && value <= 8 ? value : 0;
            out.orientationOffset = kTiffStart + entry + 8;
        } else if ((tag == kTagXResolution || tag == kTagYResolution) && type == kTypeRational &&
                   n == 1) {
            const double value = view.rational(view.u32(entry + 8));
            (tag == kTagXResolution ? xRes : yRes) = value;
        } else if (tag == kTagResolutionUnit && type == kTypeShort && n == 1) {
            unit = view.u16(entry + 8);
        }
    }
    if (unit == 2) {
        out.dpiX = xRes;
        out.dpiY = yRes;
    } else if (unit == 3) {
        out.dpiX = dpiFromPixelsPerCentimetre(xRes);
        out.dpiY = dpiFromPixelsPerCentimetre(yRes);
    }
    return true;
}

} // namespace codec

namespace {

// Applies an edit to every APP1 segment; true when it changed one.
template <typename Edit> bool editApp1Segments(ImageMetadata& metadata, Edit edit) {
    bool changed = false;
    for (MarkerSegment& segment : metadata.segments) {
        if (segment.marker == 0xE1 && edit(std::span<std::uint8_t>(segment.data))) {
            changed = true;
        }
    }
    return changed;
}

} // namespace

bool isCopiedMarker(std::uint8_t marker) {
    return marker == 0xE1 || marker == 0xE2 || marker == 0xED || marker == 0xFE;
}

int readExifOrientation(std::span<const std::uint8_t> app1) {
    codec::ExifFields fields;
    return codec::parseExifFields(app1, fields) ? fields.orientation : 0;
}

bool resetExifOrientation(std::span<std::uint8_t> app1) {
    codec::ExifFields fields;
    if (!codec::parseExifFields(app1, fields) || fields.orientationOffset == 0) {
        return false;
    }
    std::uint8_t* value = app1.data() + fields.orientationOffset;
    const std::uint8_t high = 0;
    const std::uint8_t low = 1;
    const std::uint8_t first = fields.bigEndian ? high : low;
    const std::uint8_t second = fields.bigEndian ? low : high;
    if (value[0] == first && value[1] == second) {
        return false;
    }
    value[0] = first;
    value[1] = second;
    return true;
}

bool removeExifLocation(std::span<std::uint8_t> app1) {
    codec::ExifFields fields;
    if (!codec::parseExifFields(app1, fields)) {
        return false;
    }
    const std::span<std::uint8_t> tiff = app1.subspan(codec::kTiffStart);
    const codec::TiffView view(tiff, fields.bigEndian);
    const std::size_t ifd = view.u32(4);
    if (ifd < codec::kTiffHeaderBytes) {
        return false; // an IFD inside the header: no edit could keep both readable
    }
    const std::size_t count = view.u16(ifd);
    std::size_t end = ifd + 2;
    std::size_t found = 0;
    for (std::size_t i = 0; i < count && view.has(end, codec::kEntryBytes);
         ++i, end += codec::kEntryBytes) {
        if (view.u16(end) == codec::kTagGpsInfo && found == 0) {
            found = end;
        }
    }
    if (found == 0) {
        return false;
    }
    const std::size_t entries = (end - ifd - 2) / codec::kEntryBytes;
    if (view.has(end, 4)) {
        end += 4; // the next IFD's offset moves up with the entries
    }
    codec::zeroGpsDirectory(tiff, view, view.u32(found + 8), ifd, end);
    std::copy(tiff.begin() + static_cast<std::ptrdiff_t>(found + codec::kEntryBytes),
              tiff.begin() + static_cast<std::ptrdiff_t>(end),
              tiff.begin() + static_cast<std::ptrdiff_t>(found));
    std::fill(tiff.begin() + static_cast<std::ptrdiff_t>(end - codec::kEntryBytes),
              tiff.begin() + static_cast<std::ptrdiff_t>(end), std::uint8_t{0});
    const auto remaining = static_cast<std::uint16_t>(entries - 1);
    tiff[ifd] = static_cast<std::uint8_t>(fields.bigEndian ? remaining >> 8 : remaining & 0xFF);
    tiff[ifd + 1] = static_cast<std::uint8_t>(fields.bigEndian ? remaining & 0xFF : remaining >> 8);
    return true;
}

bool removeExifLocation(ImageMetadata& metadata) {
    return editApp1Segments(metadata,
                            [](std::span<std::uint8_t> app1) { return removeExifLocation(app1); });
}

bool resetExifOrientation(ImageMetadata& metadata) {
    return editApp1Segments(
        metadata, [](std::span<std::uint8_t> app1) { return resetExifOrientation(app1); });
}

} // namespace scalora
