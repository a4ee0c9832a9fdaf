#include "engine/output_formats.h"

#include "base/strings.h"

namespace scalora {

std::int32_t formatOfSourceExtension(std::string_view extension) {
    const std::string lower = toLower(extension);
    if (lower == "jpg" || lower == "jpeg") {
        return kFormatJpg;
    }
    if (lower == "png") {
        return kFormatPng;
    }
    if (lower == "tif" || lower == "tiff") {
        return kFormatTif;
    }
    if (lower == "bmp") {
        return kFormatBmp;
    }
    return kFormatAsOriginal;
}

std::string_view extensionOfFormat(std::int32_t format) {
    switch (format) {
    case kFormatJpg:
        return "jpg";
    case kFormatPng:
        return "png";
    case kFormatTif:
        return "tif";
    case kFormatBmp:
        return "bmp";
    default:
        return {};
    }
}

} // namespace scalora
