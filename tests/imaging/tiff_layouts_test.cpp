// TIFF layouts written with libtiff and read back: every sample width from 1 to 32 bits, in
// strips and in tiles, contiguous and planar, without alpha and with associated or unassociated
// alpha. The conformance corpus holds only some of these; a reader that mixes up bit order,
// byte order, planes or tile edges shows it here.

#include "imaging/image_decoder.h"
#include "support/test_support.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <tiffio.h>
#include <vector>

namespace scalora {
namespace {

constexpr std::uint32_t kWidth = 37; // three tiles across, the last one partly outside
constexpr std::uint32_t kHeight = 19;
constexpr std::uint32_t kTile = 16;

enum class Alpha { None, Associated, Unassociated };

struct Layout {
    std::uint16_t bits = 8;
    bool tiled = false;
    bool planar = false;
    Alpha alpha = Alpha::None;
    std::uint16_t samples() const { return alpha == Alpha::None ? 3 : 4; }
};

std::uint32_t maxSample(std::uint16_t bits) {
    return bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
}

// Sample s of pixel (x, y): colour from a hash; alpha opaque or, every third pixel, clear
// (with no colour, as associated alpha needs).
std::uint32_t sampleAt(const Layout& layout, std::uint32_t x, std::uint32_t y, std::uint32_t s) {
    const bool clear = layout.alpha != Alpha::None && (x + y) % 3 == 0;
    if (s == 3) {
        return clear ? 0 : maxSample(layout.bits);
    }
    std::uint32_t h = (x * 73856093u) ^ (y * 19349663u) ^ (s * 83492791u);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return clear ? 0 : h & maxSample(layout.bits);
}

// What a reader gives for a sample in 8 bits: the high byte, or the value scaled up.
std::uint32_t to8(std::uint32_t v, std::uint16_t bits) {
    return bits >= 8 ? v >> (bits - 8)
                     : static_cast<std::uint32_t>(std::uint64_t{v} * 255 / maxSample(bits));
}

// Packs samples as libtiff hands them over: 16, 24 and 32 bits in native byte order, every
// other width as a bit string, most significant bit first, each row starting on a byte.
class RowPacker {
public:
    RowPacker(std::vector<std::uint8_t>& out, std::uint16_t bits) : out_(out), bits_(bits) {}
    void put(std::uint32_t v) {
        if (bits_ == 16 || bits_ == 24 || bits_ == 32) {
            for (int i = 0; i < bits_ / 8; ++i) {
                out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
            }
            return;
        }
        for (int b = bits_ - 1; b >= 0; --b) {
            if (used_ % 8 == 0) {
                out_.push_back(0);
            }
            out_.back() =
                static_cast<std::uint8_t>(out_.back() | (((v >> b) & 1u) << (7 - used_ % 8)));
            ++used_;
        }
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint16_t bits_;
    std::uint64_t used_ = 0;
};

// The samples of rows y0.. of columns x0..x0+width of one plane (-1: all samples interleaved).
std::vector<std::uint8_t> packBlock(const Layout& layout, std::uint32_t x0, std::uint32_t y0,
                                    std::uint32_t width, std::uint32_t rows, int plane) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t y = y0; y < y0 + rows; ++y) {
        RowPacker packer(bytes, layout.bits);
        for (std::uint32_t x = x0; x < x0 + width; ++x) {
            for (std::uint32_t s = 0; s < layout.samples(); ++s) {
                if (plane < 0 || static_cast<std::uint32_t>(plane) == s) {
                    packer.put(x < kWidth && y < kHeight ? sampleAt(layout, x, y, s) : 0);
                }
            }
        }
    }
    return bytes;
}

bool writeTiff(const std::string& path, const Layout& layout) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (tif == nullptr) {
        return false;
    }
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, layout.bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, layout.samples());
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG,
                 layout.planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    if (layout.alpha != Alpha::None) {
        const std::uint16_t extra[1] = {layout.alpha == Alpha::Associated
                                            ? std::uint16_t{EXTRASAMPLE_ASSOCALPHA}
                                            : std::uint16_t{EXTRASAMPLE_UNASSALPHA}};
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    const int planes = layout.planar ? layout.samples() : 1;
    bool ok = true;
    if (layout.tiled) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, kTile);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, kTile);
        for (int p = 0; p < planes && ok; ++p) {
            for (std::uint32_t y = 0; y < kHeight && ok; y += kTile) {
                for (std::uint32_t x = 0; x < kWidth && ok; x += kTile) {
                    std::vector<std::uint8_t> tile =
                        packBlock(layout, x, y, kTile, kTile, layout.planar ? p : -1);
                    ok = TIFFWriteTile(tif, tile.data(), x, y, 0, static_cast<std::uint16_t>(p)) >=
                         0;
                }
            }
        }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 4u);
        for (int p = 0; p < planes && ok; ++p) {
            for (std::uint32_t y = 0; y < kHeight && ok; ++y) {
                std::vector<std::uint8_t> row =
                    packBlock(layout, 0, y, kWidth, 1, layout.planar ? p : -1);
                ok = TIFFWriteScanline(tif, row.data(), y, static_cast<std::uint16_t>(p)) >= 0;
            }
        }
    }
    TIFFClose(tif);
    return ok;
}

