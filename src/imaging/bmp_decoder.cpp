// Our own BMP reader: Windows 3 (40-byte) headers and their V2 to V5 extensions, OS/2 1.x and
// 2.x headers; 1, 2, 4 and 8-bit palettes, 16 and 32-bit bit fields, 24-bit, RLE4 and RLE8;
// bottom-up and top-down rows. It is strict: a header that contradicts itself or the file
// (impossible sizes, planes other than 1, pixel indexes past the palette, runs past the image)
// is refused rather than guessed at. A file that ends before its pixels do is told apart, so
// that it can be reported as cut off.

#include "imaging/codec_support.h"
#include "imaging/codecs.h"

#include <algorithm>
#include <array>
#include <bit>

namespace scalora::codec {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12; // OS/2 1.x
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
// OS/2 2.x headers are 16 to 64 bytes long; V2 (52) and V3 (56) add masks to the 40-byte one.
constexpr std::uint32_t kOs2MinHeaderSize = 16;
constexpr std::uint32_t kOs2MaxHeaderSize = 64;

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaBitFields = 6,
};

// Pixel aspect ratios beyond this are damaged density fields, not real devices (the widest
// real pixels, of fax modes, are 2:1).
constexpr double kMaxDensityRatio = 100.0;

struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0; // mask >> shift
};

Channel channelFor(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask != 0) {
        c.shift = std::countr_zero(mask);
        c.max = mask >> c.shift;
    }
    return c;
}

bool contiguous(const Channel& c) {
    return c.mask == 0 || ((c.max + 1) & c.max) == 0;
}

// Scales a field value to 8 bits; truncating as the common 5-6-5 readers do.
std::uint32_t scaleTo8(std::uint32_t value, const Channel& c) {
    if (c.max == 0) {
        return 0;
    }
    if (c.max == 255) {
        return value;
    }
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) * 255 / c.max);
}

struct Header {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // positive, with topDown telling the row order
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t imageSize = 0;
    double dpiX = 0;
    double dpiY = 0;
    std::uint32_t paletteEntries = 0;
    std::size_t paletteOffset = 0;
    int paletteEntryBytes = 4;
    std::uint32_t dataOffset = 0;
    Channel red, green, blue, alpha;
    bool hasAlpha = false;
};

bool isOs2v2Header(std::uint32_t hs) {
    return hs != kCoreHeaderSize && hs != kInfoHeaderSize && hs != 52 && hs != 56 &&
           hs != kV4HeaderSize && hs != kV5HeaderSize;
}

// The info header after the file header (`p`, `h.headerSize` bytes): size, planes, depth,
// compression, density and the palette count. False for what no sound file holds.
bool parseInfoHeader(const std::uint8_t* p, Header& h) {
    const std::uint32_t hs = h.headerSize;
    int planes = 0;
    if (hs == kCoreHeaderSize) {
        h.width = readLe16(p + 4);
        h.height = readLe16(p + 6);
        planes = readLe16(p + 8);
        h.bits = readLe16(p + 10);
        h.paletteEntryBytes = 3;
    } else {
        h.width = static_cast<std::int32_t>(readLe32(p + 4));
        const std::int32_t height = static_cast<std::int32_t>(readLe32(p + 8));
        h.topDown = height < 0;
        h.height = height < 0 ? -static_cast<std::int64_t>(height) : height;
        planes = readLe16(p + 12);
        h.bits = readLe16(p + 14);
        if (hs >= 20) {
            h.compression = readLe32(p + 16);
        }
        if (hs >= 24) {
            h.imageSize = readLe32(p + 20);
        }
        if (hs >= 32) {
            const auto xPpm = static_cast<std::int32_t>(readLe32(p + 24));
            const auto yPpm = static_cast<std::int32_t>(readLe32(p + 28));
            if (xPpm > 0 && yPpm > 0) {
                const double ratio =
                    static_cast<double>(std::max(xPpm, yPpm)) / std::min(xPpm, yPpm);
                if (ratio > kMaxDensityRatio) {
                    return false;
                }
                h.dpiX = dpiFromPixelsPerMetre(xPpm);
                h.dpiY = dpiFromPixelsPerMetre(yPpm);
            }
        }
        if (hs >= 36) {
            h.paletteEntries = readLe32(p + 32);
        }
    }
    if (planes != 1 || h.width <= 0 || h.height <= 0) {
        return false;
    }
    // OS/2 2.x reuses compression 3 for Huffman 1D and 4 for RLE24; neither is read here.
    return !isOs2v2Header(hs) || h.compression == kRgb || h.compression == kRle8 ||
           h.compression == kRle4;
}

