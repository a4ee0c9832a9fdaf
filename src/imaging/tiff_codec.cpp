// TIFF reading and writing over libtiff, in memory. Reading goes through libtiff's RGBA
// interface, which understands nearly every layout (strips, tiles, planar, 16-bit, CMYK,
// palette, YCbCr, the common compressions), and asks for the file's own row order so that the
// orientation is applied afterwards by the same transform as for EXIF.

#include "imaging/codec_support.h"
#include "imaging/codecs.h"
#include "imaging/tiff_samples.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <tiffio.h>

namespace scalora::codec {
namespace {

// How many bits of samples one byte of file can stand for at most: LZW's longest strings give
// about 2730 (4096 samples per 12-bit code), Deflate 1032 x 8; fax coding can code a blank
// row of any width in a few bits, so bilevel images get a much looser bound.
constexpr std::uint64_t kMaxSampleBitsPerByte = 4096 * 8;
constexpr std::uint64_t kMaxFaxPixelsPerByte = 1u << 17;

// Pixels one byte of this file can plausibly stand for, from its sample layout.
std::uint64_t pixelsPerByte(TIFF* tif) {
    std::uint16_t bits = 1;
    std::uint16_t samples = 1;
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    if (compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTRLEW ||
        compression == COMPRESSION_CCITTFAX3 || compression == COMPRESSION_CCITTFAX4 ||
        compression == COMPRESSION_JBIG) {
        return kMaxFaxPixelsPerByte;
    }
    const std::uint64_t bitsPerPixel = std::max<std::uint64_t>(1, std::uint64_t{bits} * samples);
    return std::max<std::uint64_t>(1, kMaxSampleBitsPerByte / bitsPerPixel);
}

// No single libtiff buffer (a strip or tile) may exceed the largest image we accept.
constexpr tmsize_t kMaxTiffAllocation = static_cast<tmsize_t>(kMaxPixelCount * 4);

// In-memory file for libtiff's client interface; read-only views and growable outputs alike.
struct MemoryFile {
    const std::uint8_t* data = nullptr;
    std::uint64_t size = 0;
    std::uint64_t position = 0;
    std::vector<std::uint8_t>* output = nullptr; // set when writing
};

tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t count) {
    auto* f = static_cast<MemoryFile*>(handle);
    if (count <= 0 || f->position >= f->size) {
        return 0;
    }
    const std::uint64_t n =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(count), f->size - f->position);
    std::memcpy(buffer, f->data + f->position, static_cast<std::size_t>(n));
    f->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeProc(thandle_t handle, void* buffer, tmsize_t count) {
    auto* f = static_cast<MemoryFile*>(handle);
    if (f->output == nullptr || count < 0) {
        return -1;
    }
    const std::uint64_t end = f->position + static_cast<std::uint64_t>(count);
    try {
        if (end > f->output->size()) {
            f->output->resize(static_cast<std::size_t>(end));
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    std::memcpy(f->output->data() + f->position, buffer, static_cast<std::size_t>(count));
    f->position = end;
    f->data = f->output->data();
    f->size = f->output->size();
    return count;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) {
        base = f->position;
    } else if (whence == SEEK_END) {
        base = f->size;
    }
    const std::uint64_t target = base + offset;
    if (target < base) {
        return static_cast<toff_t>(-1);
    }
    f->position = target;
    return target;
}

int closeProc(thandle_t) {
    return 0;
}

toff_t sizeProc(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->size;
}

// Reading maps the buffer directly instead of copying strips out of it.
int mapProc(thandle_t handle, void** base, toff_t* size) {
    auto* f = static_cast<MemoryFile*>(handle);
    if (f->output != nullptr) {
        return 0;
    }
    *base = const_cast<std::uint8_t*>(f->data);
    *size = f->size;
    return 1;
}

void unmapProc(thandle_t, void*, toff_t) {}

// Messages are not printed (the program writes no log); errors are counted, since libtiff
// goes on after some of them (a damaged strip) and returns an image with holes.
int countError(TIFF*, void* errors, const char*, const char*, va_list) {
    ++*static_cast<int*>(errors);
    return 1;
}
int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};
struct TiffCloser {
    void operator()(TIFF* t) const { TIFFClose(t); }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;

TiffPtr openTiff(MemoryFile& file, const char* mode, int& errors) {
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options) {
        return nullptr;
    }
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), countError, &errors);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), ignoreWarning, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxTiffAllocation);
    return TiffPtr(TIFFClientOpenExt("memory", mode, &file, readProc, writeProc, seekProc,
                                     closeProc, sizeProc, mapProc, unmapProc, options.get()));
}

