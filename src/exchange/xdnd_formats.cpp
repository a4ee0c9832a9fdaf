#include "exchange/xdnd_formats.h"

#include "exchange/ui_mime_data.h"
#include "ui/core/ui_event.h"

#include <string_view>

namespace scalora {

std::vector<std::string> formatsForXdndTypes(const std::vector<std::string>& types) {
    std::vector<std::string> formats;
    auto add = [&](std::string_view format) {
        for (const std::string& f : formats) {
            if (f == format) {
                return;
            }
        }
        formats.emplace_back(format);
    };
    for (const std::string& type : types) {
        if (type == "text/uri-list") {
            add(kMimeFilePathList);
        } else if (type == "text/plain" || type.starts_with("text/plain;") ||
                   type == "UTF8_STRING" || type == "STRING" || type == "TEXT") {
            add(kMimeText);
        }
    }
    return formats;
}

std::uint32_t actionsForXdndAction(const std::string& actionName) {
    if (actionName == "XdndActionMove") {
        return kDropCopy | kDropMove;
    }
    if (actionName == "XdndActionLink") {
        return kDropCopy | kDropLink;
    }
    if (actionName == "XdndActionAsk") {
        return kDropCopy | kDropMove | kDropLink;
    }
    return kDropCopy;
}

} // namespace scalora