// The channel masks of 16- and 32-bit pixels: from the header, from the three or four words
// after a 40-byte header (`afterHeader` then moves past them), or the fixed BI_RGB layouts.
// Masks must be contiguous, fit the pixel and not overlap.
bool parseBitFields(Bytes data, const std::uint8_t* p, Header& h, std::size_t& afterHeader) {
    const std::uint32_t hs = h.headerSize;
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        std::uint32_t masks[4] = {0, 0, 0, 0};
        const int count = h.compression == kAlphaBitFields ? 4 : 3;
        if (hs == kInfoHeaderSize) {
            if (data.size() < afterHeader + static_cast<std::size_t>(count) * 4) {
                return false;
            }
            for (int i = 0; i < count; ++i) {
                masks[i] = readLe32(&data[afterHeader + static_cast<std::size_t>(i) * 4]);
            }
            afterHeader += static_cast<std::size_t>(count) * 4;
        } else if (hs >= 52) {
            for (int i = 0; i < 3; ++i) {
                masks[i] = readLe32(p + 40 + i * 4);
            }
            if (hs >= 56) {
                masks[3] = readLe32(p + 52);
            }
        } else {
            return false;
        }
        h.red = channelFor(masks[0]);
        h.green = channelFor(masks[1]);
        h.blue = channelFor(masks[2]);
        h.alpha = channelFor(masks[3]);
    } else if (h.compression == kRgb) {
        if (h.bits == 16) {
            h.red = channelFor(0x7C00);
            h.green = channelFor(0x03E0);
            h.blue = channelFor(0x001F);
        } else {
            // The fourth byte of 32-bit BI_RGB pixels is unused, not alpha.
            h.red = channelFor(0x00FF0000);
            h.green = channelFor(0x0000FF00);
            h.blue = channelFor(0x000000FF);
        }
    } else {
        return false;
    }
    const std::uint32_t limit = h.bits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    const Channel* channels[4] = {&h.red, &h.green, &h.blue, &h.alpha};
    std::uint32_t seen = 0;
    for (const Channel* c : channels) {
        if (!contiguous(*c) || (c->mask & ~limit) != 0 || (c->mask & seen) != 0) {
            return false;
        }
        seen |= c->mask;
    }
    h.hasAlpha = h.alpha.mask != 0;
    // A pixel without any colour bits is no picture.
    return (h.red.mask | h.green.mask | h.blue.mask) != 0;
}

// Depth and compression together: palette depths take RGB or the RLE of their own depth,
// 16 and 32 bits their bit fields, 24 bits RGB only.
bool parsePixelLayout(Bytes data, const std::uint8_t* p, Header& h, std::size_t& afterHeader) {
    switch (h.bits) {
    case 1:
    case 2:
    case 4:
    case 8:
        return h.compression == kRgb || (h.compression == kRle8 && h.bits == 8) ||
               (h.compression == kRle4 && h.bits == 4);
    case 16:
    case 32:
        return parseBitFields(data, p, h, afterHeader);
    case 24:
        return h.compression == kRgb;
    default:
        return false;
    }
}

// The palette of depths up to 8: no more entries than the depth allows, than the room before
// the pixels, or than the file holds. Deeper pixels may carry a palette as a hint for
// displays; it is not read, but must lie within the file.
bool parsePalette(Bytes data, std::uint64_t fileLength, Header& h) {
    if (h.bits > 8) {
        const std::uint64_t end =
            h.paletteOffset + std::uint64_t{h.paletteEntries} * h.paletteEntryBytes;
        h.paletteEntries = 0;
        return end <= fileLength;
    }
    const std::uint32_t full = 1u << h.bits;
    if (h.paletteEntries > full) {
        return false;
    }
    if (h.paletteEntries == 0) {
        h.paletteEntries = full;
    }
    // OS/2 1.x files carry no count; a shorter palette ends where the pixels begin.
    if (h.dataOffset > h.paletteOffset) {
        const std::size_t room = (h.dataOffset - h.paletteOffset) / h.paletteEntryBytes;
        h.paletteEntries =
            static_cast<std::uint32_t>(std::min<std::size_t>(h.paletteEntries, room));
    }
    return h.paletteEntries != 0 &&
           data.size() >=
               h.paletteOffset + static_cast<std::size_t>(h.paletteEntries) * h.paletteEntryBytes;
}

