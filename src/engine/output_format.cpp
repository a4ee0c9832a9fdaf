#include "engine/output_format.h"

#include "base/strings.h"

#include <array>

namespace scalora {

namespace {

struct OutputFormatInfo {
    std::string_view label;
    std::string_view extension;
};

constexpr std::array<OutputFormatInfo, kOutputFormatCount> kOutputFormats = {{
    {"As original", ""},
    {"JPG", "jpg"},
    {"PNG", "png"},
    {"TIF", "tif"},
    {"BMP", "bmp"},
}};

} // namespace

std::string_view outputFormatLabel(std::int32_t format) {
    if (format < 0 || format >= kOutputFormatCount) {
        return {};
    }
    return kOutputFormats[static_cast<std::size_t>(format)].label;
}

std::string_view outputFormatExtension(std::int32_t format) {
    if (format < 0 || format >= kOutputFormatCount) {
        return {};
    }
    return kOutputFormats[static_cast<std::size_t>(format)].extension;
}

std::int32_t outputFormatOfExtension(std::string_view extension) {
    const std::string lower = toLower(extension);
    if (lower == "bmp") {
        return OutputBmp;
    }
    if (lower == "png") {
        return OutputPng;
    }
    if (lower == "jpg" || lower == "jpeg") {
        return OutputJpg;
    }
    if (lower == "tif" || lower == "tiff") {
        return OutputTif;
    }
    return kUnknownOutputFormat;
}

ImageFormat encoderFormatOfExtension(std::string_view extension, bool includeGif) {
    const std::string lower = toLower(extension);
    if (includeGif && lower == "gif") {
        return ImageFormat::Gif;
    }
    switch (outputFormatOfExtension(lower)) {
    case OutputBmp:
        return ImageFormat::Bmp;
    case OutputJpg:
        return ImageFormat::Jpeg;
    case OutputPng:
        return ImageFormat::Png;
    case OutputTif:
        return ImageFormat::Tiff;
    default:
        return ImageFormat::Unknown;
    }
}

bool isJpegExtension(std::string_view extension) {
    return outputFormatOfExtension(extension) == OutputJpg;
}

} // namespace scalora