// Where the decode differs from the samples written; empty when it matches. libtiff's own
// 16-bit path rounds where the high byte is taken, so 16 bits may be off by one.
std::string difference(const PixelImage& image, const Layout& layout) {
    if (image.width() != static_cast<std::int32_t>(kWidth) ||
        image.height() != static_cast<std::int32_t>(kHeight)) {
        return "size";
    }
    if ((image.alphaKind() != AlphaKind::None) != (layout.alpha != Alpha::None)) {
        return "alpha kind";
    }
    const int slack = layout.bits == 16 ? 1 : 0;
    for (std::uint32_t y = 0; y < kHeight; ++y) {
        for (std::uint32_t x = 0; x < kWidth; ++x) {
            const std::uint32_t p =
                image.pixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
            const std::uint32_t alpha =
                layout.alpha == Alpha::None ? 255 : to8(sampleAt(layout, x, y, 3), layout.bits);
            const int shifts[4] = {16, 8, 0, 24};
            for (std::uint32_t s = 0; s < 4; ++s) {
                if (alpha == 0 && s < 3) {
                    continue; // no colour under clear alpha
                }
                const std::uint32_t expected =
                    s == 3 ? alpha : to8(sampleAt(layout, x, y, s), layout.bits);
                const int actual = static_cast<int>((p >> shifts[s]) & 0xFF);
                if (std::abs(actual - static_cast<int>(expected)) > slack) {
                    return "pixel " + std::to_string(x) + "," + std::to_string(y) + " sample " +
                           std::to_string(s) + ": " + std::to_string(actual) + " for " +
                           std::to_string(expected);
                }
            }
        }
    }
    return {};
}

TEST(TiffSamples, EveryDepthInStripsAndTilesPlanesAndAlphaKindsDecodes) {
    test::TempDir dir;
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    for (std::uint16_t bits = 1; bits <= 32; ++bits) {
        for (const bool tiled : {false, true}) {
            for (const bool planar : {false, true}) {
                for (const Alpha alpha : {Alpha::None, Alpha::Associated, Alpha::Unassociated}) {
                    const Layout layout{bits, tiled, planar, alpha};
                    const std::string name = std::to_string(bits) + (tiled ? "-tiled" : "-strips") +
                                             (planar ? "-planar" : "-contig") + "-alpha" +
                                             std::to_string(static_cast<int>(alpha)) + ".tif";
                    const std::string path = (dir / name).string();
                    ASSERT_TRUE(writeTiff(path, layout)) << name;
                    PixelImage image;
                    const bool decoded = decodeImageFile(path, DecodeOptions{}, image);
                    EXPECT_TRUE(decoded) << name;
                    if (decoded) {
                        EXPECT_EQ(difference(image, layout), "") << name;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace scalora
