// JPEG metadata: APP1, APP2, APP13 and COM segments travel byte for byte and in order from a
// source JPEG to a written one; the EXIF orientation is reset to 1 once the pixels are turned.

#include "imaging/generated_images.h"
#include "imaging/image_decoder.h"
#include "imaging/image_encoder.h"
#include "imaging/image_metadata.h"
#include "imaging/image_probe.h"
#include "imaging/orientation.h"
#include "support/test_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace scalora {
namespace {

// The segments before the first scan of a JPEG file, walked independently of the codec.
std::vector<MarkerSegment> markerSegments(const std::string& file) {
    std::vector<MarkerSegment> out;
    std::size_t pos = 2;
    while (pos + 4 <= file.size() && static_cast<unsigned char>(file[pos]) == 0xFF) {
        const auto marker = static_cast<std::uint8_t>(file[pos + 1]);
        if (marker == 0xDA) {
            break;
        }
        const std::size_t length = (static_cast<unsigned char>(file[pos + 2]) << 8) |
                                   static_cast<unsigned char>(file[pos + 3]);
        if (length < 2 || pos + 2 + length > file.size()) {
            break;
        }
        out.push_back({marker, std::vector<std::uint8_t>(file.begin() + static_cast<long>(pos) + 4,
                                                         file.begin() +
                                                             static_cast<long>(pos + 2 + length))});
        pos += 2 + length;
    }
    return out;
}

std::vector<MarkerSegment> copiedOnly(const std::vector<MarkerSegment>& all) {
    std::vector<MarkerSegment> out;
    for (const MarkerSegment& s : all) {
        if (isCopiedMarker(s.marker)) {
            out.push_back(s);
        }
    }
    return out;
}

bool sameSegments(const std::vector<MarkerSegment>& a, const std::vector<MarkerSegment>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].marker != b[i].marker || a[i].data != b[i].data) {
            return false;
        }
    }
    return true;
}

std::string encodeToString(const PixelImage& image, const ImageMetadata* metadata) {
    EncodeOptions options;
    options.metadata = metadata;
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(encodeImageToMemory(image, ImageFormat::Jpeg, options, bytes));
    return std::string(bytes.begin(), bytes.end());
}

TEST(JpegMetadata, SegmentsAreCopiedByteForByteAndInOrder) {
    SCALORA_REQUIRE_SHARED();
    const std::filesystem::path root = test::sharedDir() / "testimages";
    // EXIF, a many-chunk ICC profile, IPTC, an ICC profile after the frame header, comments.
    const char* files[] = {"jpeg/pillow/hopper_orientation_6.jpg",
                           "jpeg/pillow/icc_profile_big.jpg",
                           "jpeg/pillow/iptc.jpg",
                           "jpeg/pillow/icc-after-SOF.jpg",
                           "jpeg/jpeg-decoder/icc/icc_chunk_order.jpeg",
                           "jpeg/pillow/photoshop-200dpi.jpg"};
    for (const char* name : files) {
        SCOPED_TRACE(name);
        const std::string source = test::readFile(root / name);
        const std::vector<MarkerSegment> expected = copiedOnly(markerSegments(source));
        ASSERT_FALSE(expected.empty());
        PixelImage image;
        ImageMetadata metadata;
        DecodeOptions asStored;
        asStored.applyOrientation = false;
        ASSERT_TRUE(decodeImageFile((root / name).string(), asStored, image, &metadata));
        const std::string written = encodeToString(image, &metadata);
        const std::vector<MarkerSegment> all = markerSegments(written);
        EXPECT_TRUE(sameSegments(copiedOnly(all), expected))
            << copiedOnly(all).size() << " segments written, " << expected.size()
            << " in the source, " << metadata.segments.size() << " decoded";
        // The encoder's own JFIF header comes first, and only one.
        ASSERT_FALSE(all.empty());
        EXPECT_EQ(all[0].marker, 0xE0);
        // Without metadata nothing of it is written.
        EXPECT_TRUE(copiedOnly(markerSegments(encodeToString(image, nullptr))).empty());
    }
}

