#include "imaging/image_decoder.h"

#include "imaging/codec_support.h"
#include "imaging/codecs.h"
#include "imaging/orientation.h"

namespace scalora {

bool decodeImageData(std::span<const std::uint8_t> data, const DecodeOptions& options,
                     PixelImage& out, ImageMetadata* metadata, DecodeInfo* info) {
    out.reset();
    if (metadata != nullptr) {
        metadata->segments.clear();
    }
    const ImageFormat format = detectImageFormat(data);
    int orientation = 1;
    bool cutShort = false;
    bool ok = false;
    switch (format) {
    case ImageFormat::Jpeg:
        ok = codec::decodeJpeg(data, options.jpegScaleEighths, out, metadata, orientation);
        break;
    case ImageFormat::Png:
        ok = codec::decodePng(data, out, cutShort);
        break;
    case ImageFormat::Tiff:
        ok = codec::decodeTiff(data, out, orientation, cutShort);
        break;
    case ImageFormat::Bmp:
        ok = codec::decodeBmp(data, out, cutShort);
        break;
    case ImageFormat::Gif:
        ok = codec::decodeGif(data, out, cutShort);
        break;
    case ImageFormat::Unknown:
        break;
    }
    if (info != nullptr) {
        *info = {};
    }
    if (!ok) {
        out.reset();
        if (metadata != nullptr) {
            metadata->segments.clear();
        }
        if (info != nullptr) {
            info->truncated = cutShort;
        }
        return false;
    }
    out.setDpi(codec::saneDpi(out.dpiX()), codec::saneDpi(out.dpiY()));
    if (options.applyOrientation && orientation != 1) {
        applyOrientation(out, orientation);
        if (metadata != nullptr) {
            resetExifOrientation(*metadata);
        }
    }
    if (info != nullptr) {
        info->format = format;
        info->orientation = orientation;
    }
    return true;
}

bool decodeImageFile(const std::string& path, const DecodeOptions& options, PixelImage& out,
                     ImageMetadata* metadata, DecodeInfo* info) {
    std::vector<std::uint8_t> data;
    if (!codec::readWholeFile(path, data)) {
        out.reset();
        if (info != nullptr) {
            *info = {};
        }
        if (metadata != nullptr) {
            metadata->segments.clear();
        }
        return false;
    }
    return decodeImageData(data, options, out, metadata, info);
}

std::int32_t jpegScaledDimension(std::int32_t full, int scaleEighths) {
    const std::int64_t m = std::clamp(scaleEighths, 1, 8);
    return static_cast<std::int32_t>((static_cast<std::int64_t>(full) * m + 7) / 8);
}

} // namespace scalora
