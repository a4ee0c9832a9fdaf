#include "ui/widgets/ui_file_dialog.h"

#include "base/paths.h"
#include "base/strings.h"
#include "data/translate.h"
#include "ui/core/ui_element.h"

#include <filesystem>

namespace scalora {

namespace {

// The filter text of the platform dialog this one stands in for holds 256 characters; its
// entries stop at character 252, leaving room for the terminating zeros.
constexpr std::size_t kFilterTextLimit = 252;

bool usable(const UIFileDialogFilter& f) {
    return !f.description.empty() && !f.patterns.empty();
}

std::size_t filterTextCost(const UIFileDialogFilter& f) {
    return utf8ToUtf16(f.description).size() + 1 + utf8ToUtf16(f.patterns).size() + 1;
}

DialogFilter toDialogFilter(const UIFileDialogFilter& f) {
    return {f.description, split(f.patterns, "|"), f.defaultExtension};
}

std::string resolved(const std::string& path) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

} // namespace

std::vector<DialogFilter> fittingFilters(const std::vector<UIFileDialogFilter>& filters) {
    std::vector<DialogFilter> kept;
    std::size_t used = 0;
    for (const UIFileDialogFilter& f : filters) {
        if (!usable(f)) {
            continue;
        }
        used += filterTextCost(f);
        if (used > kFilterTextLimit) {
            break;
        }
        kept.push_back(toDialogFilter(f));
    }
    if (kept.empty()) {
        kept.push_back({translate("All files", "UserInterface/UIFileDialog"), {"*"}, {}});
    }
    return kept;
}

void UIFileDialog::setFolder(std::string folder) {
    folder_ = folder.empty() ? std::string() : withTrailingSeparator(folder);
}

void UIFileDialog::addFilter(std::string description, std::string patterns,
                             std::string defaultExtension) {
    filters_.push_back({std::move(description), std::move(patterns), std::move(defaultExtension)});
}

bool UIFileDialog::run() {
    DialogRequest request;
    request.kind = kind_ == UIFileDialogKind::Save ? DialogKind::SaveFile : DialogKind::OpenFile;
    request.owner = owner_ != nullptr ? owner_->window() : nullptr;
    request.title = title_;
    request.folder = folder_;
    request.fileName = fileName_;
    request.filters = fittingFilters(filters_);
    request.multipleSelection = multipleSelection_ && kind_ == UIFileDialogKind::Open;
    // The selected filter's place among the ones that fit (the first when it was left out).
    std::size_t kept = 0;
    for (std::size_t i = 0; i < filters_.size() && i < selectedFilter_; ++i) {
        kept += usable(filters_[i]) ? 1 : 0;
    }
    request.selectedFilter = selectedFilter_ < filters_.size() &&
                                     usable(filters_[selectedFilter_]) &&
                                     kept < request.filters.size()
                                 ? kept
                                 : 0;

    const DialogAnswer answer = dialogProvider().run(request);
    if (!takeDialogAnswer(answer, owner_)) {
        return false;
    }
    const DialogFilter& filter = request.filters[request.selectedFilter];
    std::vector<std::string> chosen;
    for (const std::string& path : answer.paths) {
        std::string p = path;
        if (kind_ == UIFileDialogKind::Save && extension(p).empty() &&
            !filter.defaultExtension.empty()) {
            p += "." + filter.defaultExtension;
        }
        chosen.push_back((options_ & kResolveLinks) != 0 ? resolved(p) : p);
        if (!request.multipleSelection) {
            break;
        }
    }
    result_ = std::move(chosen);
    folder_ = withTrailingSeparator(directoryPart(result_.front()));
    return true;
}

} // namespace scalora