struct DirectoryFacts {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int orientation = 1;
    double dpiX = 0;
    double dpiY = 0;
    bool unassociatedAlpha = false;
    bool associatedAlpha = false;
    bool hasAlpha() const { return unassociatedAlpha || associatedAlpha; }
};

DirectoryFacts directoryFacts(TIFF* tif) {
    DirectoryFacts facts;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &facts.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &facts.height);
    std::uint16_t orientation = 1;
    if (TIFFGetField(tif, TIFFTAG_ORIENTATION, &orientation) && orientation >= 1 &&
        orientation <= 8) {
        facts.orientation = orientation;
    }
    float xRes = 0;
    float yRes = 0;
    std::uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xRes) &&
        TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yRes) && xRes > 0 && yRes > 0) {
        if (unit == RESUNIT_INCH) {
            facts.dpiX = xRes;
            facts.dpiY = yRes;
        } else if (unit == RESUNIT_CENTIMETER) {
            facts.dpiX = dpiFromPixelsPerCentimetre(xRes);
            facts.dpiY = dpiFromPixelsPerCentimetre(yRes);
        }
    }
    std::uint16_t extraCount = 0;
    std::uint16_t* extra = nullptr;
    if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extraCount > 0 &&
        extra != nullptr) {
        facts.unassociatedAlpha = extra[0] == EXTRASAMPLE_UNASSALPHA;
        facts.associatedAlpha = extra[0] == EXTRASAMPLE_ASSOCALPHA;
    }
    return facts;
}

// Whether the first directory lies past the end of the data, as when a file written directory
// last has lost its end.
bool directoryPastEnd(Bytes data) {
    if (data.size() < 8) {
        return false;
    }
    const bool little = data[0] == 'I';
    const std::uint16_t version = little ? readLe16(&data[2]) : readBe16(&data[2]);
    if (version == 43) { // BigTIFF: a 64-bit offset at byte 8
        if (data.size() < 16) {
            return true;
        }
        std::uint64_t offset = 0;
        for (int i = 0; i < 8; ++i) {
            offset = (offset << 8) | data[static_cast<std::size_t>(little ? 15 - i : 8 + i)];
        }
        return offset >= data.size();
    }
    const std::uint32_t offset = little ? readLe32(&data[4]) : readBe32(&data[4]);
    return offset >= data.size();
}

// Whether a strip or tile of the current directory runs past the end of the data.
bool stripsPastEnd(TIFF* tif, std::uint64_t size) {
    const std::uint32_t count = TIFFIsTiled(tif) ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t offset = TIFFGetStrileOffset(tif, i);
        const std::uint64_t bytes = TIFFGetStrileByteCount(tif, i);
        if (offset > size || bytes > size - offset) {
            return true;
        }
    }
    return false;
}

inline std::uint32_t abgrToArgb(std::uint32_t p) {
    return (p & 0xFF00FF00u) | ((p & 0xFFu) << 16) | ((p >> 16) & 0xFFu);
}

} // namespace

