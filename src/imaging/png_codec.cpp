// PNG reading and writing over libpng. libpng reports errors by longjmp to the setjmp in
// png_jmpbuf; the functions that call setjmp keep no objects with destructors, and everything
// that owns memory lives in their callers' frames.

#include "imaging/codec_support.h"
#include "imaging/codecs.h"
#include "imaging/image_rows.h"

#include <csetjmp>
#include <cstring>
#include <new>
#include <png.h>

namespace scalora::codec {
namespace {

// zlib cannot expand one byte into more than about 1032, so the filtered rows of an image
// cannot be more than 1032 times the file. Anything claiming more is refused up front.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

// Ancillary chunks are never allocated or parsed: the decoder needs only the header, palette,
// transparency, resolution and image data, and a forged text or profile chunk could otherwise
// ask libpng for gigabytes before its data is even read.
constexpr png_byte kSkippedChunks[] = {
    'b', 'K', 'G', 'D', '\0', 'c', 'H', 'R', 'M', '\0', 'e', 'X', 'I', 'f', '\0',
    'g', 'A', 'M', 'A', '\0', 'h', 'I', 'S', 'T', '\0', 'i', 'C', 'C', 'P', '\0',
    'i', 'T', 'X', 't', '\0', 'o', 'F', 'F', 's', '\0', 'p', 'C', 'A', 'L', '\0',
    's', 'B', 'I', 'T', '\0', 's', 'C', 'A', 'L', '\0', 's', 'P', 'L', 'T', '\0',
    's', 'R', 'G', 'B', '\0', 's', 'T', 'E', 'R', '\0', 't', 'E', 'X', 't', '\0',
    't', 'I', 'M', 'E', '\0', 'z', 'T', 'X', 't', '\0'};
constexpr int kSkippedChunkCount = sizeof(kSkippedChunks) / 5;

// No chunk the decoder keeps comes near this (a palette is 768 bytes).
constexpr png_alloc_size_t kMaxChunkAllocation = 1 << 20;

// Whether the declared image can come from `fileBytes` of file: believed below
// kBelievedPixelCount, else its filtered rows must fit the deflate ratio.
bool plausiblePng(png_uint_32 width, png_uint_32 height, int bitDepth, int colorType,
                  std::uint64_t fileBytes) {
    if (!plausibleImageSize(width, height, kMaxPixelCount, 1)) {
        return false;
    }
    if (static_cast<std::uint64_t>(width) * height <= kBelievedPixelCount) {
        return true;
    }
    const int channels = colorType == PNG_COLOR_TYPE_RGB_ALPHA    ? 4
                         : colorType == PNG_COLOR_TYPE_RGB        ? 3
                         : colorType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                  : 1;
    const std::uint64_t rowBytes =
        (static_cast<std::uint64_t>(width) * channels * bitDepth + 7) / 8 + 1;
    return rowBytes * height / kMaxDeflateRatio <= fileBytes;
}

struct MemoryReader {
    Bytes data;
    std::size_t offset = 0;
    bool ranOut = false; // a read wanted more than the data holds
};

void readFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (count > reader->data.size() - reader->offset) {
        reader->ranOut = true;
        png_error(png, "read past end of data");
    }
    std::memcpy(out, reader->data.data() + reader->offset, count);
    reader->offset += count;
}

void ignoreWarning(png_structp, png_const_charp) {}

// png_error must not return: jump back to png_jmpbuf without printing.
[[noreturn]] void jumpOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

struct ReadStruct {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ReadStruct() = default;
    ReadStruct(const ReadStruct&) = delete;
    ReadStruct& operator=(const ReadStruct&) = delete;
    ~ReadStruct() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
    bool create() {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning);
        info = png ? png_create_info_struct(png) : nullptr;
        return info != nullptr;
    }
};

struct HeaderFacts {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 8;
    int colorType = 0;
    bool hasAlpha = false;
    double dpiX = 0;
    double dpiY = 0;
};

// A tRNS colour outside the sample range matches no pixel, but libpng would mask it down to
// the bit depth and make some real colour transparent. The image still declares transparency.
void dropOutOfRangeTransparency(png_structp png, png_infop info) {
    png_bytep alphas = nullptr;
    int count = 0;
    png_color_16p colour = nullptr;
    const int colorType = png_get_color_type(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE ||
        png_get_tRNS(png, info, &alphas, &count, &colour) == 0 || colour == nullptr) {
        return;
    }
    const unsigned max = (1u << png_get_bit_depth(png, info)) - 1;
    const bool outOfRange = colorType == PNG_COLOR_TYPE_GRAY
                                ? colour->gray > max
                                : (colour->red > max || colour->green > max || colour->blue > max);
    if (outOfRange) {
        png_set_invalid(png, info, PNG_INFO_tRNS);
    }
}

