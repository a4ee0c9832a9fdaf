#include "imaging/image_format.h"

#include <algorithm>
#include <array>

namespace scalora {
namespace {

bool startsWith(std::span<const std::uint8_t> head, std::span<const std::uint8_t> magic) {
    return head.size() >= magic.size() && std::equal(magic.begin(), magic.end(), head.begin());
}

} // namespace

ImageFormat detectImageFormat(std::span<const std::uint8_t> head) {
    static constexpr std::array<std::uint8_t, 3> kJpeg = {0xFF, 0xD8, 0xFF};
    static constexpr std::array<std::uint8_t, 8> kPng = {0x89, 'P',  'N',  'G',
                                                         0x0D, 0x0A, 0x1A, 0x0A};
    static constexpr std::array<std::uint8_t, 4> kTiffLittle = {'I', 'I', 42, 0};
    static constexpr std::array<std::uint8_t, 4> kTiffBig = {'M', 'M', 0, 42};
    // BigTIFF (version 43) is read by libtiff as well.
    static constexpr std::array<std::uint8_t, 4> kBigTiffLittle = {'I', 'I', 43, 0};
    static constexpr std::array<std::uint8_t, 4> kBigTiffBig = {'M', 'M', 0, 43};
    static constexpr std::array<std::uint8_t, 4> kGif = {'G', 'I', 'F', '8'};
    if (startsWith(head, kJpeg)) {
        return ImageFormat::Jpeg;
    }
    if (startsWith(head, kPng)) {
        return ImageFormat::Png;
    }
    if (startsWith(head, kTiffLittle) || startsWith(head, kTiffBig) ||
        startsWith(head, kBigTiffLittle) || startsWith(head, kBigTiffBig)) {
        return ImageFormat::Tiff;
    }
    if (startsWith(head, kGif)) {
        return ImageFormat::Gif;
    }
    // "BM" is the Windows file header; OS/2 bitmap arrays ("BA") and icons are not images here.
    if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M') {
        return ImageFormat::Bmp;
    }
    return ImageFormat::Unknown;
}

std::string_view imageFormatName(ImageFormat format) {
    switch (format) {
    case ImageFormat::Jpeg:
        return "jpeg";
    case ImageFormat::Png:
        return "png";
    case ImageFormat::Tiff:
        return "tiff";
    case ImageFormat::Bmp:
        return "bmp";
    case ImageFormat::Gif:
        return "gif";
    case ImageFormat::Unknown:
        break;
    }
    return "unknown";
}

} // namespace scalora