TEST(JpegMetadata, TurnedPixelsGetOrientationOneAndNoOtherByteChanges) {
    SCALORA_REQUIRE_SHARED();
    const std::filesystem::path file =
        test::sharedDir() / "testimages/jpeg/pillow/hopper_orientation_6.jpg";
    const std::vector<MarkerSegment> original = copiedOnly(markerSegments(test::readFile(file)));
    PixelImage image;
    ImageMetadata metadata;
    DecodeInfo info;
    ASSERT_TRUE(decodeImageFile(file.string(), DecodeOptions{}, image, &metadata, &info));
    EXPECT_EQ(info.orientation, 6);
    ASSERT_EQ(metadata.segments.size(), original.size());
    int changedBytes = 0;
    for (std::size_t i = 0; i < original.size(); ++i) {
        ASSERT_EQ(metadata.segments[i].data.size(), original[i].data.size());
        for (std::size_t j = 0; j < original[i].data.size(); ++j) {
            changedBytes += metadata.segments[i].data[j] != original[i].data[j] ? 1 : 0;
        }
        if (original[i].marker == 0xE1 && readExifOrientation(original[i].data) != 0) {
            EXPECT_EQ(readExifOrientation(original[i].data), 6);
            EXPECT_EQ(readExifOrientation(metadata.segments[i].data), 1);
        }
    }
    EXPECT_EQ(changedBytes, 1); // the low byte of the SHORT: 6 becomes 1
}

// A minimal EXIF block: "Exif\0\0", a TIFF header in the given byte order and IFD0 with the
// Orientation entry followed by another entry.
std::vector<std::uint8_t> exifBlock(bool bigEndian, std::uint16_t orientation) {
    std::vector<std::uint8_t> b = {'E', 'x', 'i', 'f', 0, 0};
    const auto put16 = [&](std::uint16_t v) {
        if (bigEndian) {
            b.push_back(static_cast<std::uint8_t>(v >> 8));
            b.push_back(static_cast<std::uint8_t>(v));
        } else {
            b.push_back(static_cast<std::uint8_t>(v));
            b.push_back(static_cast<std::uint8_t>(v >> 8));
        }
    };
    const auto put32 = [&](std::uint32_t v) {
        if (bigEndian) {
            put16(static_cast<std::uint16_t>(v >> 16));
            put16(static_cast<std::uint16_t>(v));
        } else {
            put16(static_cast<std::uint16_t>(v));
            put16(static_cast<std::uint16_t>(v >> 16));
        }
    };
    b.push_back(bigEndian ? 'M' : 'I');
    b.push_back(bigEndian ? 'M' : 'I');
    put16(42);
    put32(8);
    put16(2);                          // two entries
    put16(0x0112), put16(3), put32(1); // Orientation, SHORT, 1 value
    put16(orientation), put16(0);
    put16(0x0131), put16(2), put32(4); // Software, ASCII, "abc\0"
    b.insert(b.end(), {'a', 'b', 'c', 0});
    put32(0);
    return b;
}

TEST(JpegMetadata, OrientationIsReadAndResetInBothByteOrders) {
    for (const bool big : {false, true}) {
        SCOPED_TRACE(big ? "big-endian" : "little-endian");
        std::vector<std::uint8_t> block = exifBlock(big, 8);
        const std::vector<std::uint8_t> before = block;
        EXPECT_EQ(readExifOrientation(block), 8);
        EXPECT_TRUE(resetExifOrientation(std::span<std::uint8_t>(block)));
        EXPECT_EQ(readExifOrientation(block), 1);
        int changed = 0;
        for (std::size_t i = 0; i < block.size(); ++i) {
            changed += block[i] != before[i] ? 1 : 0;
        }
        EXPECT_EQ(changed, 1);
        EXPECT_FALSE(resetExifOrientation(std::span<std::uint8_t>(block))); // already 1
    }
    // Not EXIF, or cut short: nothing read, nothing written.
    std::vector<std::uint8_t> xmp = {'h', 't', 't', 'p', ':', '/', '/'};
    EXPECT_EQ(readExifOrientation(xmp), 0);
    EXPECT_FALSE(resetExifOrientation(std::span<std::uint8_t>(xmp)));
    std::vector<std::uint8_t> cut = exifBlock(false, 6);
    cut.resize(20);
    EXPECT_EQ(readExifOrientation(cut), 0);
    EXPECT_FALSE(resetExifOrientation(std::span<std::uint8_t>(cut)));
}