bool readInfo(ReadStruct& r, MemoryReader& reader, HeaderFacts& facts) {
    if (setjmp(png_jmpbuf(r.png))) {
        return false;
    }
    png_set_read_fn(r.png, &reader, readFromMemory);
    // Limits are ours (kMaxPixelCount); libpng's own default of 1,000,000 per side is looser.
    png_set_user_limits(r.png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_set_chunk_malloc_max(r.png, kMaxChunkAllocation);
    png_set_keep_unknown_chunks(r.png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, kSkippedChunkCount);
    png_read_info(r.png, r.info);
    facts.width = png_get_image_width(r.png, r.info);
    facts.height = png_get_image_height(r.png, r.info);
    const int colorType = png_get_color_type(r.png, r.info);
    facts.bitDepth = png_get_bit_depth(r.png, r.info);
    facts.colorType = colorType;
    facts.hasAlpha =
        (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(r.png, r.info, PNG_INFO_tRNS) != 0;
    png_uint_32 resX = 0;
    png_uint_32 resY = 0;
    int unit = 0;
    if (png_get_pHYs(r.png, r.info, &resX, &resY, &unit) != 0 && unit == PNG_RESOLUTION_METER) {
        facts.dpiX = dpiFromPixelsPerMetre(resX);
        facts.dpiY = dpiFromPixelsPerMetre(resY);
    }
    dropOutOfRangeTransparency(r.png, r.info);
    return true;
}

// Palettes, low bit depths and tRNS become 8-bit samples with alpha where needed; 16-bit
// samples keep their high byte; grey becomes RGB; B G R A matches the pixel layout.
bool setTransforms(ReadStruct& r, png_uint_32 width) {
    if (setjmp(png_jmpbuf(r.png))) {
        return false;
    }
    png_structp png = r.png;
    png_infop info = r.info;
    const int colorType = png_get_color_type(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    } else {
        png_set_expand_gray_1_2_4_to_8(png);
        if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
            png_set_tRNS_to_alpha(png);
        }
    }
    png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == static_cast<png_size_t>(width) * 4;
}

bool readRows(ReadStruct& r, png_bytep* rows) {
    if (setjmp(png_jmpbuf(r.png))) {
        return false;
    }
    png_read_image(r.png, rows);
    // The end chunk and anything after the image data are not needed.
    return true;
}

bool readOneRow(ReadStruct& r, std::uint32_t* out) {
    if (setjmp(png_jmpbuf(r.png))) {
        return false;
    }
    png_read_row(r.png, reinterpret_cast<png_bytep>(out), nullptr);
    return true;
}

// A non-interlaced PNG read row by row.
class PngRowReader final : public ImageRowReader {
public:
    explicit PngRowReader(Bytes data) : reader_{data, 0} {}
    bool open() {
        HeaderFacts facts;
        if (!r_.create() || !readInfo(r_, reader_, facts) ||
            !plausiblePng(facts.width, facts.height, facts.bitDepth, facts.colorType,
                          reader_.data.size()) ||
            png_get_interlace_type(r_.png, r_.info) != PNG_INTERLACE_NONE ||
            !setTransforms(r_, facts.width)) {
            return false;
        }
        size_ = {static_cast<std::int32_t>(facts.width), static_cast<std::int32_t>(facts.height)};
        alpha_ = facts.hasAlpha ? AlphaKind::Straight : AlphaKind::None;
        dpiX_ = facts.dpiX;
        dpiY_ = facts.dpiY;
        return true;
    }
    bool readRow(std::uint32_t* out) override {
        const bool read = rowsRead_++ < size_.height && readOneRow(r_, out);
        cutShort_ = !read && reader_.ranOut;
        return read;
    }
    bool finish() override { return rowsRead_ == size_.height; }

private:
    ReadStruct r_;
    MemoryReader reader_;
    std::int32_t rowsRead_ = 0;
};

} // namespace

bool decodePng(Bytes data, PixelImage& out, bool& cutShort) {
    out.reset();
    cutShort = false;
    ReadStruct r;
    MemoryReader reader{data, 0};
    HeaderFacts facts;
    if (!r.create() || !readInfo(r, reader, facts) ||
        !plausiblePng(facts.width, facts.height, facts.bitDepth, facts.colorType, data.size())) {
        return false;
    }
    if (!out.allocate(static_cast<std::int32_t>(facts.width),
                      static_cast<std::int32_t>(facts.height),
                      facts.hasAlpha ? AlphaKind::Straight : AlphaKind::None)) {
        return false;
    }
    std::vector<png_bytep> rows(facts.height);
    for (png_uint_32 y = 0; y < facts.height; ++y) {
        rows[y] = out.bytes() + y * out.strideBytes();
    }
    if (!setTransforms(r, facts.width) || !readRows(r, rows.data())) {
        out.reset();
        cutShort = reader.ranOut;
        return false;
    }
    out.setDpi(facts.dpiX, facts.dpiY);
    return true;
}

bool probePng(Bytes data, std::uint64_t fileSize, ImageProbe& out) {
    ReadStruct r;
    MemoryReader reader{data, 0};
    HeaderFacts facts;
    if (!r.create() || !readInfo(r, reader, facts)) {
        return false;
    }
    out.storedSize = {static_cast<std::int32_t>(facts.width),
                      static_cast<std::int32_t>(facts.height)};
    out.dpiX = facts.dpiX;
    out.dpiY = facts.dpiY;
    out.hasAlpha = facts.hasAlpha;
    return plausiblePng(facts.width, facts.height, facts.bitDepth, facts.colorType, fileSize);
}

} // namespace scalora::codec

namespace scalora {

std::unique_ptr<ImageRowReader> openPngRows(std::span<const std::uint8_t> data) {
    auto reader = std::make_unique<codec::PngRowReader>(data);
    if (!reader->open()) {
        return nullptr;
    }
    return reader;
}

} // namespace scalora
