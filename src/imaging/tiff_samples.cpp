#include "imaging/tiff_samples.h"

#include "imaging/codec_support.h"

#include <algorithm>
#include <cmath>
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
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &layout.photometric) || TIFFIsTiled(tif)) {
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
    std::vector<std::vector<std::uint8_t>> lines(
        static_cast<std::size_t>(planes),
        std::vector<std::uint8_t>(static_cast<std::size_t>(lineSize)));
    // libtiff delivers 16, 24, 32-bit and floating-point samples in native (little-endian)
    // byte order; other widths stay packed bit strings, most significant bit first.
    const SampleReader reader(layout);
    for (std::int32_t y = 0; y < out.height(); ++y) {
        for (int p = 0; p < planes; ++p) {
            if (TIFFReadScanline(tif, lines[static_cast<std::size_t>(p)].data(),
                                 static_cast<std::uint32_t>(y),
                                 static_cast<std::uint16_t>(p)) < 0) {
                return false;
            }
        }
        // Sample s of pixel x: in the one line when contiguous, else in line s.
        const auto sample = [&](std::int32_t x, int s) {
            return contiguous
                       ? reader.at(lines[0].data(), static_cast<std::size_t>(x) * layout.samples +
                                                        static_cast<std::size_t>(s))
                       : reader.at(lines[static_cast<std::size_t>(s)].data(),
                                   static_cast<std::size_t>(x));
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