bool decodeTiff(Bytes data, PixelImage& out, int& orientation, bool& cutShort) {
    out.reset();
    orientation = 1;
    cutShort = false;
    MemoryFile file{data.data(), data.size(), 0, nullptr};
    int errors = 0;
    TiffPtr tif = openTiff(file, "rm", errors);
    if (!tif) {
        cutShort = directoryPastEnd(data);
        return false;
    }
    const DirectoryFacts facts = directoryFacts(tif.get());
    if (!plausibleImageSize(facts.width, facts.height, data.size(), pixelsPerByte(tif.get()))) {
        return false;
    }
    if (facts.unassociatedAlpha) {
        // libtiff would premultiply unassociated alpha (losing precision in faint pixels); told
        // the alpha is associated, it hands the samples over unchanged, which is what we want.
        std::uint16_t count = 0;
        std::uint16_t* extra = nullptr;
        TIFFGetField(tif.get(), TIFFTAG_EXTRASAMPLES, &count, &extra);
        std::vector<std::uint16_t> changed(extra, extra + count);
        changed[0] = EXTRASAMPLE_ASSOCALPHA;
        TIFFSetField(tif.get(), TIFFTAG_EXTRASAMPLES, count, changed.data());
    }
    // Only extra samples declared as alpha count: libtiff also takes an unspecified fourth
    // sample for alpha, which other readers (rightly) ignore.
    const bool hasAlpha = facts.hasAlpha();
    if (!out.allocate(static_cast<std::int32_t>(facts.width),
                      static_cast<std::int32_t>(facts.height),
                      hasAlpha ? AlphaKind::Straight : AlphaKind::None)) {
        return false;
    }
    // Layouts the RGBA interface does not know; samples come out in the file's order. The
    // interface's refusal was reported as an error, which does not count against the file.
    const auto readSamples = [&] {
        errors = 0;
        if (!readTiffSamples(tif.get(), hasAlpha, out) || errors > 0) {
            out.reset();
            cutShort = stripsPastEnd(tif.get(), data.size());
            return false;
        }
        if (hasAlpha && facts.associatedAlpha) {
            for (std::int32_t y = 0; y < out.height(); ++y) {
                unpremultiplyRow(out.row(y), out.row(y), out.width());
            }
        }
        out.setDpi(facts.dpiX, facts.dpiY);
        orientation = facts.orientation;
        return true;
    };
    char message[1024] = {};
    TIFFRGBAImage img{};
    if (!TIFFRGBAImageOK(tif.get(), message) || !TIFFRGBAImageBegin(&img, tif.get(), 1, message)) {
        return readSamples();
    }
    // The file's own orientation as the requested one: rows come out as stored.
    img.req_orientation = static_cast<std::uint16_t>(facts.orientation);
    // libtiff's raster is width x height contiguous pixels: the image's own buffer when its
    // rows have no padding, else a separate raster copied row by row.
    const bool contiguous = out.stridePixels() == static_cast<std::size_t>(out.width());
    std::vector<std::uint32_t> raster;
    if (!contiguous) {
        raster.resize(static_cast<std::size_t>(facts.width) * facts.height);
    }
    const bool ok = TIFFRGBAImageGet(&img, contiguous ? out.row(0) : raster.data(), facts.width,
                                     facts.height) != 0;
    TIFFRGBAImageEnd(&img);
    for (std::int32_t y = 0; ok && !contiguous && y < out.height(); ++y) {
        std::memcpy(out.row(y), raster.data() + static_cast<std::size_t>(y) * facts.width,
                    static_cast<std::size_t>(facts.width) * sizeof(std::uint32_t));
    }
    if (!ok || errors > 0) {
        // The interface misreads uncompressed tiles held in memory (it asks for more bytes
        // than a tile has); tiles are read one by one instead.
        if (TIFFIsTiled(tif.get()) && !stripsPastEnd(tif.get(), data.size())) {
            return readSamples();
        }
        out.reset();
        cutShort = stripsPastEnd(tif.get(), data.size());
        return false;
    }
    const bool premultiplied = hasAlpha && facts.associatedAlpha;
    const std::uint32_t opaque = hasAlpha ? 0 : 0xFF000000u;
    for (std::int32_t y = 0; y < out.height(); ++y) {
        std::uint32_t* row = out.row(y);
        for (std::int32_t x = 0; x < out.width(); ++x) {
            row[x] = abgrToArgb(row[x]) | opaque;
        }
        if (premultiplied) {
            unpremultiplyRow(row, row, out.width());
        }
    }
    out.setDpi(facts.dpiX, facts.dpiY);
    orientation = facts.orientation;
    return true;
}

