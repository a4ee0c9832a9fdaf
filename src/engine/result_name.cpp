#include "engine/result_name.h"

#include "base/strings.h"
#include "engine/output_format.h"

namespace scalora {

std::int32_t resultFormat(std::int32_t format, std::string_view sourceExtension) {
    if (format >= OutputJpg && format <= OutputBmp) {
        return format;
    }
    return outputFormatOfExtension(sourceExtension);
}

std::string resultExtension(std::int32_t format, std::string_view sourceExtension) {
    return std::string(outputFormatExtension(resultFormat(format, sourceExtension)));
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
