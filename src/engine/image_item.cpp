#include "engine/image_item.h"

#include "base/paths.h"
#include "base/strings.h"

namespace scalora {

ImageItem::ImageItem(std::string_view rawPath)
    : path(trim(rawPath)), baseName(scalora::baseName(path)), extension(scalora::extension(path)),
      nameKey(toLower(fileName(path))) {}

} // namespace scalora