enum class HeaderCheck {
    Bad,      // contradicts itself or is incomplete
    Sound,    // and the file is as long as it says
    CutShort, // but the file ends before the length it declares or before its pixels begin
};

// `data` holds at least the headers and the palette; `fileLength` is the length of the whole
// file, which a probe does not read.
HeaderCheck checkHeader(Bytes data, std::uint64_t fileLength, Header& h) {
    if (data.size() < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') {
        return HeaderCheck::Bad;
    }
    const std::uint32_t fileSize = readLe32(&data[2]);
    h.dataOffset = readLe32(&data[10]);
    h.headerSize = readLe32(&data[14]);
    const std::uint32_t hs = h.headerSize;
    const bool known = hs == kCoreHeaderSize || hs == kInfoHeaderSize || hs == 52 || hs == 56 ||
                       hs == kV4HeaderSize || hs == kV5HeaderSize ||
                       (hs >= kOs2MinHeaderSize && hs <= kOs2MaxHeaderSize);
    if (!known || data.size() < kFileHeaderSize + hs) {
        return HeaderCheck::Bad;
    }
    const std::uint8_t* p = &data[kFileHeaderSize];
    if (!parseInfoHeader(p, h)) {
        return HeaderCheck::Bad;
    }
    std::size_t afterHeader = kFileHeaderSize + hs;
    if (!parsePixelLayout(data, p, h, afterHeader)) {
        return HeaderCheck::Bad;
    }
    h.paletteOffset = afterHeader;
    if (!parsePalette(data, fileLength, h)) {
        return HeaderCheck::Bad;
    }
    // A declared file or image size larger than the file means the file lost its end.
    return fileSize > fileLength || h.imageSize > fileLength || h.dataOffset >= fileLength
               ? HeaderCheck::CutShort
               : HeaderCheck::Sound;
}

std::size_t rowStride(const Header& h) {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(h.width) * h.bits + 31) / 32 * 4);
}

bool decodeUncompressed(Bytes data, const Header& h, const std::uint32_t* palette,
                        PixelImage& out) {
    const std::size_t stride = rowStride(h);
    const auto width = static_cast<std::int32_t>(h.width);
    const auto height = static_cast<std::int32_t>(h.height);
    for (std::int32_t fileRow = 0; fileRow < height; ++fileRow) {
        const std::uint8_t* src = &data[h.dataOffset + static_cast<std::size_t>(fileRow) * stride];
        std::uint32_t* dst = out.row(h.topDown ? fileRow : height - 1 - fileRow);
        switch (h.bits) {
        case 1:
        case 2:
        case 4:
        case 8: {
            const int perByte = 8 / h.bits;
            const std::uint32_t valueMask = (1u << h.bits) - 1;
            for (std::int32_t x = 0; x < width; ++x) {
                const int shift = 8 - h.bits * (x % perByte + 1);
                const std::uint32_t index = (src[x / perByte] >> shift) & valueMask;
                if (index >= h.paletteEntries) {
                    return false;
                }
                dst[x] = palette[index];
            }
            break;
        }
        case 24:
            for (std::int32_t x = 0; x < width; ++x, src += 3) {
                dst[x] = packArgb(255, src[2], src[1], src[0]);
            }
            break;
        case 16:
        case 32:
            for (std::int32_t x = 0; x < width; ++x) {
                std::uint32_t v = 0;
                if (h.bits == 16) {
                    v = readLe16(src);
                    src += 2;
                } else {
                    v = readLe32(src);
                    src += 4;
                }
                const std::uint32_t a =
                    h.hasAlpha ? scaleTo8((v & h.alpha.mask) >> h.alpha.shift, h.alpha) : 255;
                dst[x] = packArgb(a, scaleTo8((v & h.red.mask) >> h.red.shift, h.red),
                                  scaleTo8((v & h.green.mask) >> h.green.shift, h.green),
                                  scaleTo8((v & h.blue.mask) >> h.blue.shift, h.blue));
            }
            break;
        default:
            return false;
        }
    }
    return true;
}

