#include "engine/result_name.h"

#include "base/strings.h"
#include "engine/output_format.h"

namespace scalora {

OutputFormat resultFormat(OutputFormat format, std::string_view sourceExtension) {
    switch (format) {
    case OutputFormat::Jpg:
    case OutputFormat::Png:
    case OutputFormat::Tif:
    case OutputFormat::Bmp:
        return format;
    case OutputFormat::AsOriginal:
    case OutputFormat::Unknown:
        break;
    }
    return outputFormatOfExtension(sourceExtension);
}

std::string resultExtension(OutputFormat format, std::string_view sourceExtension) {
    return std::string(outputFormatExtension(resultFormat(format, sourceExtension)));
}

std::string resultFileName(const ImageItem& item, OutputFormat format) {
    std::string name = item.baseName;
    if (item.copyIndex > 0) {
        name += "_copy";
        name += intToString(item.copyIndex);
    }
    name += '.';
    name += resultExtension(format, item.extension);
    return name;
}

std::string resultNameKey(const ImageItem& item, OutputFormat format) {
    return item.resultFolder +
           toLower(item.baseName + "." + resultExtension(format, item.extension));
}

} // namespace scalora