bool holds(const std::vector<std::uint8_t>& bytes, std::string_view text) {
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

TEST(JpegMetadata, LocationIsRemovedWithItsValuesAndNothingElse) {
    SCALORA_REQUIRE_SHARED();
    const std::string file =
        test::readFile(test::sharedDir() / "testimages/jpeg/pillow/exif_gps.jpg");
    std::vector<std::uint8_t> exif;
    for (const MarkerSegment& segment : markerSegments(file)) {
        if (segment.marker == 0xE1) {
            exif = segment.data;
        }
    }
    ASSERT_TRUE(holds(exif, "1999:99:99 99:99:99")); // the GPS date stamp
    std::vector<std::uint8_t> stripped = exif;
    ASSERT_TRUE(removeExifLocation(std::span<std::uint8_t>(stripped)));
    EXPECT_EQ(stripped.size(), exif.size());
    EXPECT_FALSE(holds(stripped, "1999:99:99"));
    EXPECT_TRUE(holds(stripped, "LensMake")); // the Exif IFD stays
    EXPECT_TRUE(holds(stripped, "Make"));
    EXPECT_FALSE(removeExifLocation(std::span<std::uint8_t>(stripped))); // nothing left to take

    // A GPSInfo entry pointing into the first IFD removes the entry and leaves that IFD whole;
    // a payload cut short, or one without EXIF, is left alone.
    std::vector<std::uint8_t> hostile = exif;
    const std::size_t tiff = 6;
    for (std::size_t at = tiff + 10; at + 12 <= hostile.size(); at += 12) {
        if (hostile[at] == 0x88 && hostile[at + 1] == 0x25) {
            hostile[at + 8] = hostile[at + 9] = hostile[at + 10] = 0;
            hostile[at + 11] = 8;
            break;
        }
    }
    ASSERT_TRUE(removeExifLocation(std::span<std::uint8_t>(hostile)));
    EXPECT_TRUE(holds(hostile, "Make"));
    EXPECT_EQ(readExifOrientation(hostile), readExifOrientation(exif));
    // A first IFD that overlaps the header cannot be edited without breaking the header.
    // Header "MM", 42, first IFD at 7; its count (0x0701) is the header's last byte and the next
    // one; then a GPSInfo entry pointing at offset 0.
    std::vector<std::uint8_t> overlapping = {'E', 'x', 'i', 'f', 0,    0,    'M', 'M', 0, 42, 0,
                                             0,   0,   7,   1,   0x88, 0x25, 0,   4,   0, 0,  0,
                                             1,   0,   0,   0,   0,    0,    0,   0,   0};
    const std::vector<std::uint8_t> unchanged = overlapping;
    EXPECT_FALSE(removeExifLocation(std::span<std::uint8_t>(overlapping)));
    EXPECT_EQ(overlapping, unchanged);
    std::vector<std::uint8_t> cut(exif.begin(), exif.begin() + 20);
    EXPECT_FALSE(removeExifLocation(std::span<std::uint8_t>(cut)));
    std::vector<std::uint8_t> xmp = {'h', 't', 't', 'p', ':', '/', '/'};
    EXPECT_FALSE(removeExifLocation(std::span<std::uint8_t>(xmp)));
}

// A JPEG written with an EXIF orientation decodes turned, and the probe reports the turned
// size, for all eight values.
TEST(JpegMetadata, EveryOrientationIsAppliedOnDecodeAndReportedByTheProbe) {
    const PixelImage image = test::makeTestImage(48, 32);
    std::vector<std::uint8_t> plain;
    ASSERT_TRUE(encodeImageToMemory(image, ImageFormat::Jpeg, EncodeOptions{}, plain));
    PixelImage stored;
    ASSERT_TRUE(decodeImageData(plain, DecodeOptions{}, stored));
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        ImageMetadata metadata;
        metadata.segments.push_back({0xE1, exifBlock(o % 2 == 0, static_cast<std::uint16_t>(o))});
        EncodeOptions options;
        options.metadata = &metadata;
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(encodeImageToMemory(image, ImageFormat::Jpeg, options, bytes));
        PixelImage turned;
        ASSERT_TRUE(decodeImageData(bytes, DecodeOptions{}, turned));
        EXPECT_TRUE(test::samePixels(turned, orientedImage(stored, o)));
        ImageProbe probe;
        ASSERT_TRUE(probeImageData(bytes, probe));
        EXPECT_EQ(probe.orientation, o);
        EXPECT_EQ(probe.storedSize, (Size{48, 32}));
        EXPECT_EQ(probe.displaySize, orientedSize({48, 32}, o));
    }
}

} // namespace
} // namespace scalora
