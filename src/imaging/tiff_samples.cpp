#include "imaging/tiff_samples.h"

#include "imaging/codec_support.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace scalora::codec {
namespace {

struct Layout {
    std::uint16_t bits = 8;
    std::uint16_t samples = 1;
    std::uint16_t format = SAMPLEFORMAT_UINT;
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    int colourSamples = 1; // 1 grey, 3 RGB, 4 CMYK
};

// Reads sample `index` of a row of packed samples, most significant bit first, reduced to
// 8 bits.
class SampleReader {
public:
    explicit SampleReader(const Layout& layout) : layout_(layout) {}

    std::uint32_t at(const std::uint8_t* row, std::size_t index) const {
        const std::uint16_t bits = layout_.bits;
        if (layout_.format == SAMPLEFORMAT_IEEEFP) {
            return fromUnitFloat(floatAt(row, index));
        }
        if (bits == 64) {
            std::uint64_t v = 0;
            std::memcpy(&v, row + index * 8, 8);
            return static_cast<std::uint32_t>(v >> 56);
        }
        if (bits == 16) {
            std::uint16_t v = 0;
            std::memcpy(&v, row + index * 2, 2);
            return v >> 8;
        }
        if (bits == 24) {
            return row[index * 3 + 2]; // the high byte of a little-endian triple
        }
        if (bits == 32) {
            std::uint32_t v = 0;
            std::memcpy(&v, row + index * 4, 4);
            return v >> 24;
        }
        // Any other width is a packed bit string.
        const std::uint64_t firstBit = static_cast<std::uint64_t>(index) * bits;
        std::uint64_t value = 0;
        for (std::uint16_t b = 0; b < bits; ++b) {
            const std::uint64_t bit = firstBit + b;
            value = (value << 1) | ((row[bit / 8] >> (7 - bit % 8)) & 1u);
        }
        return bits >= 8 ? static_cast<std::uint32_t>(value >> (bits - 8))
                         : static_cast<std::uint32_t>(value * 255 / ((1u << bits) - 1));
    }

private:
    double floatAt(const std::uint8_t* row, std::size_t index) const {
        if (layout_.bits == 64) {
            double v = 0;
            std::memcpy(&v, row + index * 8, 8);
            return v;
        }
        if (layout_.bits == 32) {
            float v = 0;
            std::memcpy(&v, row + index * 4, 4);
            return v;
        }
        std::uint16_t half = 0;
        std::memcpy(&half, row + index * 2, 2);
        return halfToDouble(half);
    }

    static double halfToDouble(std::uint16_t h) {
        const int exponent = (h >> 10) & 0x1F;
        const double mantissa = h & 0x3FF;
        const double sign = (h & 0x8000) != 0 ? -1.0 : 1.0;
        if (exponent == 0) {
            return sign * std::ldexp(mantissa, -24); // subnormal
        }
        if (exponent == 31) {
            return mantissa == 0 ? sign * HUGE_VAL : NAN;
        }
        return sign * std::ldexp(1024.0 + mantissa, exponent - 25);
    }

    // Floating-point samples hold 0..1 for black to white.
    static std::uint32_t fromUnitFloat(double value) {
        if (std::isnan(value)) {
            return 0;
        }
        return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
    }

    Layout layout_;
};

// The rows of one plane, as TIFFReadScanline gives them: read directly from strips, or cut
// from a band of tiles that is read once for the rows it covers.
class RowSource {
public:
    RowSource(TIFF* tif, std::uint16_t plane) : tif_(tif), plane_(plane) {}

