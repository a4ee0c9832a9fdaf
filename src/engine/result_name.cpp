#include "engine/result_name.h"

#include "base/strings.h"
#include "engine/output_formats.h"

namespace scalora {

std::int32_t resultFormat(std::int32_t format, std::string_view sourceExtension) {
    if (format >= kFormatJpg && format <= kFormatBmp) {
        return format;
    }
    return formatOfSourceExtension(sourceExtension);
}

std::string resultExtension(std::int32_t format, std::string_view sourceExtension) {
    return std::string(extensionOfFormat(resultFormat(format, sourceExtension)));
}

std::string resultFileName(const ImageItem& item, std::int32_t format) {
    std::string name = item.baseName;
    if (item.copyIndex > 0) {
        name += "_copy";
        name += intToString(item.copyIndex);
    }
    name += '.';
    name += resultExtension(format, item.extension);
    return name;
}

std::string resultNameKey(const ImageItem& item, std::int32_t format) {
    return toLower(item.baseName + "." + resultExtension(format, item.extension));
}

} // namespace scalora
