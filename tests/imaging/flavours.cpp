#include "imaging/flavours.h"

#include "support/test_support.h"

#include <cstdint>
#include <tiffio.h>

namespace scalora::test {
namespace {

int quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

std::string compressionName(std::uint16_t c) {
    switch (c) {
    case COMPRESSION_NONE:
        return "raw";
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
        return "fax";
    case COMPRESSION_LZW:
        return "lzw";
    case COMPRESSION_OJPEG:
        return "old jpeg";
    case COMPRESSION_JPEG:
        return "jpeg";
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
        return "deflate";
    case COMPRESSION_PACKBITS:
        return "packbits";
    default:
        return "compression " + std::to_string(c);
    }
}

std::vector<std::string> tiffFlavours(const std::filesystem::path& file) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, quiet, nullptr);
    TIFF* tif = TIFFOpenExt(file.c_str(), "r", options);
    TIFFOpenOptionsFree(options);
    if (tif == nullptr) {
        return {"tiff unreadable"};
    }
    std::uint16_t bits = 1, planar = PLANARCONFIG_CONTIG, format = SAMPLEFORMAT_UINT;
    std::uint16_t compression = COMPRESSION_NONE, count = 0;
    std::uint16_t* extra = nullptr;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    std::string alpha = "tiff no alpha";
    if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &extra) && count > 0) {
        alpha = extra[0] == EXTRASAMPLE_ASSOCALPHA   ? "tiff associated alpha"
                : extra[0] == EXTRASAMPLE_UNASSALPHA ? "tiff unassociated alpha"
                                                     : "tiff unspecified extra sample";
    }
    const std::string kind = format == SAMPLEFORMAT_IEEEFP ? " float"
                             : format == SAMPLEFORMAT_INT  ? " signed"
                                                           : "";
    std::vector<std::string> flavours = {TIFFIsTiled(tif) ? "tiff tiled" : "tiff stripped",
                                         planar == PLANARCONFIG_SEPARATE ? "tiff planar"
                                                                         : "tiff contiguous",
                                         "tiff " + std::to_string(bits) + "-bit" + kind, alpha,
                                         "tiff " + compressionName(compression)};
    TIFFClose(tif);
    return flavours;
}

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    }
    return v;
}

std::vector<std::string> bmpFlavours(const std::filesystem::path& file) {
    const std::string b = readFile(file);
    if (b.size() < 30) {
        return {"bmp unreadable"};
    }
    const std::uint32_t size = le(b, 14, 4);
    const std::uint32_t bits = size == 12 ? le(b, 24, 2) : le(b, 28, 2);
    const std::uint32_t compression = size >= 20 && b.size() >= 34 ? le(b, 30, 4) : 0;
    std::string header = "bmp " + std::to_string(size) + "-byte header";
    switch (size) {
    case 12:
        header = "bmp os/2 1.x header";
        break;
    case 40:
        header = "bmp info header";
        break;
    case 52:
    case 56:
    case 108:
    case 124:
        header = "bmp v" +
                 std::to_string(size == 52    ? 2
                                : size == 56  ? 3
                                : size == 108 ? 4
                                              : 5) +
                 " header";
        break;
    default:
        if (size >= 16 && size <= 64) {
            header = "bmp os/2 2.x header";
        }
    }
    static const char* const kCompressions[] = {
        "rgb", "rle8", "rle4", "bit fields", "jpeg", "png", "alpha bit fields"};
    const std::string packing =
        compression < 7 ? kCompressions[compression] : "compression " + std::to_string(compression);
    return {header, "bmp " + std::to_string(bits) + "-bit", "bmp " + packing};
}

} // namespace

std::vector<std::string> fileFlavours(const std::filesystem::path& file,
                                      const std::string& format) {
    if (format == "tiff") {
        return tiffFlavours(file);
    }
    if (format == "bmp") {
        return bmpFlavours(file);
    }
    return {};
}

} // namespace scalora::test
