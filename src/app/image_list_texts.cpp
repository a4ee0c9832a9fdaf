#include "app/image_list_texts.h"

#include "data/translate.h"
#include "engine/byte_count.h"

namespace scalora {
namespace {

std::string toolTipLines(const ImageItem& item, const std::string& sizeText) {
    return translate("Name:", kListToolTipsContext) + " " + item.baseName + "." + item.extension +
           "\n" + translate("Dimensions:", kListToolTipsContext) + " " +
           std::to_string(item.width) + " x " + std::to_string(item.height) + "\n" +
           translate("Size:", kListToolTipsContext) + " " + sizeText;
}

} // namespace

std::string imageStatusText(const ImageItem& item) {
    switch (item.status) {
    case ItemStatus::StatusUndefined:
        return translate("Undefined", kListStatusContext);
    case ItemStatus::StatusOk:
        return translate("OK", kListStatusContext);
    case ItemStatus::StatusError:
        return item.message.empty() ? translate("Unknown error", kListStatusContext) : item.message;
    }
    return {};
}

std::string imageToolTip(const ImageItem& item, std::string_view decimalSeparator) {
    return toolTipLines(item, formatByteCount(item.fileSize, decimalSeparator));
}

std::string imageToolTip(const ImageItem& item) {
    return toolTipLines(item, formatByteCount(item.fileSize));
}

std::string excludeMenuText(std::size_t selectedRows) {
    std::string text = translate("Exclude", kListMenusContext);
    if (selectedRows >= 2) {
        text += " (" + std::to_string(selectedRows) + ")";
    }
    return text;
}

} // namespace scalora
