#include "ui/widgets/ui_folder_dialog.h"

#include "base/paths.h"
#include "ui/core/ui_element.h"
#include "ui/widgets/ui_dialog_provider.h"

namespace scalora {

void UIFolderDialog::setFolder(std::string folder) {
    folder_ = folder.empty() ? std::string() : withTrailingSeparator(folder);
}

bool UIFolderDialog::run() {
    DialogRequest request;
    request.kind = DialogKind::Folder;
    request.owner = owner_ != nullptr ? owner_->window() : nullptr;
    request.title = title_.empty() ? prompt_ : title_;
    request.folder = folder_;
    const DialogAnswer answer = dialogProvider().run(request);
    if (!takeDialogAnswer(answer, owner_)) {
        return false;
    }
    folder_ = withTrailingSeparator(answer.paths.front());
    result_ = {folder_};
    return true;
}

} // namespace scalora