    // False when the tiles' layout cannot be laid side by side into rows.
    [[nodiscard]] bool open(std::uint32_t width, tmsize_t lineSize) {
        line_.assign(static_cast<std::size_t>(lineSize), 0);
        if (!TIFFIsTiled(tif_)) {
            return true;
        }
        TIFFGetField(tif_, TIFFTAG_TILEWIDTH, &tileWidth_);
        TIFFGetField(tif_, TIFFTAG_TILELENGTH, &tileLength_);
        tileBytes_ = TIFFTileSize64(tif_);
        tileRowBytes_ = TIFFTileRowSize64(tif_);
        if (tileWidth_ == 0 || tileLength_ == 0 || tileRowBytes_ == 0 ||
            tileBytes_ / tileRowBytes_ < tileLength_) {
            return false;
        }
        tilesAcross_ = (width + tileWidth_ - 1) / tileWidth_;
        // Rows of adjacent tiles join into a row of the image only when a tile's row ends on
        // a byte without padding bits; the row is then the first lineSize bytes of the band.
        const std::uint64_t bandRowBytes = tilesAcross_ * tileRowBytes_;
        const std::uint64_t bandBytes = tilesAcross_ * tileBytes_;
        if (bandRowBytes < static_cast<std::uint64_t>(lineSize) ||
            std::uint64_t{tileWidth_} * bitsPerPlanePixel() != tileRowBytes_ * 8 ||
            bandBytes > kMaxPixelCount * 4) {
            return false;
        }
        band_.assign(static_cast<std::size_t>(bandBytes), 0);
        line_.assign(static_cast<std::size_t>(bandRowBytes), 0);
        return true;
    }

    // Row y, or null when it cannot be read.
    const std::uint8_t* row(std::uint32_t y) {
        if (!TIFFIsTiled(tif_)) {
            return TIFFReadScanline(tif_, line_.data(), y, plane_) < 0 ? nullptr : line_.data();
        }
        const std::uint32_t band = y / tileLength_;
        if (band != loadedBand_ && !loadBand(band)) {
            return nullptr;
        }
        const std::uint64_t inTile = y % tileLength_;
        for (std::uint32_t t = 0; t < tilesAcross_; ++t) {
            std::memcpy(line_.data() + t * tileRowBytes_,
                        band_.data() + t * tileBytes_ + inTile * tileRowBytes_,
                        static_cast<std::size_t>(tileRowBytes_));
        }
        return line_.data();
    }

private:
    std::uint64_t bitsPerPlanePixel() const {
        std::uint16_t bits = 1, samples = 1, planar = PLANARCONFIG_CONTIG;
        TIFFGetFieldDefaulted(tif_, TIFFTAG_BITSPERSAMPLE, &bits);
        TIFFGetFieldDefaulted(tif_, TIFFTAG_SAMPLESPERPIXEL, &samples);
        TIFFGetFieldDefaulted(tif_, TIFFTAG_PLANARCONFIG, &planar);
        return std::uint64_t{bits} * (planar == PLANARCONFIG_CONTIG ? samples : 1);
    }

    bool loadBand(std::uint32_t band) {
        for (std::uint32_t t = 0; t < tilesAcross_; ++t) {
            if (TIFFReadTile(tif_, band_.data() + t * tileBytes_, t * tileWidth_,
                             band * tileLength_, 0, plane_) < 0) {
                return false;
            }
        }
        loadedBand_ = band;
        return true;
    }

    TIFF* tif_;
    std::uint16_t plane_;
    std::vector<std::uint8_t> line_;
    std::vector<std::uint8_t> band_;
    std::uint32_t tileWidth_ = 0;
    std::uint32_t tileLength_ = 0;
    std::uint32_t tilesAcross_ = 0;
    std::uint64_t tileBytes_ = 0;
    std::uint64_t tileRowBytes_ = 0;
    std::uint32_t loadedBand_ = UINT32_MAX;
};

inline std::uint32_t inkToLight(std::uint32_t ink, std::uint32_t black) {
    const std::uint32_t t = (255 - ink) * (255 - black) + 128;
    return (t + (t >> 8)) >> 8;
}

} // namespace