bool probeTiff(Bytes head, std::uint64_t fileSize, ImageProbe& out) {
    MemoryFile file{head.data(), head.size(), 0, nullptr};
    int errors = 0;
    TiffPtr tif = openTiff(file, "rm", errors);
    if (!tif) {
        return false;
    }
    const DirectoryFacts facts = directoryFacts(tif.get());
    out.storedSize = {static_cast<std::int32_t>(facts.width),
                      static_cast<std::int32_t>(facts.height)};
    out.dpiX = facts.dpiX;
    out.dpiY = facts.dpiY;
    out.orientation = facts.orientation;
    out.hasAlpha = facts.hasAlpha();
    return plausibleImageSize(facts.width, facts.height, fileSize, pixelsPerByte(tif.get()));
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

// About 256 KiB of raw pixels per strip: large enough for the compressor to work well, small
// enough that readers need little memory per strip.
constexpr std::uint64_t kTargetStripBytes = 256 * 1024;

bool writeDirectory(TIFF* tif, const PixelImage& image, bool withAlpha, Bytes iccProfile) {
    const std::uint16_t samples = withAlpha ? 4 : 3;
    const auto rowBytes = static_cast<std::uint64_t>(image.width()) * samples;
    const auto rowsPerStrip = static_cast<std::uint32_t>(
        std::clamp<std::uint64_t>(kTargetStripBytes / std::max<std::uint64_t>(rowBytes, 1), 1,
                                  static_cast<std::uint64_t>(image.height())));
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(image.width())) &&
              TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(image.height())) &&
              TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              // LZW with the horizontal predictor: lossless, and the compression every TIFF
              // reader in use understands (Deflate is a little smaller but not read everywhere).
              TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
              TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) &&
              TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    if (ok && withAlpha) {
        const std::uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
        ok = TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (ok && saneDpi(image.dpiX()) > 0 && saneDpi(image.dpiY()) > 0) {
        ok = TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(image.dpiX())) &&
             TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(image.dpiY())) &&
             TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    }
    if (ok && !iccProfile.empty()) {
        ok = TIFFSetField(tif, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(iccProfile.size()),
                          iccProfile.data());
    }
    return ok;
}

} // namespace

bool encodeTiff(const PixelImage& image, Bytes iccProfile, std::vector<std::uint8_t>& out) {
    out.clear();
    if (image.isNull()) {
        return false;
    }
    const bool withAlpha = hasTransparentPixel(image);
    const bool premultiplied = withAlpha && image.alphaKind() == AlphaKind::Premultiplied;
    MemoryFile file{nullptr, 0, 0, &out};
    int errors = 0;
    TiffPtr tif = openTiff(file, "w", errors);
    if (!tif || !writeDirectory(tif.get(), image, withAlpha, iccProfile)) {
        out.clear();
        return false;
    }
    const std::size_t samples = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width()) * samples);
    std::vector<std::uint32_t> straight(premultiplied ? static_cast<std::size_t>(image.width())
                                                      : 0);
    for (std::int32_t y = 0; y < image.height(); ++y) {
        const std::uint32_t* src = image.row(y);
        if (premultiplied) {
            unpremultiplyRow(src, straight.data(), image.width());
            src = straight.data();
        }
        std::uint8_t* dst = row.data();
        for (std::int32_t x = 0; x < image.width(); ++x, dst += samples) {
            const std::uint32_t p = src[x];
            dst[0] = static_cast<std::uint8_t>(p >> 16);
            dst[1] = static_cast<std::uint8_t>(p >> 8);
            dst[2] = static_cast<std::uint8_t>(p);
            if (withAlpha) {
                dst[3] = static_cast<std::uint8_t>(p >> 24);
            }
        }
        if (TIFFWriteScanline(tif.get(), row.data(), static_cast<std::uint32_t>(y), 0) < 0) {
            tif.reset();
            out.clear();
            return false;
        }
    }
    // Closing writes the directory; libtiff reports a failed final write only through
    // TIFFFlush, so flush first and check.
    const bool flushed = TIFFFlush(tif.get()) != 0 && errors == 0;
    tif.reset();
    if (!flushed) {
        out.clear();
        return false;
    }
    return true;
}

} // namespace scalora::codec
