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

// The table row of a format a run can be given; nullptr for Unknown and any other value.
const OutputFormatInfo* infoOf(OutputFormat format) {
    const std::int32_t index = outputFormatIndex(format);
    if (index < 0 || index >= kOutputFormatCount) {
        return nullptr;
    }
    return &kOutputFormats[static_cast<std::size_t>(index)];
}

} // namespace

std::string_view outputFormatLabel(OutputFormat format) {
    const OutputFormatInfo* info = infoOf(format);
    return info != nullptr ? info->label : std::string_view();
}

std::string_view outputFormatExtension(OutputFormat format) {
    const OutputFormatInfo* info = infoOf(format);
    return info != nullptr ? info->extension : std::string_view();
}

OutputFormat outputFormatOfExtension(std::string_view extension) {
    const std::string lower = toLower(extension);
    if (lower == "bmp") {
        return OutputFormat::Bmp;
    }
    if (lower == "png") {
        return OutputFormat::Png;
    }
    if (lower == "jpg" || lower == "jpeg") {
        return OutputFormat::Jpg;
    }
    if (lower == "tif" || lower == "tiff") {
        return OutputFormat::Tif;
    }
    return OutputFormat::Unknown;
}

ImageFormat encoderFormatOfExtension(std::string_view extension, bool includeGif) {
    const std::string lower = toLower(extension);
    if (includeGif && lower == "gif") {
        return ImageFormat::Gif;
    }
    switch (outputFormatOfExtension(lower)) {
    case OutputFormat::Bmp:
        return ImageFormat::Bmp;
    case OutputFormat::Jpg:
        return ImageFormat::Jpeg;
    case OutputFormat::Png:
        return ImageFormat::Png;
    case OutputFormat::Tif:
        return ImageFormat::Tiff;
    case OutputFormat::AsOriginal:
    case OutputFormat::Unknown:
        break;
    }
    return ImageFormat::Unknown;
}

bool isJpegExtension(std::string_view extension) {
    return outputFormatOfExtension(extension) == OutputFormat::Jpg;
}

} // namespace scalora