bool readTiffSamples(TIFF* tif, bool alpha, PixelImage& out) {
    Layout layout;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &layout.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &layout.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &layout.format);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &layout.planar);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &layout.photometric)) {
        return false;
    }
    switch (layout.photometric) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE:
        layout.colourSamples = 1;
        break;
    case PHOTOMETRIC_RGB:
        layout.colourSamples = 3;
        break;
    case PHOTOMETRIC_SEPARATED: {
        std::uint16_t inkSet = INKSET_CMYK;
        TIFFGetFieldDefaulted(tif, TIFFTAG_INKSET, &inkSet);
        if (inkSet != INKSET_CMYK) {
            return false;
        }
        // Three inks are cyan, magenta and yellow without black.
        layout.colourSamples = layout.samples - (alpha ? 1 : 0) == 3 ? 3 : 4;
        break;
    }
    default:
        return false;
    }
    const bool floating = layout.format == SAMPLEFORMAT_IEEEFP;
    // Packed unsigned widths up to 32 bits fit the bit-string reader; 64 is read whole.
    const bool supportedBits = floating
                                   ? (layout.bits == 16 || layout.bits == 32 || layout.bits == 64)
                                   : layout.format == SAMPLEFORMAT_UINT && layout.bits >= 1 &&
                                         (layout.bits <= 32 || layout.bits == 64);
    const int needed = layout.colourSamples + (alpha ? 1 : 0);
    if (!supportedBits || layout.samples < needed) {
        return false;
    }
    const bool contiguous = layout.planar == PLANARCONFIG_CONTIG;
    const tmsize_t lineSize = TIFFScanlineSize(tif);
    const std::uint64_t perRow =
        static_cast<std::uint64_t>(out.width()) * (contiguous ? layout.samples : 1);
    if (lineSize <= 0 || static_cast<std::uint64_t>(lineSize) * 8 < perRow * layout.bits) {
        return false;
    }
    const int planes = contiguous ? 1 : needed;
    std::vector<RowSource> sources;
    std::vector<const std::uint8_t*> lines(static_cast<std::size_t>(planes));
    for (int p = 0; p < planes; ++p) {
        sources.emplace_back(tif, static_cast<std::uint16_t>(p));
        if (!sources.back().open(static_cast<std::uint32_t>(out.width()), lineSize)) {
            return false;
        }
    }
    // libtiff delivers 16, 24, 32-bit and floating-point samples in native (little-endian)
    // byte order; other widths stay packed bit strings, most significant bit first.
    const SampleReader reader(layout);
    for (std::int32_t y = 0; y < out.height(); ++y) {
        for (std::size_t p = 0; p < lines.size(); ++p) {
            lines[p] = sources[p].row(static_cast<std::uint32_t>(y));
            if (lines[p] == nullptr) {
                return false;
            }
        }
        // Sample s of pixel x: in the one line when contiguous, else in line s.
        const auto sample = [&](std::int32_t x, int s) {
            return contiguous
                       ? reader.at(lines[0], static_cast<std::size_t>(x) * layout.samples +
                                                 static_cast<std::size_t>(s))
                       : reader.at(lines[static_cast<std::size_t>(s)], static_cast<std::size_t>(x));
        };
        std::uint32_t* dst = out.row(y);
        for (std::int32_t x = 0; x < out.width(); ++x) {
            std::uint32_t r = 0, g = 0, b = 0;
            if (layout.colourSamples == 1) {
                r = g = b = layout.photometric == PHOTOMETRIC_MINISWHITE ? 255 - sample(x, 0)
                                                                         : sample(x, 0);
            } else if (layout.photometric == PHOTOMETRIC_SEPARATED) {
                const std::uint32_t k = layout.colourSamples == 4 ? sample(x, 3) : 0;
                r = inkToLight(sample(x, 0), k);
                g = inkToLight(sample(x, 1), k);
                b = inkToLight(sample(x, 2), k);
            } else {
                r = sample(x, 0);
                g = sample(x, 1);
                b = sample(x, 2);
            }
            const std::uint32_t a = alpha ? sample(x, layout.colourSamples) : 255;
            dst[x] = packArgb(a, r, g, b);
        }
    }
    return true;
}

} // namespace scalora::codec