// RLE8 and RLE4. Pixels the stream skips (deltas, early line ends) keep palette entry 0.
// `cutShort` tells a stream that runs past the end of the file from a damaged one.
bool decodeRle(Bytes data, const Header& h, const std::uint32_t* palette, PixelImage& out,
               bool& cutShort) {
    // Run-length files are always stored bottom-up.
    if (h.topDown) {
        return false;
    }
    const auto width = static_cast<std::int32_t>(h.width);
    const auto height = static_cast<std::int32_t>(h.height);
    out.fill(palette[0]);
    const bool four = h.compression == kRle4;
    std::size_t pos = h.dataOffset;
    std::int32_t x = 0;
    std::int32_t y = 0; // counted from the bottom row
    const auto put = [&](std::uint32_t index) {
        if (index >= h.paletteEntries || x >= width || y >= height) {
            return false;
        }
        out.row(height - 1 - y)[x++] = palette[index];
        return true;
    };
    while (true) {
        if (data.size() - pos < 2) {
            cutShort = true; // the stream must end with its end-of-bitmap code
            return false;
        }
        const std::uint32_t count = data[pos];
        const std::uint32_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (std::uint32_t i = 0; i < count; ++i) {
                const std::uint32_t index = four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
                if (!put(index)) {
                    return false;
                }
            }
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
            continue;
        }
        if (value == 1) { // end of bitmap
            return true;
        }
        if (value == 2) { // delta
            if (data.size() - pos < 2) {
                cutShort = true;
                return false;
            }
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
            if (x > width || y > height) {
                return false;
            }
            continue;
        }
        // Absolute run of `value` pixels, padded to a 16-bit boundary.
        const std::size_t bytes = four ? (value + 1) / 2 : value;
        const std::size_t padded = (bytes + 1) & ~std::size_t{1};
        if (data.size() - pos < padded) {
            cutShort = true;
            return false;
        }
        for (std::uint32_t i = 0; i < value; ++i) {
            const std::uint8_t b = data[pos + (four ? i / 2 : i)];
            const std::uint32_t index = four ? (i % 2 == 0 ? b >> 4 : b & 0x0F) : b;
            if (!put(index)) {
                return false;
            }
        }
        pos += padded;
    }
}

// RLE can describe up to 255 pixels in two bytes; uncompressed data is checked exactly.
constexpr std::uint64_t kRlePixelsPerByte = 128;

} // namespace

bool decodeBmp(Bytes data, PixelImage& out, bool& cutShort) {
    out.reset();
    cutShort = false;
    Header h;
    const HeaderCheck check = checkHeader(data, data.size(), h);
    if (check == HeaderCheck::Bad ||
        !plausibleImageSize(static_cast<std::uint64_t>(h.width),
                            static_cast<std::uint64_t>(h.height), data.size(), kRlePixelsPerByte)) {
        return false;
    }
    if (check == HeaderCheck::CutShort) {
        cutShort = true;
        return false;
    }
    std::array<std::uint32_t, 256> palette{};
    for (std::uint32_t i = 0; i < h.paletteEntries; ++i) {
        const std::uint8_t* e =
            &data[h.paletteOffset + static_cast<std::size_t>(i) * h.paletteEntryBytes];
        palette[i] = packArgb(255, e[2], e[1], e[0]);
    }
    const bool rle = h.compression == kRle8 || h.compression == kRle4;
    if (!rle && static_cast<std::uint64_t>(h.height) * rowStride(h) > data.size() - h.dataOffset) {
        cutShort = true; // refused before allocating
        return false;
    }
    if (!out.allocate(static_cast<std::int32_t>(h.width), static_cast<std::int32_t>(h.height),
                      h.hasAlpha ? AlphaKind::Straight : AlphaKind::None)) {
        return false;
    }
    const bool ok = rle ? decodeRle(data, h, palette.data(), out, cutShort)
                        : decodeUncompressed(data, h, palette.data(), out);
    if (!ok) {
        out.reset();
        return false;
    }
    out.setDpi(h.dpiX, h.dpiY);
    return true;
}

// A file cut short still measures: its header says what the picture is.
bool probeBmp(Bytes head, std::uint64_t fileSize, ImageProbe& out) {
    Header h;
    if (checkHeader(head, fileSize, h) == HeaderCheck::Bad ||
        !plausibleImageSize(static_cast<std::uint64_t>(h.width),
                            static_cast<std::uint64_t>(h.height), fileSize, kRlePixelsPerByte)) {
        return false;
    }
    out.storedSize = {static_cast<std::int32_t>(h.width), static_cast<std::int32_t>(h.height)};
    out.dpiX = h.dpiX;
    out.dpiY = h.dpiY;
    out.hasAlpha = h.hasAlpha;
    return true;
}

} // namespace scalora::codec
